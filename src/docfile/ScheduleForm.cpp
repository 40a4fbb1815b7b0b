#include "docfile/ScheduleForm.h"

#include <limits>

#include "records/Schedule.h"
#include "records/SecondsConverter.h"

namespace {

// What a null time is written as on the wall clock, where -1 is a second of 1969.
constexpr int64_t kNullWallSeconds = std::numeric_limits<int64_t>::min();

}  // namespace

SeriesSeconds::SeriesSeconds(SecondsConverter& local, const Schedule& schedule)
    : SeriesSeconds(local, schedule.zone, schedule.allDay) {}

int64_t SeriesSeconds::toSeconds(DateTime time) {
    if (!wallClock_) return local_.toSeconds(time);
    return time.localSeconds().value_or(kNullWallSeconds);
}

DateTime SeriesSeconds::fromSeconds(int64_t seconds) {
    return wallClock_ ? DateTime::fromLocalSeconds(seconds) : local_.fromSeconds(seconds);
}
