#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules of one time zone of the system's database (a TZif file under TZDIR or
// /usr/share/zoneinfo): which UTC offset holds at each instant. Turns wall-clock times of
// the zone into instants as RFC 5545 (3.3.5) says: a time the clocks skip is read with the
// offset before the change (02:30 in a gap from 02:00 to 03:00 is 03:30), and a time they
// repeat names its first instant.
class ZoneRules {
public:
    // The zone of that name ("America/Havana"), loaded once per process; nullptr when the
    // system has none of that name or its file cannot be read.
    [[nodiscard]] static const ZoneRules* named(std::string_view name);

    [[nodiscard]] const std::string& name() const { return name_; }
    // Wall-clock seconds minus UTC seconds at an instant.
    [[nodiscard]] int64_t offsetAt(int64_t utcSeconds) const;
    // The instant of a wall-clock time of the zone, given as seconds since 1970-01-01 00:00
    // on the wall clock.
    [[nodiscard]] int64_t instantOf(int64_t wallSeconds) const;

    // Reads TZif bytes; nullptr when they are not a TZif file. For tests.
    [[nodiscard]] static std::unique_ptr<ZoneRules> fromTzif(std::string name,
                                                             std::string_view bytes);

private:
    struct Transition {
        int64_t at;      // UTC seconds from which the offset holds
        int32_t offset;  // seconds east of UTC
    };
    // A POSIX TZ rule for times past the last transition ("EST5EDT,M3.2.0,M11.1.0").
    struct PosixRule {
        int32_t standard = 0, daylight = 0;  // offsets east of UTC
        bool hasDaylight = false;
        struct When {
            int month = 0, week = 0, weekday = 0;  // Mm.w.d
            int julian = -1;                       // Jn (no leap day) when >= 0
            int zeroJulian = -1;                   // n (leap day counted) when >= 0
            int32_t time = 7200;                   // seconds after local midnight
        } start, end;
    };
    [[nodiscard]] int64_t posixOffsetAt(int64_t utcSeconds) const;

    std::string name_;
    std::vector<Transition> transitions_;
    int32_t initialOffset_ = 0;
    std::optional<PosixRule> tail_;
};
