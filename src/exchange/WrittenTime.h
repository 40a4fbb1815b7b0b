#pragma once

#include <optional>

#include "records/Appointment.h"
#include "records/DateTime.h"
#include "records/SecondsConverter.h"

// How a stored time goes into an iCalendar file or to a server: in UTC at the instant it
// names, or floating (which every reader takes as local time) where it names none, as a
// time the clocks skip or a year before 1970. The one rule the export and sync both write by.
struct WrittenTime {
    CalendarFields fields;
    bool utc = false;
};

// A time; none for a null or out-of-range value. `later` picks the later instant of a time in
// an hour the clocks repeat, as the record's flag says.
[[nodiscard]] std::optional<WrittenTime> writtenTime(DateTime local, SecondsConverter& seconds,
                                                     bool later = false);

// The two ends of a span, both in UTC or both floating: readers may not take a mix.
struct WrittenSpan {
    std::optional<WrittenTime> start, end;
};
[[nodiscard]] WrittenSpan writtenSpan(DateTime start, DateTime end, SecondsConverter& seconds,
                                      bool startLater = false, bool endLater = false);

// The span of an appointment's times: its end no earlier than its start, as clocks run.
[[nodiscard]] WrittenSpan writtenSpanOf(const Appointment& a, SecondsConverter& seconds);
