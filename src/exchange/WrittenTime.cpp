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

std::optional<WrittenTime> writtenTime(DateTime local, SecondsConverter& seconds) {
    return writtenAt(local, seconds.instantOf(local));
}

WrittenSpan writtenSpan(DateTime start, DateTime end, SecondsConverter& seconds) {
    const auto instants = seconds.spanInstantsOf(start, end);
    return {writtenAt(start, instants.start), writtenAt(end, instants.end)};
}
