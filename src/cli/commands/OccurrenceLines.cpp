#include "cli/commands/OccurrenceLines.h"

#include <algorithm>

#include "cli/commands/CommandSupport.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"

namespace {

std::string isoDate(DateTime day) {
    return day.format("%Y-%m-%d");
}

std::string timesOf(const Occurrence& occurrence) {
    if (occurrence.allDay()) {
        if (occurrence.lastDay() == occurrence.firstDay()) return _("All day");
        return fillIn(_("All day to %s"), {isoDate(occurrence.lastDay())});
    }
    std::string end = occurrence.end.format("%H:%M");
    if (occurrence.end.date() != occurrence.start.date()) end = isoDate(occurrence.end) + ' ' + end;
    return occurrence.start.format("%H:%M") + '-' + end;
}

}  // namespace

std::vector<Occurrence> occurrencesBetween(const PimDocument& document, DateTime first,
                                           DateTime last, std::vector<int32_t>& unfinished) {
    std::vector<Occurrence> found;
    for (const auto& [id, appointment] : document.appointments()) {
        ExpansionBudget budget;
        const auto some = occurrencesOnDays(appointment, first, last, budget);
        found.insert(found.end(), some.begin(), some.end());
        if (budget.exhausted) unfinished.push_back(id);
    }
    // Appointments come in ID order, which the stable sort keeps for equal starts.
    std::stable_sort(found.begin(), found.end(),
                     [](const Occurrence& a, const Occurrence& b) { return a.start < b.start; });
    return found;
}

std::string occurrenceLine(const Occurrence& occurrence) {
    return std::to_string(occurrence.id()) + '\t' + isoDate(occurrence.start) + '\t' +
           timesOf(occurrence) + '\t' + lineField(occurrence.description());
}
