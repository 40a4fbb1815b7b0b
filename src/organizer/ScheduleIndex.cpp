#include "organizer/ScheduleIndex.h"

#include <limits>

#include "records/Occurrences.h"
#include "records/PimDocument.h"

void ScheduleIndex::rebuild(const PimDocument& document) {
    entries_.clear();
    for (const auto& [id, appointment] : document.appointments()) {
        if (!appointment.schedule.has()) continue;
        const DaySpan span = coveredDays(appointment);
        entries_.push_back(Entry{
            &appointment, span.first.continuous(),
            span.last.isNull() ? std::numeric_limits<double>::infinity() : span.last.continuous()});
    }
    revision_ = document.revision();
    built_ = true;
}

std::vector<const Appointment*> ScheduleIndex::meeting(const PimDocument& document, DateTime first,
                                                       DateTime last) {
    if (!built_ || revision_ != document.revision()) rebuild(document);
    const double from = first.date().continuous();
    const double to = last.date().continuous();
    std::vector<const Appointment*> found;
    for (const Entry& entry : entries_) {
        if (entry.first <= to && entry.last >= from) found.push_back(entry.appointment);
    }
    return found;
}
