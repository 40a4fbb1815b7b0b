#include "organizer/EditorCommits.h"

#include "organizer/AppointmentForm.h"
#include "organizer/TaskForm.h"
#include "records/DocumentDoor.h"

int32_t addTask(DocumentDoor& door, const TaskForm& form) {
    if (!form.canConfirm()) return 0;
    return door.runStep(UndoStep::AddTask, [&](PimDocument& document) {
        return document.add(form.writtenOver(Task::createdAt(DateTime::now(document.clock()))));
    });
}

bool updateTask(DocumentDoor& door, const TaskForm& form) {
    const Task* task = form.canConfirm() ? door.document().tasks().find(form.id) : nullptr;
    if (task == nullptr) return false;
    return door.runStep(UndoStep::EditTask, [&](PimDocument& document) {
        return document.replace(form.writtenOver(*task));
    });
}

int32_t addAppointment(DocumentDoor& door, const AppointmentForm& form) {
    if (!form.canConfirm()) return 0;
    return door.runStep(UndoStep::AddAppointment, [&](PimDocument& document) {
        return document.add(
            form.writtenOver(Appointment::createdAt(DateTime::now(document.clock()))));
    });
}

bool updateAppointment(DocumentDoor& door, const AppointmentForm& form) {
    const Appointment* appointment =
        form.canConfirm() ? door.document().appointments().find(form.id()) : nullptr;
    if (appointment == nullptr) return false;
    return door.runStep(UndoStep::EditAppointment, [&](PimDocument& document) {
        return document.replace(form.writtenOver(*appointment));
    });
}
