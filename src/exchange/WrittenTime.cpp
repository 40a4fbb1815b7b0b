#include "exchange/WrittenTime.h"

namespace {

std::optional<WrittenTime> writtenAt(DateTime local, std::optional<int64_t> instant) {
    const auto fields = local.fields();
    if (!fields) return std::nullopt;
    if (instant) {
        if (const auto utc = DateTime::fromLocalSeconds(*instant).fields())
            return WrittenTime{*utc, true};
    }
    return WrittenTime{*fields, false};
}

}  // namespace

std::optional<WrittenTime> writtenTime(DateTime local, SecondsConverter& seconds, bool later) {
    return writtenAt(local, seconds.instantOf(local, later));
}

WrittenSpan writtenSpan(DateTime start, DateTime end, SecondsConverter& seconds, bool startLater,
                        bool endLater) {
    const auto instants = seconds.spanInstantsOf(start, end, startLater, endLater);
    return {writtenAt(start, instants.start), writtenAt(end, instants.end)};
}

WrittenSpan writtenSpanOf(const Appointment& a, SecondsConverter& seconds) {
    const DateTime start = a.firstStart();
    const DateTime end = a.firstEnd();
    // A flag tells the pass of the stored time, not of one moved onto another day.
    const bool startLater = start == a.StartTime && a.later(Appointment::kLaterStart);
    const bool endLater = end == a.EndTime && a.later(Appointment::kLaterEnd);
    // Compared as instants: in an hour the clocks repeat, an end that reads earlier on the
    // wall clock may still come after the start, and must not be cut to nothing.
    if (secondsBetween(start, end, seconds, startLater, endLater) < 0)
        return writtenSpan(start, start, seconds, startLater, startLater);
    return writtenSpan(start, end, seconds, startLater, endLater);
}
