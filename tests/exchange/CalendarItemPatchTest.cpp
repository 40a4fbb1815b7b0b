#include <gtest/gtest.h>

#include "exchange/CalendarItemPatch.h"
#include "support/Records.h"
#include "support/TzGuard.h"

namespace {

std::string todo(const std::string& properties) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\nBEGIN:VTODO\r\n"
           "UID:t1\r\nDTSTAMP:20261201T100000Z\r\nSUMMARY:Write report\r\n" +
           properties + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

TEST(CalendarItemPatchTest, ATodoKeepsTheServersStatusUnlessDoneChanged) {
    struct Row {
        const char* label;
        std::string server;
        int32_t priority;
        std::vector<bool> changed;  // description, priority, due, done
        std::vector<std::string> present;
        std::vector<std::string> absent;
    };
    const Row rows[] = {
        {"priority of one in progress",
         todo("STATUS:IN-PROCESS\r\nPERCENT-COMPLETE:40\r\nPRIORITY:1\r\n"),
         Task::Low,
         {false, true, false, false},
         {"PRIORITY:9", "STATUS:IN-PROCESS", "PERCENT-COMPLETE:40"},
         {"NEEDS-ACTION"}},
        {"done undone",
         todo("STATUS:COMPLETED\r\nPERCENT-COMPLETE:100\r\nCOMPLETED:20261202T100000Z\r\n"),
         Task::Medium,
         {false, true, false, true},
         {"STATUS:NEEDS-ACTION", "PRIORITY:5"},
         {"PERCENT-COMPLETE", "COMPLETED:"}},
    };
    for (const Row& row : rows) {
        Task task;
        task.Description = "Write report";
        task.Priority = row.priority;
        const std::string out = patchTodo(row.server, task, row.changed, "t1");
        for (const std::string& text : row.present)
            EXPECT_NE(out.find(text), std::string::npos) << row.label << ": " << text << "\n"
                                                         << out;
        for (const std::string& text : row.absent)
            EXPECT_EQ(out.find(text), std::string::npos) << row.label << ": " << text << "\n"
                                                         << out;
    }
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

TEST(CalendarItemPatchTest, AnItemWithAPropertyLibicalCannotReadIsNotWritten) {
    Task task;
    task.Description = "Write report, longer";
    EXPECT_EQ(patchTodo(todo("DUE:next tuesday\r\n"), task, {true, false, false, false}, "t1"), "");
}

}  // namespace
