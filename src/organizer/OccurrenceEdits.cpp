#include "organizer/OccurrenceEdits.h"

#include <algorithm>

#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

bool removeOccurrence(PimDocument& document, UndoHistory* history, int32_t id, DateTime key) {
    const Appointment* current = document.appointments().find(id);
    if (current == nullptr || occurrenceAt(*current, key).start.isNull()) return false;
    Appointment changed = *current;
    Schedule& schedule = changed.schedule.edit();
    std::erase_if(schedule.changed,
                  [&](const ChangedOccurrence& change) { return change.replaces == key; });
    schedule.removed.insert(std::upper_bound(schedule.removed.begin(), schedule.removed.end(), key),
                            key);
    UndoHistory::Step step(history, UndoStep::DeleteAppointment);
    ExpansionBudget budget;
    const bool anyLeft = !occurrencesStarting(changed, DateTime(DateTime::kMinValue),
                                              DateTime(DateTime::kMaxValue), budget, 1)
                              .empty();
    if (!anyLeft && !budget.exhausted) {
        document.remove<Appointment>(id);
        return true;
    }
    return document.replace(std::move(changed));
}
