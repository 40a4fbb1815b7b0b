#include "organizer/EditorCommits.h"

#include "organizer/AppointmentForm.h"
#include "organizer/TaskForm.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"

int32_t addTask(PimDocument& document, UndoHistory* history, const TaskForm& form) {
    if (!form.canConfirm()) return 0;
    UndoHistory::Step step(history, UndoStep::AddTask);
    return document.add(form.writtenOver(Task::createdAt(DateTime::now(document.clock()))));
}

bool updateTask(PimDocument& document, UndoHistory* history, const TaskForm& form) {
    const Task* task = form.canConfirm() ? document.tasks().find(form.id) : nullptr;
    if (task == nullptr) return false;
    UndoHistory::Step step(history, UndoStep::EditTask);
    return document.replace(form.writtenOver(*task));
}

int32_t addAppointment(PimDocument& document, UndoHistory* history, const AppointmentForm& form) {
    if (!form.canConfirm()) return 0;
    UndoHistory::Step step(history, UndoStep::AddAppointment);
    return document.add(form.writtenOver(Appointment::createdAt(DateTime::now(document.clock()))));
}

bool updateAppointment(PimDocument& document, UndoHistory* history, const AppointmentForm& form) {
    const Appointment* appointment =
        form.canConfirm() ? document.appointments().find(form.id()) : nullptr;
    if (appointment == nullptr) return false;
    UndoHistory::Step step(history, UndoStep::EditAppointment);
    return document.replace(form.writtenOver(*appointment));
}
