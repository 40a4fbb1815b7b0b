#include "textio/AppointmentImport.h"

#include <gtest/gtest.h>

#include "textio/TransferTestSupport.h"

namespace {

const std::vector<std::string> kAllColumns = {"Appointment", "Date",    "StartTime",
                                              "EndTime",     "Alarmed", "AlarmTime"};

DateTime at(int day, int hour, int minute) {
    return DateTime::fromFields(2026, 12, day, hour, minute);
}

using AppointmentImportTest = ImportTest<TransferKind::Appointments>;

TEST_F(AppointmentImportTest, RoundsTimesAndAlarmWarnings) {
    struct Case {
        const char* line;
        DateTime start, end, alarmTime;
        bool alarm;
    };
    const Case cases[] = {
        {"A,12/8/2026,10:08,11:00,FALSE,0", at(8, 10, 15), at(8, 11, 0), at(8, 10, 15), false},
        {"A,12/8/2026,10:07,10:52,no,0", at(8, 10, 0), at(8, 10, 45), at(8, 10, 0), false},
        {"A,12/8/2026,2:30 PM,1:00 PM,t,5", at(8, 14, 30), at(8, 14, 30), at(8, 14, 25), true},
        {"A,2026-12-08,09:00,09:30,Yes,12", at(8, 9, 0), at(8, 9, 30), at(8, 8, 50), true},
        {"A,12/8/2026,09:00,09:30,TRUE,62", at(8, 9, 0), at(8, 9, 30), at(8, 8, 0), true},
        {"A,12/8/2026,09:00,09:30,TRUE,75", at(8, 9, 0), at(8, 9, 30), at(8, 9, 0), true},
        {"A,12/8/2026,23:53,23:59,TRUE,x", at(9, 0, 0), at(9, 0, 0), at(9, 0, 0), true},
    };
    for (const Case& c : cases) {
        PimDocument one(clock);
        ASSERT_EQ(importInto(one, TransferKind::Appointments, kAllColumns, c.line).added, 1)
            << c.line;
        const Appointment& a = *one.appointments().find(1);
        EXPECT_EQ(std::tie(a.DueDate, a.StartTime, a.EndTime, a.AlarmTime, a.Alarm),
                  std::tuple(at(8, 0, 0), c.start, c.end, c.alarmTime, c.alarm))
            << c.line;
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
    EXPECT_EQ(result.added, 3);
    EXPECT_EQ(doc.appointments().find(2)->Description, "Ends at its start");
    EXPECT_EQ(doc.appointments().find(3)->Description, "Starts at its end");
    EXPECT_EQ(doc.appointments().find(4)->Description, "Other day");
    std::vector<std::string> reasons;
    for (const SkippedRecord& skipped : result.skipped)
        reasons.push_back(std::to_string(skipped.line) + ": " + skipped.reason);
    const std::string clash = "clashes with an existing appointment";
    EXPECT_EQ(reasons, (std::vector<std::string>{
                           "1: no appointment text", "2: no date that can be read",
                           "3: no start time that can be read", "4: no end time that can be read",
                           "5: " + clash, "8: " + clash, "10: " + clash}));
    // The same appointment again adds nothing.
    EXPECT_EQ(import("Starts at its end,12/8/2026,10:00,10:30\n", kAllColumns).added, 0);
}

TEST_F(AppointmentImportTest, ReadsTimesOnTheRecordsDateWhateverTheColumnOrder) {
    ASSERT_EQ(import("10:00,11:00,12/8/2026,A,15\n9:00,9:30,12/9/2026,B,15\n",
                     {"StartTime", "EndTime", "Date", "Appointment", "AlarmTime"})
                  .added,
              2);
    EXPECT_EQ(doc.appointments().find(1)->StartTime, at(8, 10, 0));
    EXPECT_EQ(doc.appointments().find(1)->AlarmTime, at(8, 9, 45));
    EXPECT_EQ(doc.appointments().find(2)->EndTime, at(9, 9, 30));
    // Without an "AlarmTime" column the alarm sits at the start.
    ASSERT_EQ(
        import("C,12/10/2026,10:00,11:00\n", {"Appointment", "Date", "StartTime", "EndTime"}).added,
        1);
    EXPECT_FALSE(doc.appointments().find(3)->Alarm);
    EXPECT_EQ(doc.appointments().find(3)->AlarmTime, at(10, 10, 0));
}

}  // namespace
