#include "CliFixture.h"
#include "cli/CliArgs.h"
#include "cli/commands/AppointmentOptions.h"
#include "cli/commands/OccurrenceLines.h"

namespace {

// Appointments are made from add-appointment's own arguments and listed as `occurrences`
// lists them, in a document held here: what a file keeps of a series is the document
// format's business, tested with it.
class OccurrenceCommands : public CliFixture {
protected:
    // Adds what add-appointment makes of "DESCRIPTION --date ..." (words of the line).
    const Appointment& add(const std::string& line) {
        CliArgs parsed;
        const Status read =
            parsed.parse(words("home.pgr " + line), kAppointmentValued, kAppointmentFlags);
        Appointment appointment;
        const Status made =
            read ? appointmentFromOptions(parsed, DateTime::now(clock), appointment) : read;
        EXPECT_TRUE(made) << line << ": " << made.message();
        return *document.appointments().find(document.add(appointment));
    }
    // The lines for the days from `first` to `last`.
    std::string listed(const char* first, const char* last) {
        std::vector<int32_t> unfinished;
        std::string lines;
        for (const Occurrence& occurrence : occurrencesBetween(document, *parseDayOption(first),
                                                               *parseDayOption(last), unfinished))
            lines += occurrenceLine(occurrence) + '\n';
        EXPECT_TRUE(unfinished.empty());
        return lines;
    }

    PimDocument document{clock};
};

TEST_F(OccurrenceCommands, ListsWeeklySeriesOnTheirDaysAmongOtherAppointments) {
    add("Yoga --date 2026-12-08 --from 18:00 --to 19:00 --repeat weekly --on tu,TH --until "
        "2026-12-22");
    EXPECT_FALSE(add("Dentist --date 2026-12-10 --from 9:30 --to 10:15 --end-date 2026-12-10")
                     .schedule.has());
    add("Choir --date 2026-12-09 --from 19:00 --to 21:00 --repeat weekly --every 2");
    add("Course --date 2026-12-21 --from 8:00 --to 9:00 --repeat daily --count 3");
    // The until day is whole: its evening class is the last.
    EXPECT_EQ(listed("2026-12-07", "2026-12-27"),
              "1\t2026-12-08\t18:00-19:00\tYoga\n"
              "3\t2026-12-09\t19:00-21:00\tChoir\n"
              "2\t2026-12-10\t09:30-10:15\tDentist\n"
              "1\t2026-12-10\t18:00-19:00\tYoga\n"
              "1\t2026-12-15\t18:00-19:00\tYoga\n"
              "1\t2026-12-17\t18:00-19:00\tYoga\n"
              "4\t2026-12-21\t08:00-09:00\tCourse\n"
              "4\t2026-12-22\t08:00-09:00\tCourse\n"
              "1\t2026-12-22\t18:00-19:00\tYoga\n"
              "4\t2026-12-23\t08:00-09:00\tCourse\n"
              "3\t2026-12-23\t19:00-21:00\tChoir\n");
}

TEST_F(OccurrenceCommands, ListsWholeAndSeveralDaysOnceWithTheDayTheyStart) {
    const Appointment& holidays =
        add("Holidays --date 2026-12-24 --all-day --end-date 2026-12-26 --alarm 15");
    // What a version-16 reader shows: the first day, 12:00 AM to 11:59 PM.
    EXPECT_EQ(std::tuple(holidays.StartTime, holidays.EndTime, holidays.AlarmTime,
                         holidays.schedule.get().lastDay, holidays.schedule.get().allDay),
              std::tuple(at(2026, 12, 24), at(2026, 12, 24, 23, 59), at(2026, 12, 23, 23, 45),
                         at(2026, 12, 26), true));
    add("Night --date 2026-12-26 --from 22:00 --to 06:00 --end-date 2026-12-27");
    add("Fair --date 2026-12-28 --all-day");

    EXPECT_EQ(listed("2026-12-25", "2026-12-31"),
              "1\t2026-12-24\tAll day to 2026-12-26\tHolidays\n"
              "2\t2026-12-26\t22:00-2026-12-27 06:00\tNight\n"
              "3\t2026-12-28\tAll day\tFair\n");
    EXPECT_EQ(listed("2026-12-27", "2026-12-27"), "2\t2026-12-26\t22:00-2026-12-27 06:00\tNight\n");
}

// Which days a monthly or yearly rule meets is the series' own rule.
TEST_F(OccurrenceCommands, MonthlyAndYearlyRepeatsMakeTheirRules) {
    const auto rule = [&](const std::string& line) {
        return add(line).schedule.get().rule.value().text();
    };
    EXPECT_EQ(rule("Review --date 2026-12-25 --from 9:00 --to 10:00 --repeat monthly --on -1FR "
                   "--count 5"),
              "FREQ=MONTHLY;COUNT=5;BYDAY=-1FR");
    EXPECT_EQ(rule("Leap --date 2024-02-29 --all-day --repeat yearly"), "FREQ=YEARLY");
}

TEST_F(OccurrenceCommands, ListsThirtyDaysFromTodayUnlessTold) {
    for (const std::string made : {"Dentist --date 2026-12-07", "Later --date 2027-01-06"})
        ASSERT_EQ(run(words("add-appointment home.pgr " + made + " --from 9:30 --to 10:15")).code,
                  0);
    EXPECT_EQ(said(run({"occurrences", doc})), said(0, "1\t2026-12-07\t09:30-10:15\tDentist\n"))
        << "today and 30 days on";
    EXPECT_EQ(run(words("occurrences home.pgr --from 2027-01-06")).out,
              "2\t2027-01-06\t09:30-10:15\tLater\n");
    expectRefused(words("occurrences home.pgr --from 2026-12-10 --to 2026-12-09"), 2,
                  "--to 2026-12-09 is before --from 2026-12-10");
    expectRefused(words("occurrences home.pgr --to 2026-13-01"), 2, "--to wants YYYY-MM-DD");
}

}  // namespace
