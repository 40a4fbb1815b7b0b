#pragma once

#include <cstddef>
#include <vector>

#include "records/Appointment.h"

// Series of the kinds people keep: weekly meetings, monthly and yearly dates, daily ones
// with a count, all-day ones; every tenth with 100 exceptions, most with an alarm. Their
// descriptions are "Series N"; half of the exceptions are moved occurrences called "Moved".
std::vector<Appointment> makeSeries(size_t count);
