#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/CliRun.h"
#include "support/ScratchDir.h"
#include "support/TzGuard.h"

namespace {

const std::string kNow = "2026-12-05 09:20";

class EditorCommands : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(runCliCaptured({"new", file_}).code, 0); }

    CliRun run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--now", kNow});
        return runCliCaptured(args);
    }
    // The document as saved; the clock only gives new records their defaults.
    void load() { ASSERT_TRUE(loadDocument(document_, file_)); }

    // Every refused command names its problem, shows the usage and leaves the file alone.
    void expectRefused(const std::vector<std::string>& args, const std::string& problem) {
        const std::string before = fileBytes(file_);
        const CliRun refused = run(args);
        EXPECT_EQ(refused.code, 2) << problem;
        EXPECT_NE(refused.err.find(problem), std::string::npos) << refused.err;
        EXPECT_NE(refused.err.find("usage: quillmate-cli " + args[0]), std::string::npos);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(fileBytes(file_), before);
    }

    TzGuard tz_{"UTC"};
    ScratchDir dir_;
    std::string file_ = dir_.file("home.pgr");
    FixedClock clock_{LocalTime{}};
    PimDocument document_{clock_};
};

TEST_F(EditorCommands, AddTaskSavesTheTaskDueTodayUnlessToldOtherwise) {
    const CliRun first = run({"add-task", file_, "Buy stamps"});
    EXPECT_EQ(first.code, 0) << first.err;
    EXPECT_EQ(first.out, "Added task 1.\n");
    EXPECT_EQ(
        run({"add-task", file_, "Renew passport", "--due", "2035-12-31", "--priority", "low"}).out,
        "Added task 2.\n");
    load();
    EXPECT_EQ(document_.tasks().find(1)->DueDate, DateTime::fromFields(2026, 12, 5));
    EXPECT_EQ(document_.tasks().find(2)->Priority, Task::Low);
    EXPECT_EQ(document_.tasks().find(2)->DueDate, DateTime::fromFields(2035, 12, 31));
}

TEST_F(EditorCommands, AddTaskRefusesWhatTheTaskEditorWouldNotAccept) {
    expectRefused({"add-task", file_, ""}, "the description is empty");
    expectRefused({"add-task", file_, "Old", "--due", "1989-12-31"},
                  "the due date 1989-12-31 is outside 1990-01-01 to 2035-12-31");
    expectRefused({"add-task", file_, "Odd", "--due", "2026-02-30"}, "--due wants a date");
    expectRefused({"add-task", file_, "Soon", "--priority", "urgent"}, "--priority wants");
}

TEST_F(EditorCommands, AddAppointmentSavesTimesAndAlarmOnTheDate) {
    const CliRun added = run({"add-appointment", file_, "Dentist", "--date", "2026-12-07", "--from",
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
        std::vector<std::string> all = {"add-appointment", file_, "Meeting"};
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
    expectRefused({"add-appointment", file_, "Meeting", "--date", "2036-01-01", "--from", "10:00",
                   "--to", "11:00"},
                  "the date 2036-01-01 is outside");
    expectRefused(
        {"add-appointment", file_, "", "--date", "2026-12-07", "--from", "10:00", "--to", "11:00"},
        "the description is empty");
}

}  // namespace
