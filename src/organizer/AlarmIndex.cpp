#include "organizer/AlarmIndex.h"

#include <algorithm>

#include "organizer/ReminderText.h"
#include "records/PimDocument.h"

void AlarmIndex::rebuild(const PimDocument& document) {
    entries_.clear();
    for (const auto& [id, appointment] : document.appointments()) {
        if (appointment.Alarm) {
            entries_.push_back(Entry{appointment.DueDate.date().continuous(),
                                     appointment.AlarmTime.continuous(), id});
        }
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const Entry& a, const Entry& b) { return a.day < b.day; });
}

std::vector<Reminder> AlarmIndex::dueReminders(const PimDocument& document, DateTime shown,
                                               DateTime now) const {
    const auto from = [this](double day) {
        return std::lower_bound(entries_.begin(), entries_.end(), day,
                                [](const Entry& e, double d) { return e.day < d; });
    };
    // Most alarms of the days examined lie ahead; only those near enough are looked up,
    // and the record decides.
    const double nearEnough = now.continuous() + 1.0 / 86400.0;
    std::vector<int32_t> ids;
    const auto collect = [&](auto first, auto last) {
        for (auto it = first; it != last; ++it) {
            if (it->alarm > nearEnough) continue;
            const Appointment* appointment = document.appointments().find(it->id);
            if (appointment != nullptr && isAlarmDue(*appointment, now)) ids.push_back(it->id);
        }
    };
    const double today = now.date().continuous();
    const double shownDay = shown.continuous();
    // A shown day before today adds its own appointments; from today on they are examined
    // anyway.
    if (shownDay < today) {
        const auto first = from(shownDay);
        collect(first, std::upper_bound(first, entries_.end(), shownDay,
                                        [](double d, const Entry& e) { return d < e.day; }));
    }
    collect(from(today), entries_.end());
    std::sort(ids.begin(), ids.end());

    std::vector<Reminder> due;
    due.reserve(ids.size());
    for (const int32_t id : ids) {
        const Appointment& appointment = *document.appointments().find(id);
        due.push_back(Reminder{id, reminderCaption(appointment.Description),
                               reminderMessage(appointment.StartTime)});
    }
    return due;
}
