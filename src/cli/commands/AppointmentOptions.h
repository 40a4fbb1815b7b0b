#pragma once

#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "platform/Status.h"
#include "records/Appointment.h"

// What add-appointment reads besides its document: the description, then options.
extern const std::vector<std::string> kAppointmentValued;  // options that take a value
extern const std::vector<std::string> kAppointmentFlags;   // options that stand alone

// The appointment add-appointment's arguments describe (the description second), made as
// the editor makes a new one at `now`: times in quarter hours from 05:00 to 23:00, an alarm
// 0 to 60 minutes ahead in fives. Whole days, several days and a repeat rule go into its
// schedule. A Usage failure, naming the option, for anything the editor would not accept.
Status appointmentFromOptions(const CliArgs& parsed, DateTime now, Appointment& appointment);
