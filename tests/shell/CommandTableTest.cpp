#include "shell/CommandTable.h"

#include <gtest/gtest.h>

#include <set>

#include "shell/CommandId.h"
#include "shell/CommandState.h"
#include "shell/MenuLayout.h"

namespace {

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
    for (int id : toolbarLayout())
        EXPECT_TRUE(id == 0 || CommandTable::find(id)) << id;
    EXPECT_NE(CommandTable::find(cmd::kRecentLast), nullptr);
    EXPECT_EQ(CommandTable::find(cmd::kRecentLast + 1), nullptr);
}

TEST(CommandTable, PlainTextDropsMnemonicAndDots) {
    EXPECT_EQ(CommandTable::find(cmd::kSaveAs)->plainText(), "Save As");
    Command command;
    command.menuText = "Tom && &Jerry";
    EXPECT_EQ(command.plainText(), "Tom & Jerry");
}

TEST(CommandState, EnablingFollowsTheDocumentAndTheSelection) {
    ShellSnapshot empty;
    ShellSnapshot busy;
    busy.documentModified = busy.documentHasPath = busy.reportChosen = true;
    busy.taskCount = busy.personCount = busy.appointmentCount = busy.dayTaskRows = 1;
    busy.taskSelected = busy.personSelected = busy.appointmentSelected = true;
    busy.focusedList = FocusedList::Tasks;

    struct Case {
        int id;
        bool whenEmpty;
        bool whenBusy;
    };
    // The person list lacks the focus, and the day has no appointments. The document's
    // rules are seen through the main window's tests.
    const Case cases[] = {
        {cmd::kNew, true, true},
        {cmd::kExportAppointments, false, true},
        {cmd::kTaskDelete, false, true},
        {cmd::kPersonDelete, false, false},
        {cmd::kReportDaily, false, true},
        {cmd::kReportDailyTasks, false, true},
        {cmd::kReportDailyAppointments, false, false},
        {cmd::kReportEnvelopes, false, true},
        {cmd::kPrint, false, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(isCommandEnabled(*CommandTable::find(c.id), empty), c.whenEmpty) << c.id;
        EXPECT_EQ(isCommandEnabled(*CommandTable::find(c.id), busy), c.whenBusy) << c.id;
    }
}

}  // namespace
