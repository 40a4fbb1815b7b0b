#include "records/Schedule.h"

const Schedule ScheduleBox::kNone{};

bool Schedule::empty() const {
    return !allDay && lastDay.isNull() && zone.empty() && !rule && added.empty() &&
           removed.empty() && changed.empty() && remindedUntil.isNull();
}
