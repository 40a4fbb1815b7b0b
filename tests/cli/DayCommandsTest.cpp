#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CliRun.h"
#include "support/ScratchDir.h"

namespace {

TEST(DayCommands, DayListsTheDayAsTheWindowShowsIt) {
    ScratchDir dir;
    const std::string file = dir.file("day.pgr");
    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument document(clock);
    const auto appointment = [&](const char* text, int hour, int minute, bool alarm) {
        Appointment a = Appointment::createdAt(DateTime::fromFields(2026, 12, 6, hour, minute));
        a.Description = text;
        a.DueDate = a.StartTime.date();
        a.EndTime = DateTime::fromFields(2026, 12, 6, hour + 1, minute);
        a.Alarm = alarm;
        document.add(a);
    };
    appointment("Dentist", 14, 30, true);
    appointment("Standup", 9, 0, false);
    const auto task = [&](const char* text, int month, int day, int32_t priority) {
        Task t = Task::createdAt(DateTime::fromFields(2026, month, day));
        t.Description = text;
        t.Priority = priority;
        document.add(t);
    };
    task("Overdue report", 11, 30, Task::High);
    task("Buy milk", 12, 6, Task::Low);
    task("Tomorrow's call", 12, 7, Task::Medium);
    ASSERT_TRUE(saveDocument(document, file));

    const std::string today =
        runProgram("LANG=en_US.UTF-8", "--now '2026-12-06 10:00' day " + file);
    EXPECT_EQ(today,
              "Appointments\n"
              "9:00 AM-10:00 AM\tStandup\n"
              "2:30 PM-3:30 PM\tDentist [alarm]\n"
              "Tasks\n"
              "High\tOverdue report\t11/30/2026\n"
              "Low\tBuy milk\t12/6/2026\n");
    EXPECT_EQ(
        runProgram("LANG=de_DE.UTF-8", "--now '2026-12-06 10:00' day --date 2026-12-07 " + file),
        "Appointments\nTasks\nMedium\tTomorrow's call\t07.12.2026\n");

    const CliRun bad = runCliCaptured({"day", file, "--date", "2026-02-30"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("2026-02-30"), std::string::npos);
}

TEST(DayCommands, AlarmsListsTheRemindersThatWouldOpenNow) {
    ScratchDir dir;
    const std::string file = dir.file("alarms.pgr");
    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument document(clock);
    const auto appointment = [&](const std::string& text, int day, int hour, int minutes) {
        Appointment a = Appointment::createdAt(DateTime::fromFields(2026, 12, day, hour, 0));
        a.Description = text;
        a.DueDate = a.StartTime.date();
        a.Alarm = true;
        a.AlarmTime = a.StartTime - DateTimeSpan::fromParts(0, 0, minutes, 0);
        document.add(a);
    };
    appointment("Dentist", 6, 14, 15);
    appointment("Yesterday's lunch", 5, 12, 10);
    appointment("Standup", 6, 9, 5);
    appointment(std::string(85, 'L'), 7, 8, 60 * 24);
    appointment("Later today", 6, 18, 15);
    ASSERT_TRUE(saveDocument(document, file));

    // In ID order, the day before only while it is selected, AM and PM in any language.
    EXPECT_EQ(runProgram("LANG=de_DE.UTF-8", "--now '2026-12-06 14:00' alarms " + file),
              "Reminder: Dentist\tThis is your reminder for your 02:00 PM appointment.\n"
              "Reminder: Standup\tThis is your reminder for your 09:00 AM appointment.\n"
              "Reminder: " +
                  std::string(79, 'L') +
                  "\tThis is your reminder for your 08:00 AM appointment.\n");
    EXPECT_EQ(
        runProgram("LANG=en_US.UTF-8", "--now '2026-12-06 13:44' alarms --date 2026-12-05 " + file),
        "Reminder: Yesterday's lunch\tThis is your reminder for your 12:00 PM appointment.\n"
        "Reminder: Standup\tThis is your reminder for your 09:00 AM appointment.\n"
        "Reminder: " +
            std::string(79, 'L') + "\tThis is your reminder for your 08:00 AM appointment.\n");

    const CliRun missing = runCliCaptured({"alarms", dir.file("none.pgr")});
    EXPECT_NE(missing.code, 0);
}

}  // namespace
