#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "organizer/DayRows.h"
#include "records/DateTime.h"
#include "records/Person.h"

class PimDocument;

// A birthday or anniversary on the day it falls on in one year. Computed from the person
// whenever a view asks, never stored as an appointment.
struct PersonDay {
    int32_t personId = 0;
    PersonDate kind = PersonDate::Birthday;
    DateTime day;             // 00:00
    std::string description;  // "Ada Lovelace's birthday (211)"
};

// "Ada Lovelace's birthday (211)": the first and last name (else the company), with the
// years it has come round by `year` when its own year is known.
[[nodiscard]] std::string personDayText(const Person& person, PersonDate kind, int year);

// The birthdays and anniversaries that fall on the days from `first` to `last` (dates), by
// day, then person ID, a birthday before an anniversary.
[[nodiscard]] std::vector<PersonDay> personDaysBetween(const PimDocument& document, DateTime first,
                                                       DateTime last);

// The row a day of a person is listed as beside the appointments: all day, carrying the
// person and no appointment.
[[nodiscard]] AppointmentRow personDayRow(const PersonDay& day);
