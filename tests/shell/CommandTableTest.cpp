#include "shell/CommandTable.h"

#include <gtest/gtest.h>

#include <set>

#include "shell/CommandId.h"
#include "shell/CommandState.h"
#include "shell/MenuLayout.h"

namespace {

bool enabled(int id, const ShellSnapshot& state) {
    return isCommandEnabled(*CommandTable::find(id), state);
}

TEST(CommandTable, IdsAreUniqueAndEveryMenuItemHasARow) {
    std::set<int> ids;
    for (const Command& command : CommandTable::all())
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;

    std::function<void(const std::vector<MenuItem>&)> walk = [&](const auto& items) {
        for (const MenuItem& item : items) {
            if (item.kind == MenuItem::Kind::Command) {
                const Command* command = CommandTable::find(item.commandId);
                ASSERT_NE(command, nullptr) << item.commandId;
                EXPECT_STRNE(command->menuText, "") << item.commandId;
            }
            walk(item.items);
        }
    };
    for (const Menu& menu : menuBarLayout())
        walk(menu.items);
    for (int id : toolbarLayout()) {
        if (id != 0) {
            EXPECT_NE(CommandTable::find(id), nullptr) << id;
        }
    }
}

TEST(CommandTable, RecentEntriesShareOnePrompt) {
    for (int id : {cmd::kRecentFirst, cmd::kRecentLast}) {
        ASSERT_NE(CommandTable::find(id), nullptr);
        EXPECT_STREQ(CommandTable::find(id)->prompt, "Open this document");
    }
    EXPECT_EQ(CommandTable::find(cmd::kRecentLast + 1), nullptr);
}

TEST(CommandTable, PlainTextDropsMnemonicAndDots) {
    EXPECT_EQ(CommandTable::find(cmd::kSaveAs)->plainText(), "Save As");
    EXPECT_EQ(CommandTable::find(cmd::kExit)->plainText(), "Exit");
    Command command;
    command.menuText = "Tom && &Jerry";
    EXPECT_EQ(command.plainText(), "Tom & Jerry");
}

TEST(CommandState, EnablingFollowsTheDocumentAndTheSelection) {
    ShellSnapshot empty;
    ShellSnapshot busy;
    busy.documentModified = true;
    busy.documentHasPath = true;
    busy.taskCount = busy.personCount = busy.appointmentCount = 1;
    busy.dayTaskRows = 1;
    busy.reportChosen = true;
    busy.taskSelected = busy.personSelected = busy.appointmentSelected = true;
    busy.focusedList = FocusedList::Tasks;

    struct Case {
        int id;
        bool whenEmpty;
        bool whenBusy;
    };
    const Case cases[] = {
        {cmd::kNew, true, true},
        {cmd::kSave, false, true},
        {cmd::kBackup, false, true},
        {cmd::kCompact, false, true},
        {cmd::kExportTasks, false, true},
        {cmd::kExportPhoneBook, false, true},
        {cmd::kExportAppointments, false, true},
        {cmd::kImportTasks, true, true},
        {cmd::kTaskDelete, false, true},
        {cmd::kPersonDelete, false, false},  // the task list has the focus
        {cmd::kAppointmentEdit, false, false},
        {cmd::kReportDaily, false, true},
        {cmd::kReportDailyTasks, false, true},
        {cmd::kReportDailyAppointments, false, false},
        {cmd::kReportEnvelopes, false, true},
        {cmd::kPrint, false, true},
        {cmd::kReportWeekly, true, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(enabled(c.id, empty), c.whenEmpty) << c.id;
        EXPECT_EQ(enabled(c.id, busy), c.whenBusy) << c.id;
    }
}

TEST(CommandState, CheckMarksShowTheirFlags) {
    ShellSnapshot state;
    state.openLastFile = true;
    state.useAlarmSound = false;
    state.statusBarVisible = false;
    EXPECT_EQ(commandCheckMark(*CommandTable::find(cmd::kOpenLastFile), state), true);
    EXPECT_EQ(commandCheckMark(*CommandTable::find(cmd::kAudibleAlarm), state), false);
    EXPECT_EQ(commandCheckMark(*CommandTable::find(cmd::kViewToolbar), state), true);
    EXPECT_EQ(commandCheckMark(*CommandTable::find(cmd::kViewStatusBar), state), false);
    EXPECT_EQ(commandCheckMark(*CommandTable::find(cmd::kSave), state), std::nullopt);
}

}  // namespace
