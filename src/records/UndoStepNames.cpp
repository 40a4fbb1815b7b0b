#include "records/UndoStepNames.h"

const char* undoStepName(UndoStep step) {
    switch (step) {
        case UndoStep::AddTask:
            return "Add Task";
        case UndoStep::EditTask:
            return "Edit Task";
        case UndoStep::CompleteTask:
            return "Complete Task";
        case UndoStep::DeleteTask:
            return "Delete Task";
        case UndoStep::AddAppointment:
            return "Add Appointment";
        case UndoStep::EditAppointment:
            return "Edit Appointment";
        case UndoStep::DeleteAppointment:
            return "Delete Appointment";
        case UndoStep::TurnOffReminder:
            return "Turn Off Reminder";
        case UndoStep::AddPerson:
            return "Add Person";
        case UndoStep::EditPerson:
            return "Edit Person";
        case UndoStep::DeletePerson:
            return "Delete Person";
        case UndoStep::EditUser:
            return "Edit User";
        case UndoStep::AddGroup:
            return "Add Group";
        case UndoStep::EditGroup:
            return "Edit Group";
        case UndoStep::DeleteGroup:
            return "Delete Group";
        case UndoStep::Compact:
            return "Compact";
        case UndoStep::ImportNames:
            return "Import Names";
        case UndoStep::ImportTasks:
            return "Import Tasks";
        case UndoStep::ImportAppointments:
            return "Import Appointments";
        case UndoStep::ImportCalendar:
            return "Import Calendar";
        case UndoStep::Restore:
            return "Restore";
        case UndoStep::Synchronize:
            return "Synchronize";
    }
    return "Change";
}
