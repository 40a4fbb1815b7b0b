#pragma once

// Every command that changes the document as one step of the undo history. The Edit menu
// shows the step's name ("Undo Import Names"); the names are kept in one table so that
// the window, the editors and the importers cannot name the same step differently.
enum class UndoStep {
    AddTask,
    EditTask,
    CompleteTask,
    DeleteTask,
    AddAppointment,
    EditAppointment,
    DeleteAppointment,
    TurnOffReminder,
    AddPerson,
    EditPerson,
    DeletePerson,
    EditUser,
    AddGroup,
    EditGroup,
    DeleteGroup,
    Compact,
    ImportNames,
    ImportTasks,
    ImportAppointments,
    ImportCalendar,
    Restore,
    Synchronize,
    Export,  // records first exported are given their UIDs
    DeleteOccurrence,
    DeleteFollowingOccurrences,
    ChangeOccurrence,
    ChangeFollowingOccurrences,
    ChangeAllOccurrences,
};

// The step's name in the Edit menu.
[[nodiscard]] const char* undoStepName(UndoStep step);
