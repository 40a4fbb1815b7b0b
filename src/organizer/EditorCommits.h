#pragma once

#include <cstdint>

class AppointmentForm;
class PimDocument;
class UndoHistory;
struct TaskForm;

// A confirmed editor turned into one change of the document, through its one door, as
// one undo step named for the Edit menu when `history` is given (it may be nullptr).
// A form without text changes nothing.

// Adds the task as "Add Task"; its new ID, 0 when nothing was added.
int32_t addTask(PimDocument& document, UndoHistory* history, const TaskForm& form);
// Writes the form over the task it was opened on as "Edit Task", keeping the task's
// DoneDate; false, changing nothing, when that task is gone.
bool updateTask(PimDocument& document, UndoHistory* history, const TaskForm& form);
// The same for appointments: "Add Appointment" and "Edit Appointment".
int32_t addAppointment(PimDocument& document, UndoHistory* history, const AppointmentForm& form);
bool updateAppointment(PimDocument& document, UndoHistory* history, const AppointmentForm& form);
