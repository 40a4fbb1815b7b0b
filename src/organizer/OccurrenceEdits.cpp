#include "organizer/OccurrenceEdits.h"

#include <algorithm>

#include "records/DocumentDoor.h"
#include "records/Occurrences.h"

bool removeOccurrence(DocumentDoor& door, int32_t id, DateTime key) {
    const Appointment* current = door.document().appointments().find(id);
    if (current == nullptr || occurrenceAt(*current, key).start.isNull()) return false;
    Appointment changed = *current;
    Schedule& schedule = changed.schedule.edit();
    std::erase_if(schedule.changed,
                  [&](const ChangedOccurrence& change) { return change.replaces == key; });
    schedule.removed.insert(std::upper_bound(schedule.removed.begin(), schedule.removed.end(), key),
                            key);
    ExpansionBudget budget;
    const bool anyLeft = !occurrencesStarting(changed, DateTime(DateTime::kMinValue),
                                              DateTime(DateTime::kMaxValue), budget, 1)
                              .empty();
    return door.runStep(UndoStep::DeleteAppointment, [&](PimDocument& document) {
        if (!anyLeft && !budget.exhausted) {
            document.remove<Appointment>(id);
            return true;
        }
        return document.replace(std::move(changed));
    });
}
