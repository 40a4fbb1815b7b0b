#include "platform/Clock.h"

#include <algorithm>
#include <chrono>
#include <ctime>

LocalTime SystemClock::localTime() const {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    return {local.tm_year + 1900,    local.tm_mon + 1, local.tm_mday,
            local.tm_hour,           local.tm_min,     std::min(local.tm_sec, 59),
            static_cast<int>(millis)};
}
