#pragma once

#include <optional>

#include "cli/CliArgs.h"
#include "platform/Status.h"
#include "records/DateTime.h"
#include "records/RecurrenceRule.h"

// Reads --repeat, --every, --on, --count and --until into `rule`, which stays empty
// without --repeat. The rules are those the window's repeat choices can show. `firstStart`
// is the appointment's first start: a rule that would not meet it is refused, since the
// series would begin on a day it never repeats on.
Status readRepeatRule(const CliArgs& parsed, DateTime firstStart,
                      std::optional<RecurrenceRule>& rule);
