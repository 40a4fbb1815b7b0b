#include <gtest/gtest.h>

#include "exchange/CalendarItemPatch.h"
#include "support/ProcessGuards.h"
#include "support/Records.h"

namespace {

std::string todo(const std::string& properties) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VTODO\r\n"
           "UID:t1\r\nDTSTAMP:20261201T100000Z\r\nSUMMARY:Write report\r\n" +
           properties + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

Task writeReport(int32_t priority) {
    return taskDue("Write report", DateTime::fromFields(2026, 12, 1), priority);
}

// Changed fields in order: description, priority, due, done.
TEST(CalendarItemPatchTest, ATodoKeepsTheServersStatusUnlessDoneChanged) {
    const std::string inProgress =
        patchTodo(todo("STATUS:IN-PROCESS\r\nPERCENT-COMPLETE:40\r\nPRIORITY:1\r\n"),
                  writeReport(Task::Low), {false, true, false, false}, "t1");
    for (const char* kept : {"PRIORITY:9", "STATUS:IN-PROCESS", "PERCENT-COMPLETE:40"})
        EXPECT_NE(inProgress.find(kept), std::string::npos) << kept << "\n" << inProgress;
    EXPECT_EQ(inProgress.find("NEEDS-ACTION"), std::string::npos) << inProgress;

    const std::string undone = patchTodo(
        todo("STATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\nCOMPLETED:20261202T100000Z\r\n"),
        writeReport(Task::Medium), {false, true, false, true}, "t1");
    EXPECT_NE(undone.find("STATUS:NEEDS-ACTION\r\nPRIORITY:5"), std::string::npos) << undone;
    for (const char* gone : {"PERCENT-COMPLETE", "COMPLETED:"})
        EXPECT_EQ(undone.find(gone), std::string::npos) << gone << "\n" << undone;
}

TEST(CalendarItemPatchTest, AnEventStartingInASkippedHourHasBothEndsFloating) {
    TzGuard zone{"Europe/Berlin"};
    const auto at = [](int hour, int minute) {
        return DateTime::fromFields(2027, 3, 28, hour, minute);
    };
    Appointment night = appointmentAt("Night shift", at(2, 30), at(3, 30));
    const std::string out = patchEvent("", night, {}, "e1");
    EXPECT_NE(out.find("DTSTART:20270328T023000\r\nDTEND:20270328T033000\r\n"), std::string::npos)
        << out;
}

// What libical cannot read would be lost; with two events, the record read from one (the
// other left out for want of a summary) would be written into the first.
TEST(CalendarItemPatchTest, AnItemThatCannotBeWrittenIntoSafelyIsNotWritten) {
    EXPECT_EQ(patchTodo(todo("DUE:next tuesday\r\n"), writeReport(Task::High),
                        {true, false, false, false}, "t1"),
              "");
    const std::string twoEvents =
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\n"
        "BEGIN:VEVENT\r\nUID:e0\r\nDTSTART:20261207T090000Z\r\nEND:VEVENT\r\n"
        "BEGIN:VEVENT\r\nUID:e1\r\nSUMMARY:Call\r\nDTSTART:20261208T090000Z\r\nEND:VEVENT\r\n"
        "END:VCALENDAR\r\n";
    const Appointment call = appointmentAt("Call", DateTime::fromFields(2026, 12, 8, 10),
                                           DateTime::fromFields(2026, 12, 8, 10));
    EXPECT_EQ(patchEvent(twoEvents, call, {true, true, true, true}, "e1"), "");
}

}  // namespace
