#include "organizer/EditorCommits.h"

#include <optional>

#include "organizer/AppointmentForm.h"
#include "organizer/TaskForm.h"
#include "organizer/UndoHistory.h"
#include "records/PimDocument.h"

namespace {

// One undo step while it lives, when there is a history.
class OptionalStep {
public:
    OptionalStep(UndoHistory* history, const char* name) {
        if (history != nullptr) step_.emplace(*history, name);
    }

private:
    std::optional<UndoHistory::Step> step_;
};

}  // namespace

int32_t addTask(PimDocument& document, UndoHistory* history, const TaskForm& form) {
    if (!form.canConfirm()) return 0;
    OptionalStep step(history, "Add Task");
    return document.add(form.writtenOver(Task::createdAt(DateTime::now(document.clock()))));
}

bool updateTask(PimDocument& document, UndoHistory* history, const TaskForm& form) {
    const Task* task = form.canConfirm() ? document.tasks().find(form.id) : nullptr;
    if (task == nullptr) return false;
    OptionalStep step(history, "Edit Task");
    return document.replace(form.writtenOver(*task));
}

int32_t addAppointment(PimDocument& document, UndoHistory* history, const AppointmentForm& form) {
    if (!form.canConfirm()) return 0;
    OptionalStep step(history, "Add Appointment");
    return document.add(form.writtenOver(Appointment::createdAt(DateTime::now(document.clock()))));
}

bool updateAppointment(PimDocument& document, UndoHistory* history, const AppointmentForm& form) {
    const Appointment* appointment =
        form.canConfirm() ? document.appointments().find(form.id()) : nullptr;
    if (appointment == nullptr) return false;
    OptionalStep step(history, "Edit Appointment");
    return document.replace(form.writtenOver(*appointment));
}
