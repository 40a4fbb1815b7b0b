#include "organizer/SeriesGenerator.h"

#include <iterator>
#include <string>

#include "records/RecurrenceRule.h"

namespace {

DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::fromFields(y, mo, d, h, mi);
}

}  // namespace

std::vector<Appointment> makeSeries(size_t count) {
    static const char* const kRules[] = {"FREQ=WEEKLY;BYDAY=MO,TH",
                                         "FREQ=WEEKLY;INTERVAL=2;BYDAY=FR",
                                         "FREQ=MONTHLY;BYDAY=-1FR",
                                         "FREQ=MONTHLY",
                                         "FREQ=YEARLY",
                                         "FREQ=DAILY;COUNT=30",
                                         "FREQ=WEEKLY;UNTIL=20280101",
                                         "FREQ=DAILY;INTERVAL=3",
                                         "FREQ=MONTHLY;BYDAY=2TU;COUNT=24",
                                         "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"};
    std::vector<Appointment> series;
    series.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        const DateTime start = at(2020 + int(i % 7), 1 + int(i % 12), 1 + int(i % 28),
                                  8 + int(i % 10), 15 * int(i % 4));
        Appointment a = Appointment::createdAt(start);
        a.Description = "Series " + std::to_string(i);
        a.DueDate = start.date();
        a.EndTime = start + DateTimeSpan(1.0 / 24);
        a.Alarm = i % 3 != 0;
        a.AlarmTime = start - DateTimeSpan(15.0 / 1440);
        Schedule& s = a.schedule.edit();
        s.rule = RecurrenceRule::parse(kRules[i % std::size(kRules)]);
        s.allDay = i % 17 == 0;
        if (i % 10 == 0) {
            for (int k = 1; k <= 100; ++k) {
                const DateTime day = start + DateTimeSpan(7.0 * k);
                if (k % 2 == 0)
                    s.removed.push_back(day);
                else
                    s.changed.push_back({day, day + DateTimeSpan(1.0 / 24),
                                         day + DateTimeSpan(2.0 / 24), "Moved", false, 0});
            }
        }
        series.push_back(std::move(a));
    }
    return series;
}
