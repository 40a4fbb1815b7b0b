#include "records/UndoStepNames.h"

#include "platform/Translate.h"

const char* undoStepName(UndoStep step) {
    switch (step) {
        case UndoStep::AddTask:
            return _("Add Task");
        case UndoStep::EditTask:
            return _("Edit Task");
        case UndoStep::CompleteTask:
            return _("Complete Task");
        case UndoStep::DeleteTask:
            return _("Delete Task");
        case UndoStep::AddAppointment:
            return _("Add Appointment");
        case UndoStep::EditAppointment:
            return _("Edit Appointment");
        case UndoStep::DeleteAppointment:
            return _("Delete Appointment");
        case UndoStep::TurnOffReminder:
            return _("Turn Off Reminder");
        case UndoStep::AddPerson:
            return _("Add Person");
        case UndoStep::EditPerson:
            return _("Edit Person");
        case UndoStep::DeletePerson:
            return _("Delete Person");
        case UndoStep::EditUser:
            return _("Edit User");
        case UndoStep::AddGroup:
            return _("Add Group");
        case UndoStep::EditGroup:
            return _("Edit Group");
        case UndoStep::DeleteGroup:
            return _("Delete Group");
        case UndoStep::Compact:
            return _("Compact");
        case UndoStep::ImportNames:
            return _("Import Names");
        case UndoStep::ImportTasks:
            return _("Import Tasks");
        case UndoStep::ImportAppointments:
            return _("Import Appointments");
        case UndoStep::ImportCalendar:
            return _("Import Calendar");
        case UndoStep::Restore:
            return _("Restore");
        case UndoStep::Synchronize:
            return _("Synchronize");
        case UndoStep::Export:
            return _("Export");
        case UndoStep::DeleteOccurrence:
            return _("Delete Occurrence");
        case UndoStep::DeleteFollowingOccurrences:
            return _("Delete Following Occurrences");
        case UndoStep::ChangeOccurrence:
            return _("Change Occurrence");
        case UndoStep::ChangeFollowingOccurrences:
            return _("Change Following Occurrences");
        case UndoStep::ChangeAllOccurrences:
            return _("Change All Occurrences");
    }
    return _("Change");
}
