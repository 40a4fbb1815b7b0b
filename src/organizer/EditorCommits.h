#pragma once

#include <cstdint>

class AppointmentForm;
class DocumentDoor;
struct TaskForm;

// A confirmed editor turned into one change of the document, through its door, as one
// undo step named for the Edit menu. A form without text changes nothing.

// Adds the task as "Add Task"; its new ID, 0 when nothing was added.
int32_t addTask(DocumentDoor& door, const TaskForm& form);
// Writes the form over the task it was opened on as "Edit Task", keeping the task's
// DoneDate; false, changing nothing, when that task is gone.
bool updateTask(DocumentDoor& door, const TaskForm& form);
// The same for appointments: "Add Appointment" and "Edit Appointment".
int32_t addAppointment(DocumentDoor& door, const AppointmentForm& form);
bool updateAppointment(DocumentDoor& door, const AppointmentForm& form);
