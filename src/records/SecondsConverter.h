#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "records/DateTime.h"

// Converts between DateTime values and seconds since 1970 in the time zone of the TZ
// environment, as DateTime::fromSeconds and DateTime::toSeconds do. Converting many values
// through one converter is fast: it remembers the UTC offset of each day it has seen. Make
// one per batch (a load, a save); it reads TZ when it is made.
class SecondsConverter {
public:
    enum class Memory {
        Days,  // remember offsets per day: for many values
        None,  // ask the C library every time: for one value
    };

    explicit SecondsConverter(Memory memory = Memory::Days);

    // Null for a negative count or one beyond the valid range.
    [[nodiscard]] DateTime fromSeconds(int64_t secondsSince1970);
    // -1 for null, out-of-range and pre-1970 values. A time the clocks skip is read with the
    // offset before the change; a time they repeat gives the earlier instant, or the later
    // one when `later` is set.
    [[nodiscard]] int64_t toSeconds(DateTime value, bool later = false);
    // The instant a wall-clock time names, when it names one that converts back to it: none
    // for a time the clocks skip, a null value or a year before 1970. `later` as above.
    [[nodiscard]] std::optional<int64_t> instantOf(DateTime local, bool later = false);
    // Whether an instant is the later of the two that its wall-clock time names, in an hour
    // the clocks repeat: what a DateTime alone cannot tell.
    [[nodiscard]] bool isLaterOfTwo(int64_t secondsSince1970);
    // fromSeconds() and isLaterOfTwo() of one instant at once, as a load asks them of every
    // date it reads.
    [[nodiscard]] DateTime fromSeconds(int64_t secondsSince1970, bool& laterOfTwo);
    // The instants of a span's two ends, both or neither: calendars write the ends both in
    // UTC or both floating, as readers may not take a mix.
    struct SpanInstants {
        std::optional<int64_t> start, end;
    };
    [[nodiscard]] SpanInstants spanInstantsOf(DateTime start, DateTime end, bool startLater = false,
                                              bool endLater = false);

private:
    // Local wall-clock seconds minus UTC seconds at the instant `t`.
    int64_t offsetAt(int64_t t);
    // The offset of the whole UTC day `day`, when it has one offset throughout.
    std::optional<int64_t> dayOffset(int64_t day);
    // The instant of local seconds, found from the offsets around it.
    int64_t solve(int64_t local, bool later);

    struct Day {
        int64_t day = INT64_MIN;  // which day the slot holds
        int64_t offset = 0;
        bool uniform = false;
        int8_t calm = -1;  // whether it and the days on either side share one offset; -1 unknown
    };
    const Memory memory_;
    std::vector<Day> days_;       // UTC days, a slot per day number modulo the size
    std::vector<Day> localDays_;  // wall-clock days whose every time has one instant
};

// The seconds from one local time to another as clocks run: the difference of their
// instants, so that an hour the clocks skip or repeat between them counts as it passed; the
// wall-clock difference where either names no instant. `fromLater` and `toLater` pick the
// later instant of a time in an hour the clocks repeat.
[[nodiscard]] int64_t secondsBetween(DateTime from, DateTime to, SecondsConverter& seconds,
                                     bool fromLater = false, bool toLater = false);

// The local time `elapsed` seconds after `from` as clocks run (before it when negative);
// `from` moved on the wall clock where it names no instant. `later` is the later-of-two
// flag of `from`, and is set to that of the result.
[[nodiscard]] DateTime elapsedFrom(DateTime from, int64_t elapsed, SecondsConverter& seconds,
                                   bool* later = nullptr);
