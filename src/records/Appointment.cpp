#include "records/Appointment.h"

Appointment Appointment::createdAt(DateTime now) {
    Appointment appointment;
    appointment.DueDate = now;
    appointment.StartTime = now;
    appointment.EndTime = now;
    appointment.AlarmTime = now;
    return appointment;
}
