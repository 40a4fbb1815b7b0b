#include <gtest/gtest.h>

#include "support/Collect.h"
#include "support/SeriesRecords.h"
#include "support/Skipped.h"
#include "textio/ClashIndex.h"
#include "textio/TransferTestSupport.h"

namespace {

using PersonImportTest = ImportTest<TransferKind::Persons>;

TEST_F(PersonImportTest, AppliesThePersonRules) {
    // A line, and the first and last name, company, position, display name, white and
    // yellow pages flags of the person it adds.
    using Values = std::tuple<std::string_view, std::string_view, std::string_view,
                              std::string_view, std::string_view, int, int>;
    const std::pair<const char*, Values> cases[] = {
        {"Ann ,Lee,,  Boss  ,,", {"Ann", "Lee", "", "Boss  ", "Lee, Ann", 1, 0}},
        {"\" Ann \",,\" Acme \",\" Boss \"", {"Ann", "", "Acme", " Boss ", "Ann", 1, 0}},
        {",,Acme", {"", "", "Acme", "", "", 1, 0}},
        {"Ann,,,,No,YES", {"Ann", "", "", "", "Ann", 0, 1}},
        {"Ann,,,,TRUE,1", {"Ann", "", "", "", "Ann", 1, 1}},
        {"EMPTY FIELD,Lee,EOF,EOF x", {"", "Lee", "", "EOF x", "Lee", 1, 0}},
    };
    const std::vector<std::string> columns = {"FirstName", "LastName",   "Company",
                                              "Position",  "WhitePages", "YellowPages"};
    for (const auto& [line, values] : cases) {
        PimDocument one(clock);
        ASSERT_EQ(importInto(one, TransferKind::Persons, columns, line).added, 1) << line;
        const Person& p = *one.persons().find(1);
        EXPECT_EQ(Values(p.FName(), p.LName(), p.Company(), p.Position(), p.RName(), p.WhitePages,
                         p.YellowPages),
                  values)
            << line;
        EXPECT_TRUE(p.PhGroups.empty()) << "a document without groups gets none";
    }
}

TEST_F(PersonImportTest, ReadsColumnsAsMappedAndReportsSkippedLines) {
    doc.seedDefaultGroups();
    doc.setModified(false);
    EXPECT_EQ(import("LastName", {"LastName"}, true).added, 0);
    EXPECT_FALSE(doc.isModified()) << "an import that adds nothing is no change";
    // Unmapped, missing and surplus columns; blank lines are not worth a report; names of
    // blanks alone are none.
    const ImportResult result =
        import("x,Ann,y,Lee,z,extra\n,\n\n   \nEMPTY FIELD,EOF\nx,\"  \",y,\"\t\"\nx,Bo\n",
               {"", "FirstName", "", "LastName"});
    EXPECT_EQ(result.added, 2);
    EXPECT_EQ(doc.persons().find(1)->RName(), "Lee, Ann");
    EXPECT_EQ(doc.persons().find(2)->RName(), "Bo");
    // The phone book lists persons by group: one of no group would be invisible.
    EXPECT_EQ(doc.persons().find(2)->PhGroups, std::vector<int32_t>{1});
    const std::string none = ": no first name, last name or company";
    EXPECT_EQ(reasonsOf(result.skipped),
              (std::vector<std::string>{"2" + none, "5" + none, "6" + none}));
}

TEST_F(PersonImportTest, ReadsDaysInTheFormsOfCardsOrTheLocaleAndNoneForAnythingElse) {
    // The birthday and anniversary columns, and what the person holds of them.
    const std::pair<const char*, const char*> cases[] = {
        {"1990-04-12,--07-08", "1990-04-12 --07-08"},
        {"4/12/1990,19900229", "1990-04-12 1990-02-29"},
        {"0/0/00,", " "},
        {"someday,1604-07-08", " --07-08"},
        {"1/2/45,12/24/26", "1945-01-02 2026-12-24"},  // two-digit years are not yet to come
    };
    for (const auto& [values, stored] : cases) {
        PimDocument one(clock);
        ASSERT_EQ(importInto(one, TransferKind::Persons, {"FirstName", "Birthday", "Anniversary"},
                             std::string("Ann,") + values)
                      .added,
                  1);
        const Person& p = *one.persons().find(1);
        EXPECT_EQ(p.Birthday.text() + " " + p.Anniversary.text(), stored) << values;
    }
}

using TaskImportTest = ImportTest<TransferKind::Tasks>;

TEST_F(TaskImportTest, AppliesTheTaskRules) {
    const DateTime today = DateTime::fromFields(2026, 12, 6);
    // A line and the task it adds (nullptr: none).
    const std::tuple<const char*, const char*, DateTime, int> cases[] = {
        {"Pay rent,12/31/2026,1", "Pay rent", DateTime::fromFields(2026, 12, 31), 1},
        {"\"  Trim me \",2027-01-02T08:00, 2abc", "Trim me", DateTime::fromFields(2027, 1, 2), 2},
        {"No date,  ,2", "No date", today, 2},
        {"Seven,1/1/27,7", "Seven", DateTime::fromFields(2027, 1, 1), 0},
        {"Huge,,99999999999999", "Huge", today, 0},
        {",1/1/2027,1", nullptr, DateTime(), 0},
    };
    for (const auto& [line, description, due, priority] : cases) {
        PimDocument one(clock);
        const ImportResult result =
            importInto(one, TransferKind::Tasks, {"Task", "DueDate", "Priority"}, line);
        ASSERT_EQ(result.added, description ? 1 : 0) << line;
        if (!description) continue;
        const Task& t = *one.tasks().find(1);
        EXPECT_EQ(std::tie(t.Description, t.DueDate, t.Priority),
                  std::tuple(description, due, priority))
            << line;
    }

    // Fields without a column keep the defaults of a task made when the import started.
    EXPECT_EQ(import("x,First\ny,\nz,Second\n", {"", "Task"}).added, 2);
    EXPECT_EQ(std::pair(doc.tasks().find(2)->DueDate, doc.tasks().find(2)->Priority),
              std::pair(DateTime::fromFields(2026, 12, 6, 10, 0), int32_t{Task::High}));

    // A date that is there but cannot be read is no reason to make the task due today.
    const ImportResult unread =
        import("A,not a date\nB,13/13/2026\nC,24.12.2026\nD,12/24/2026\n", {"Task", "DueDate"});
    EXPECT_EQ(unread.added, 1);
    const std::string why = ": no due date that can be read";
    EXPECT_EQ(reasonsOf(unread.skipped),
              (std::vector<std::string>{"1" + why, "2" + why, "3" + why}));
}

TEST_F(TaskImportTest, RecordsBeyondTheLastIdentifierAreSkippedSayingWhy) {
    PimContents nearlyFull;
    nearlyFull.tasks.setLastId(INT32_MAX - 1);
    doc.adoptContents(std::move(nearlyFull));
    const ImportResult result = import("a\nb\nc\n", {"Task"});
    EXPECT_EQ(result.added, 1);
    EXPECT_EQ(reasonsOf(result.skipped),
              (std::vector<std::string>{"2: no identifier left", "3: no identifier left"}));
    EXPECT_EQ(doc.tasks().find(INT32_MAX)->Description, "a");
}

const std::vector<std::string> kAllColumns = {"Appointment", "Date",    "StartTime",
                                              "EndTime",     "Alarmed", "AlarmTime"};

DateTime at(int day, int hour, int minute) {
    return DateTime::fromFields(2026, 12, day, hour, minute);
}

using AppointmentImportTest = ImportTest<TransferKind::Appointments>;

TEST_F(AppointmentImportTest, RoundsTimesAndAlarmWarnings) {
    const std::tuple<const char*, DateTime, DateTime, DateTime, bool> cases[] = {
        {"A,12/8/2026,10:08,11:00,FALSE,0", at(8, 10, 15), at(8, 11, 0), at(8, 10, 15), false},
        {"A,12/8/2026,10:07,10:52,no,0", at(8, 10, 0), at(8, 10, 45), at(8, 10, 0), false},
        {"A,12/8/2026,2:30 PM,1:00 PM,t,5", at(8, 14, 30), at(8, 14, 30), at(8, 14, 25), true},
        {"A,2026-12-08,09:00,09:30,Yes,12", at(8, 9, 0), at(8, 9, 30), at(8, 8, 50), true},
        {"A,12/8/2026,09:00,09:30,TRUE,62", at(8, 9, 0), at(8, 9, 30), at(8, 8, 0), true},
        {"A,12/8/2026,09:00,09:30,TRUE,75", at(8, 9, 0), at(8, 9, 30), at(8, 9, 0), true},
        {"A,12/8/2026,23:53,23:59,TRUE,x", at(9, 0, 0), at(9, 0, 0), at(9, 0, 0), true},
    };
    for (const auto& [line, start, end, alarmTime, alarm] : cases) {
        PimDocument one(clock);
        ASSERT_EQ(importInto(one, TransferKind::Appointments, kAllColumns, line).added, 1) << line;
        const Appointment& a = *one.appointments().find(1);
        EXPECT_EQ(std::tie(a.DueDate, a.StartTime, a.EndTime, a.AlarmTime, a.Alarm),
                  std::tuple(at(8, 0, 0), start, end, alarmTime, alarm))
            << line;
    }
}

TEST_F(AppointmentImportTest, SkipsUnreadableAndClashingRecords) {
    doc.add(appointmentAt("Existing", at(8, 9, 0), at(8, 10, 0)));
    const ImportResult result = import(
        ",12/8/2026,11:00,12:00\n"
        "A,someday,11:00,12:00\n"
        "A,12/8/2026,lunch,12:00\n"
        "A,12/8/2026,11:00,25:00\n"
        "Inside,12/8/2026,9:30,9:45\n"
        "Ends at its start,12/8/2026,8:00,9:00\n"
        "Starts at its end,12/8/2026,10:00,10:30\n"
        "Overlaps the one before,12/8/2026,10:15,11:00\n"
        "Other day,12/9/2026,9:30,9:45\n"
        "Around it,12/8/2026,7:00,13:00\n",
        kAllColumns);
    EXPECT_EQ(collect(doc.appointments(), [](const auto& a) { return a.second.Description; }),
              (std::vector<std::string>{"Existing", "Ends at its start", "Starts at its end",
                                        "Other day"}));
    const std::string clash = "clashes with an existing appointment";
    EXPECT_EQ(reasonsOf(result.skipped),
              (std::vector<std::string>{"1: no appointment text", "2: no date that can be read",
                                        "3: no start time that can be read",
                                        "4: no end time that can be read", "5: " + clash,
                                        "8: " + clash, "10: " + clash}));
    // The same appointment again adds nothing.
    EXPECT_EQ(import("Starts at its end,12/8/2026,10:00,10:30\n", kAllColumns).added, 0);
}

TEST_F(AppointmentImportTest, ClashesWithEveryOccurrenceOfASeriesButNotWithWholeDays) {
    // Tuesdays 9:00 to 10:00 from 1 December, without end, the 15th taken out; Christmas
    // Day every year.
    Appointment weekly =
        repeating(appointmentAt("Weekly", at(1, 9, 0), at(1, 10, 0)), "FREQ=WEEKLY");
    weekly.schedule.edit().removed = {at(15, 9, 0)};
    doc.add(weekly);
    doc.add(repeating(wholeDays("Christmas", at(25, 0, 0), at(25, 0, 0)), "FREQ=YEARLY"));
    const ImportResult result = import(
        "A,12/8/2026,9:30,9:45\n"
        "B,12/15/2026,9:30,9:45\n"
        "C,12/7/2032,9:30,9:45\n"
        "D,12/8/2026,10:00,10:30\n"
        "E,12/25/2026,9:30,9:45\n",
        kAllColumns);
    EXPECT_EQ(reasonsOf(result.skipped),
              (std::vector<std::string>{"1: clashes with an existing appointment",
                                        "3: clashes with an existing appointment"}));
    EXPECT_EQ(result.added, 3);
}

TEST_F(AppointmentImportTest, ReadsTimesOnTheRecordsDateWhateverTheColumnOrder) {
    const ImportResult both = import("10:00,11:00,12/8/2026,A,15\n9:00,9:30,12/9/2026,B,15\n",
                                     {"StartTime", "EndTime", "Date", "Appointment", "AlarmTime"});
    ASSERT_EQ(both.added, 2);
    const Appointment &a = *doc.appointments().find(1), &b = *doc.appointments().find(2);
    EXPECT_EQ(std::tuple(a.StartTime, a.AlarmTime, b.EndTime),
              std::tuple(at(8, 10, 0), at(8, 9, 45), at(9, 9, 30)));
    // Without an "AlarmTime" column the alarm sits at the start.
    ASSERT_EQ(
        import("C,12/10/2026,10:00,11:00\n", {"Appointment", "Date", "StartTime", "EndTime"}).added,
        1);
    EXPECT_EQ(std::pair(doc.appointments().find(3)->Alarm, doc.appointments().find(3)->AlarmTime),
              std::pair(false, at(10, 10, 0)));
}

DateTime hour(double h) {
    return DateTime(46000.0 + h / 24.0);
}

TEST(ClashIndex, SharedTimeClashesTouchingDoesNot) {
    // 20-19 takes nothing; 30.5-34.5 bridges the three before it; 40 is a moment.
    const std::pair<double, double> taken[] = {{9, 10},  {20, 19},     {30, 31}, {32, 33},
                                               {34, 35}, {30.5, 34.5}, {40, 40}, {10, 10.5}};
    ClashIndex index;
    for (const auto& [from, to] : taken)
        index.add(hour(from), hour(to));
    const std::tuple<double, double, bool> cases[] = {
        {8, 9, false},    {10.5, 11, false},    {9.75, 11, true}, {8, 15, true},  {9, 9, false},
        {9.5, 9.5, true}, {33.5, 33.75, true},  {35, 36, false},  {40, 40, true}, {39, 41, true},
        {39, 40, false},  {10.25, 10.25, true}, {19, 21, false},
    };
    for (const auto& [from, to, clashes] : cases)
        EXPECT_EQ(index.clashes(hour(from), hour(to)), clashes) << from << "-" << to;
}

}  // namespace
