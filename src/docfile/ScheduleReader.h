#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/Schedule.h"

class SecondsConverter;

// Reads what an appointment of a document file holds beyond version 16: the added
// attributes of its element and its Occurrence children. Unlike the version-16 fields,
// nothing carries over from one appointment to the next.
class ScheduleReader {
public:
    // A new appointment begins: what the one before held is forgotten.
    void start();
    // Takes an attribute of the Appointment element; false when it is none of the added ones.
    bool attribute(std::string_view name, std::string_view value);
    // An Occurrence child of the appointment begins.
    void occurrenceStart();
    // Takes an attribute of that child.
    void occurrenceAttribute(std::string_view name, std::string_view value);
    // The Occurrence child ends.
    void occurrenceEnd();
    // Gives `box` what was read, its times converted now that the zone is known. When a
    // value could not be read the box is left empty: the appointment is kept as the ordinary
    // one that its version-16 fields make, which is what an older reader sees of it too.
    void finish(ScheduleBox& box, SecondsConverter& seconds);

private:
    // An Occurrence child, its times as the file gives them.
    struct Change {
        std::optional<int64_t> replaces, start, end;
        std::string description;
        bool alarm = false;
        int32_t alarmMinutes = 0;
    };

    Schedule schedule_;  // the values that need no conversion
    std::optional<int64_t> lastDay_, remindedUntil_;
    std::vector<int64_t> added_, removed_;
    std::vector<Change> changes_;
    bool unreadable_ = false;
    bool used_ = false;  // whether anything was read since the last start()
};
