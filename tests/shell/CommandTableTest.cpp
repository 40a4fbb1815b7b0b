#include "shell/CommandTable.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <map>
#include <set>
#include <string_view>

#include "shell/CommandId.h"
#include "shell/CommandState.h"
#include "shell/MenuLayout.h"

namespace {

// The letter after the single '&' of a menu text, in lower case; 0 for none.
char mnemonic(std::string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return char(std::tolower(static_cast<unsigned char>(text[i + 1])));
        ++i;
    }
    return 0;
}

TEST(CommandTable, EveryMenuItemHasARowAndAMnemonicOfItsOwnAndNoTwoCommandsAShortcut) {
    std::set<int> ids;
    for (const Command& command : CommandTable::all())
        EXPECT_TRUE(ids.insert(command.id).second) << command.id;
    std::function<void(const std::string&, const std::vector<MenuItem>&)> check =
        [&](const std::string& menu, const std::vector<MenuItem>& items) {
            std::map<char, std::string> taken;
            for (const MenuItem& item : items) {
                if (item.kind == MenuItem::Kind::Separator ||
                    item.kind == MenuItem::Kind::RecentFiles)
                    continue;
                std::string text = item.title;
                if (item.kind == MenuItem::Kind::Command) {
                    const Command* command = CommandTable::find(item.commandId);
                    ASSERT_NE(command, nullptr) << item.commandId;
                    text = command->menuText;
                }
                const char letter = mnemonic(text);
                EXPECT_NE(letter, 0) << menu << ": " << text << " has no mnemonic";
                const auto [it, added] = taken.emplace(letter, text);
                EXPECT_TRUE(added) << menu << ": " << text << " and " << it->second;
                check(text, item.items);
            }
        };
    std::vector<MenuItem> bar;
    for (const Menu& menu : menuBarLayout())
        bar.push_back(MenuItem{MenuItem::Kind::Submenu, 0, menu.title, menu.items});
    check("menu bar", bar);
    for (int id : toolbarLayout())
        EXPECT_TRUE(id == 0 || CommandTable::find(id)) << id;
    EXPECT_NE(CommandTable::find(cmd::kRecentLast), nullptr);
    EXPECT_EQ(CommandTable::find(cmd::kRecentLast + 1), nullptr);

    std::map<std::string, int> shortcuts;
    for (const Command& command : CommandTable::all()) {
        if (*command.accelerator == '\0') continue;
        const auto [it, added] = shortcuts.emplace(command.accelerator, command.id);
        EXPECT_TRUE(added) << command.accelerator << ": " << command.id << " and " << it->second;
    }
    for (const int id : {cmd::kExit, cmd::kTaskAdd, cmd::kAppointmentAdd, cmd::kPersonAdd})
        EXPECT_STRNE(CommandTable::find(id)->accelerator, "") << id;
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
    busy.taskSelected = busy.appointmentSelected = true;

    // No person is selected in the list that has the focus, and the day has no
    // appointments. The document's rules are seen through the main window's tests.
    const struct {
        int id;
        bool whenEmpty;
        bool whenBusy;
    } cases[] = {
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
    for (const auto& c : cases) {
        EXPECT_EQ(isCommandEnabled(*CommandTable::find(c.id), empty), c.whenEmpty) << c.id;
        EXPECT_EQ(isCommandEnabled(*CommandTable::find(c.id), busy), c.whenBusy) << c.id;
    }
}

}  // namespace
