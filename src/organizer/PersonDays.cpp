#include "organizer/PersonDays.h"

#include <algorithm>

#include "platform/Translate.h"
#include "records/PimDocument.h"

namespace {

std::string shownName(const Person& person) {
    if (person.FName().empty())
        return std::string(person.LName().empty() ? person.Company() : person.LName());
    if (person.LName().empty()) return std::string(person.FName());
    return std::string(person.FName()).append(" ").append(person.LName());
}

}  // namespace

std::string personDayText(const Person& person, PersonDate kind, int year) {
    const bool birthday = kind == PersonDate::Birthday;
    const std::optional<int> years = person.date(kind).yearsIn(year);
    // The day itself of a birth or a wedding counts no year yet.
    if (!years || *years == 0)
        return fillIn(birthday ? _("%s's birthday") : _("%s's anniversary"), {shownName(person)});
    return fillIn(birthday ? _("%s's birthday (%s)") : _("%s's anniversary (%s)"),
                  {shownName(person), std::to_string(*years)});
}

std::vector<PersonDay> personDaysBetween(const PimDocument& document, DateTime first,
                                         DateTime last) {
    std::vector<PersonDay> days;
    first = first.date();
    last = last.date();
    if (!first.isValid() || !last.isValid() || last < first) return days;
    const int firstYear = first.year();
    const int lastYear = last.year();
    for (const auto& [id, person] : document.persons()) {
        for (const PersonDate kind : {PersonDate::Birthday, PersonDate::Anniversary}) {
            const MonthDay& date = person.date(kind);
            if (!date.isSet()) continue;
            for (int year = firstYear; year <= lastYear; ++year) {
                const DateTime day = date.dayIn(year);
                if (day.isNull() || day < first || day > last) continue;
                days.push_back({id, kind, day, personDayText(person, kind, year)});
            }
        }
    }
    std::stable_sort(days.begin(), days.end(),
                     [](const PersonDay& a, const PersonDay& b) { return a.day < b.day; });
    return days;
}

AppointmentRow personDayRow(const PersonDay& day) {
    AppointmentRow row;
    row.id = -1;
    row.description = day.description;
    row.startTime = day.day;
    row.endTime = day.day;
    row.allDay = true;
    row.firstDay = day.day;
    row.lastDay = day.day;
    row.personId = day.personId;
    return row;
}
