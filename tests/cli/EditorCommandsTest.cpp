#include "CliFixture.h"

namespace {

using EditorCommands = CliFixture;

TEST_F(EditorCommands, AddTaskAndAddAppointmentSaveWhatTheyAreGiven) {
    EXPECT_EQ(said(run({"add-task", doc, "Buy stamps"})), said(0, "Added task 1.\n"));
    EXPECT_EQ(run(words("add-task home.pgr Renew --due 2035-12-31 --priority low")).out,
              "Added task 2.\n");
    EXPECT_EQ(said(run(words("add-appointment home.pgr Dentist --date 2026-12-07 --from 9:30 --to "
                             "10:15 --alarm 15"))),
              said(0, "Added appointment 1.\n"));

    PimDocument document(clock);
    ASSERT_TRUE(loadDocument(document, doc));
    const Task &stamps = *document.tasks().find(1), &renew = *document.tasks().find(2);
    EXPECT_EQ(std::tuple(stamps.DueDate, renew.Priority, renew.DueDate),
              std::tuple(at(2026, 12, 6), Task::Low, at(2035, 12, 31)))
        << "due today unless told";
    const Appointment& dentist = *document.appointments().find(1);
    EXPECT_EQ(std::tuple(dentist.StartTime, dentist.EndTime, dentist.AlarmTime),
              std::tuple(at(2026, 12, 7, 9, 30), at(2026, 12, 7, 10, 15), at(2026, 12, 7, 9, 15)));
}

// What the task and appointment editors would not accept, in the command line's words.
TEST_F(EditorCommands, RefusesWhatTheEditorsWouldNotAccept) {
    const std::string meeting = "add-appointment home.pgr Meeting --date 2026-12-07 ";
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"add-task", doc, ""}, "the description is empty"},
        {words("add-task home.pgr Old --due 1989-12-31"),
         "the due date 1989-12-31 is outside 1990-01-01 to 2035-12-31"},
        {words("add-task home.pgr Odd --due 2026-02-30"), "--due wants a date"},
        {words("add-task home.pgr Soon --priority urgent"), "--priority wants"},
        {words(meeting + "--from 04:45 --to 05:15"),
         "--from 04:45 is not a begin time: a quarter hour from 05:00 to 22:45"},
        {words(meeting + "--from 22:45 --to 23:15"), "--to 23:15 is not an end time"},
        {words(meeting + "--from 10:00 --to 10:00"), "--to 10:00 is not after --from"},
        {words(meeting + "--from 10:00 --to 24:00"), "--to wants a time as HH:MM"},
        {words(meeting + "--from 10:00 --to 11:00 --alarm 7"), "--alarm wants"},
        {words(meeting + "--to 11:00"), "--from is required"},
        {words("add-appointment home.pgr Meeting --date 2036-01-01 --from 10:00 --to 11:00"),
         "the date 2036-01-01 is outside"},
        {{"add-appointment", doc, "", "--date", "2026-12-07", "--from", "10:00", "--to", "11:00"},
         "the description is empty"},
    };
    for (const auto& [args, problem] : cases)
        expectRefused(args, 2, problem);

    // Samoa skipped 30 December 2011 as it moved across the date line.
    const TzGuard samoa("Pacific/Apia");
    const std::string skipped = " 2011-12-30 does not exist in Pacific/Apia";
    for (const auto& [line, problem] :
         {std::pair<std::string, std::string>{"add-task home.pgr Pay --due 2011-12-30",
                                              "the due date" + skipped},
          {"add-appointment home.pgr Party --date 2011-12-30 --all-day", "the date" + skipped},
          {"add-appointment home.pgr Trip --date 2011-12-28 --end-date 2011-12-30 --all-day",
           "--end-date" + skipped}})
        expectRefused(words(line), 2, problem);
}

// Whole days, several days and repeats: each refusal names the option at fault.
TEST_F(EditorCommands, RefusesRepeatsAndSpansThatDoNotFit) {
    const std::string timed =
        "add-appointment home.pgr Meeting --date 2026-12-07 --from 10:00 "
        "--to 11:00 ";  // a Monday
    const std::string weekly = timed + "--repeat weekly ";
    const std::pair<std::string, std::string> cases[] = {
        {"add-appointment home.pgr Fair --date 2026-12-07 --all-day --from 10:00",
         "--from cannot go with --all-day"},
        {timed + "--end-date 2026-12-06", "--end-date 2026-12-06 is before --date 2026-12-07"},
        {timed + "--end-date 2036-01-01", "--end-date 2036-01-01 is outside"},
        {timed + "--every 2", "--every needs --repeat"},
        {timed + "--until 2027-01-01", "--until needs --repeat"},
        {weekly + "--count 3 --until 2027-01-01", "--count cannot go with --until"},
        {timed + "--repeat hourly", "--repeat wants daily, weekly, monthly or yearly"},
        {weekly + "--every 0", "--every wants a whole number from 1 to 10000, not \"0\""},
        {weekly + "--count -3", "--count wants a whole number"},
        {weekly + "--count 10001", "--count wants a whole number"},
        {timed + "--repeat daily --on MO", "--on goes with --repeat weekly or monthly only"},
        {weekly + "--on MO,XX", "--on wants weekdays"},
        {weekly + "--on 1MO", "--on wants weekdays"},
        {weekly + "--on MO;COUNT=2", "--on wants weekdays"},
        {timed + "--repeat monthly --on MO", "--on wants one weekday of the month"},
        {timed + "--repeat monthly --on 1MO,3MO", "--on wants one weekday of the month"},
        {timed + "--repeat monthly --on 6MO", "--on wants one weekday of the month"},
        {weekly + "--on TU,TH", "--date 2026-12-07 is not on a day --on TU,TH names"},
        {timed + "--repeat monthly --on 2MO", "--date 2026-12-07 is not on a day --on 2MO"},
        {weekly + "--until 2026-12-06", "--until 2026-12-06 is before --date 2026-12-07"},
        {weekly + "--until 2036-01-01", "--until 2036-01-01 is outside"},
    };
    for (const auto& [line, problem] : cases)
        expectRefused(words(line), 2, problem);
}

}  // namespace
