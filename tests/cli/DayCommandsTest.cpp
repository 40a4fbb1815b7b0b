#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CliRun.h"
#include "support/Records.h"
#include "support/ScratchDir.h"

// Which records a day lists and which alarms are due are the day view's and the
// reminders' rules; here, how the commands print them in the user's language.

namespace {

TEST(DayCommands, DayAndAlarmsPrintInTheSystemsLanguage) {
    ScratchDir dir;
    const std::string file = dir.file("day.pgr");
    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument document(clock);
    document.add(appointmentAt("Dentist", DateTime::fromFields(2026, 12, 6, 14, 30),
                               DateTime::fromFields(2026, 12, 6, 15, 0), 0));
    document.add(appointmentAt("Standup", DateTime::fromFields(2026, 12, 6, 9, 30),
                               DateTime::fromFields(2026, 12, 6, 10, 0)));
    document.add(taskDue("Buy milk", DateTime::fromFields(2026, 12, 6), Task::Low));
    document.add(taskDue("Tomorrow's call", DateTime::fromFields(2026, 12, 7), Task::Medium));
    ASSERT_TRUE(saveDocument(document, file));

    EXPECT_EQ(runProgram("LANG=en_US.UTF-8", "--now '2026-12-06 10:00' day " + file),
              "Appointments\n"
              "9:30 AM-10:00 AM\tStandup\n"
              "2:30 PM-3:00 PM\tDentist [alarm]\n"
              "Tasks\n"
              "Low\tBuy milk\t12/6/2026\n");
    EXPECT_EQ(
        runProgram("LANG=de_DE.UTF-8", "--now '2026-12-06 10:00' day --date 2026-12-07 " + file),
        "Appointments\nTasks\nMedium\tTomorrow's call\t07.12.2026\n");
    // The reminder says AM and PM in any language.
    EXPECT_EQ(runProgram("LANG=de_DE.UTF-8", "--now '2026-12-06 14:40' alarms " + file),
              "Reminder: Dentist\tThis is your reminder for your 02:30 PM appointment.\n");

    const CliRun bad = runCliCaptured({"day", file, "--date", "2026-02-30"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("2026-02-30"), std::string::npos);
    EXPECT_EQ(runCliCaptured({"alarms", dir.file("none.pgr")}).code, 1);
}

}  // namespace
