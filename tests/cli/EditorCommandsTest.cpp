#include <gtest/gtest.h>

#include "CliFixture.h"
#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

class EditorCommands : public CliFixture {
protected:
    // The document as saved; the clock only gives new records their defaults.
    void load() { ASSERT_TRUE(loadDocument(document_, doc)); }
    void expectRefused(const std::vector<std::string>& args, const std::string& problem) {
        CliFixture::expectRefused(args, 2, problem);
    }

    FixedClock clock_{LocalTime{}};
    PimDocument document_{clock_};
};

TEST_F(EditorCommands, AddTaskSavesTheTaskDueTodayUnlessToldOtherwise) {
    const CliRun first = run({"add-task", doc, "Buy stamps"});
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "Added task 1.\n");
    EXPECT_EQ(
        run({"add-task", doc, "Renew passport", "--due", "2035-12-31", "--priority", "low"}).out,
        "Added task 2.\n");
    load();
    EXPECT_EQ(document_.tasks().find(1)->DueDate, DateTime::fromFields(2026, 12, 6));
    EXPECT_EQ(document_.tasks().find(2)->Priority, Task::Low);
    EXPECT_EQ(document_.tasks().find(2)->DueDate, DateTime::fromFields(2035, 12, 31));
}

TEST_F(EditorCommands, AddTaskRefusesWhatTheTaskEditorWouldNotAccept) {
    expectRefused({"add-task", doc, ""}, "the description is empty");
    expectRefused({"add-task", doc, "Old", "--due", "1989-12-31"},
                  "the due date 1989-12-31 is outside 1990-01-01 to 2035-12-31");
    expectRefused({"add-task", doc, "Odd", "--due", "2026-02-30"}, "--due wants a date");
    expectRefused({"add-task", doc, "Soon", "--priority", "urgent"}, "--priority wants");
}

TEST_F(EditorCommands, AddAppointmentSavesTimesAndAlarmOnTheDate) {
    const CliRun added = run({"add-appointment", doc, "Dentist", "--date", "2026-12-07", "--from",
                              "9:30", "--to", "10:15", "--alarm", "15"});
    EXPECT_EQ(added.code, 0) << added.err;
    EXPECT_EQ(added.out, "Added appointment 1.\n");
    load();
    const Appointment& dentist = *document_.appointments().find(1);
    EXPECT_EQ(dentist.StartTime, DateTime::fromFields(2026, 12, 7, 9, 30));
    EXPECT_EQ(dentist.EndTime, DateTime::fromFields(2026, 12, 7, 10, 15));
    EXPECT_EQ(dentist.AlarmTime, DateTime::fromFields(2026, 12, 7, 9, 15));
}

TEST_F(EditorCommands, AddAppointmentRefusesTimesTheSpinsCannotReach) {
    const std::vector<std::string> date = {"--date", "2026-12-07"};
    const auto args = [&](std::vector<std::string> more) {
        std::vector<std::string> all = {"add-appointment", doc, "Meeting"};
        all.insert(all.end(), date.begin(), date.end());
        all.insert(all.end(), more.begin(), more.end());
        return all;
    };
    expectRefused(args({"--from", "04:45", "--to", "05:15"}),
                  "--from 04:45 is not a begin time: a quarter hour from 05:00 to 22:45");
    expectRefused(args({"--from", "22:45", "--to", "23:15"}), "--to 23:15 is not an end time");
    expectRefused(args({"--from", "10:00", "--to", "10:00"}), "--to 10:00 is not after --from");
    expectRefused(args({"--from", "10:00", "--to", "24:00"}), "--to wants a time as HH:MM");
    expectRefused(args({"--from", "10:00", "--to", "11:00", "--alarm", "7"}), "--alarm wants");
    expectRefused(args({"--to", "11:00"}), "--from is required");
    expectRefused({"add-appointment", doc, "Meeting", "--date", "2036-01-01", "--from", "10:00",
                   "--to", "11:00"},
                  "the date 2036-01-01 is outside");
    expectRefused(
        {"add-appointment", doc, "", "--date", "2026-12-07", "--from", "10:00", "--to", "11:00"},
        "the description is empty");
}

}  // namespace
