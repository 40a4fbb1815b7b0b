#include "records/SecondsConverter.h"

#include <algorithm>
#include <ctime>

namespace {

constexpr int64_t kSecondsPerDay = 86400;

int64_t floorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// The C library's offset at `t`, measured on the calendar fields it reports so that any
// correction it makes (leap seconds included) is part of it.
std::optional<int64_t> libraryOffset(int64_t t) {
    const auto seconds = DateTime::localFieldsAt(t).localSeconds();
    if (!seconds) return std::nullopt;
    return *seconds - t;
}

}  // namespace

SecondsConverter::SecondsConverter(Memory memory) : memory_(memory) {
    if (memory == Memory::Days) {
        days_.resize(4096);
        localDays_.resize(4096);
    }
    tzset();
}

std::optional<int64_t> SecondsConverter::dayOffset(int64_t day) {
    Day& slot = days_[static_cast<size_t>(day) & (days_.size() - 1)];
    if (slot.day != day) {
        // Offsets change a few times a year at most, never twice within half a day: equal
        // offsets at the start, the middle and the end mean the day has one offset.
        slot.day = day;
        slot.calm = -1;
        const int64_t start = day * kSecondsPerDay;
        const auto first = libraryOffset(start);
        slot.uniform = first.has_value() && libraryOffset(start + kSecondsPerDay / 2) == first &&
                       libraryOffset(start + kSecondsPerDay - 1) == first;
        slot.offset = first.value_or(0);
    }
    if (!slot.uniform) return std::nullopt;
    return slot.offset;
}

int64_t SecondsConverter::offsetAt(int64_t t) {
    if (memory_ == Memory::Days) {
        if (const auto offset = dayOffset(floorDiv(t, kSecondsPerDay))) return *offset;
    }
    return libraryOffset(t).value_or(0);
}

DateTime SecondsConverter::fromSeconds(int64_t secondsSince1970) {
    // Beyond the range the day arithmetic below could overflow.
    if (secondsSince1970 < 0 || !DateTime::mayBeInRange(secondsSince1970)) return DateTime();
    if (memory_ == Memory::Days) {
        if (const auto offset = dayOffset(floorDiv(secondsSince1970, kSecondsPerDay)))
            return DateTime::fromLocalSeconds(secondsSince1970 + *offset);
    }
    return DateTime::fromSeconds(secondsSince1970);
}

std::optional<int64_t> SecondsConverter::instantOf(DateTime local, bool later) {
    const int64_t seconds = toSeconds(local, later);
    if (seconds < 0 || fromSeconds(seconds) != local) return std::nullopt;
    return seconds;
}

bool SecondsConverter::isLaterOfTwo(int64_t secondsSince1970) {
    // The two instants of a repeated time lie hours apart, at different offsets: where the
    // UTC days around the instant share one offset throughout, its time is named once. A
    // load asks this of every date it reads, and the days are mostly known by then.
    if (memory_ == Memory::Days && secondsSince1970 >= 0 &&
        DateTime::mayBeInRange(secondsSince1970)) {
        const int64_t day = floorDiv(secondsSince1970, kSecondsPerDay);
        const auto offset = dayOffset(day);
        Day& slot = days_[static_cast<size_t>(day) & (days_.size() - 1)];
        if (slot.calm < 0)
            slot.calm = offset && dayOffset(day - 1) == offset && dayOffset(day + 1) == offset;
        if (slot.calm != 0) return false;
    }
    const DateTime local = fromSeconds(secondsSince1970);
    return local.isValid() && toSeconds(local) != secondsSince1970 &&
           toSeconds(local, true) == secondsSince1970;
}

DateTime SecondsConverter::fromSeconds(int64_t secondsSince1970, bool& laterOfTwo) {
    // A day seen before whose neighbours share its offset names each of its times once:
    // one look at its slot answers both questions.
    if (memory_ == Memory::Days && secondsSince1970 >= 0) {
        const int64_t day = secondsSince1970 / kSecondsPerDay;
        const Day& slot = days_[static_cast<size_t>(day) & (days_.size() - 1)];
        if (slot.day == day && slot.calm == 1 && DateTime::mayBeInRange(secondsSince1970)) {
            laterOfTwo = false;
            return DateTime::fromLocalSeconds(secondsSince1970 + slot.offset);
        }
    }
    laterOfTwo = isLaterOfTwo(secondsSince1970);
    return fromSeconds(secondsSince1970);
}

SecondsConverter::SpanInstants SecondsConverter::spanInstantsOf(DateTime start, DateTime end,
                                                                bool startLater, bool endLater) {
    SpanInstants instants{instantOf(start, startLater), instantOf(end, endLater)};
    if (!instants.start || !instants.end) instants = {};
    return instants;
}

int64_t SecondsConverter::toSeconds(DateTime value, bool later) {
    const auto local = value.localSeconds();
    if (!local) return -1;
    int64_t t;
    if (memory_ == Memory::None) {
        t = solve(*local, later);
    } else {
        // A wall-clock day well away from any change of offset maps by that one offset.
        const int64_t day = floorDiv(*local, kSecondsPerDay);
        Day& slot = localDays_[static_cast<size_t>(day) & (localDays_.size() - 1)];
        if (slot.day != day) {
            slot.day = day;
            const auto offset = dayOffset(day);
            slot.uniform = offset.has_value();
            for (int64_t d = day - 2; slot.uniform && d <= day + 2; ++d)
                slot.uniform = dayOffset(d) == offset;
            slot.offset = offset.value_or(0);
        }
        t = slot.uniform ? *local - slot.offset : solve(*local, later);
    }
    return t < 0 ? -1 : t;
}

int64_t SecondsConverter::solve(int64_t local, bool later) {
    // The offsets a day before and a day after the moment: one of them holds at the
    // instant, or both do around a change of offset.
    const int64_t before = offsetAt(local - kSecondsPerDay);
    const int64_t after = offsetAt(local + kSecondsPerDay);
    const int64_t early = local - before;
    const int64_t late = local - after;
    const bool earlyFits = offsetAt(early) == before;
    const bool lateFits = offsetAt(late) == after;
    // A repeated hour: the first instant unless the later is asked for.
    if (earlyFits && lateFits) return later ? std::max(early, late) : std::min(early, late);
    if (lateFits) return late;
    return early;  // a skipped hour reads with the offset before the change
}

int64_t secondsBetween(DateTime from, DateTime to, SecondsConverter& seconds, bool fromLater,
                       bool toLater) {
    const auto a = seconds.instantOf(from, fromLater);
    const auto b = seconds.instantOf(to, toLater);
    if (a && b) return *b - *a;
    return to.localSeconds().value_or(0) - from.localSeconds().value_or(0);
}

DateTime elapsedFrom(DateTime from, int64_t elapsed, SecondsConverter& seconds, bool* later) {
    const bool fromLater = later != nullptr && *later;
    if (later != nullptr) *later = false;
    if (const auto instant = seconds.instantOf(from, fromLater)) {
        const DateTime at = seconds.fromSeconds(*instant + elapsed);
        if (at.isValid()) {
            if (later != nullptr) *later = seconds.isLaterOfTwo(*instant + elapsed);
            return at;
        }
    }
    const auto wall = from.localSeconds();
    return wall ? DateTime::fromLocalSeconds(*wall + elapsed) : DateTime();
}
