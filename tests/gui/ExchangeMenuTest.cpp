#include <QMenu>

#include "FrameFixture.h"
#include "exchange/ui/ExchangeController.h"

namespace {

class ExchangeMenuTest : public FrameFixture {
protected:
    void SetUp() override {
        start();
        new ExchangeController(*workspace, *frame, prompts, locale);
    }
};

TEST_F(ExchangeMenuTest, ItemsFollowTheTextOnesCardsImportAsOneStepAndCalendarsExport) {
    QStringList imports, exports;
    for (const QMenu* menu : frame->findChildren<QMenu*>())
        for (const QAction* action : menu->actions()) {
            if (menu->title() == "&Import") imports << action->text();
            if (menu->title() == "&Export") exports << action->text();
        }
    EXPECT_EQ(imports, (QStringList{"&Tasks...", "&Phone Book...", "&Appointments...", "",
                                    "&vCard...", "&iCalendar..."}));
    EXPECT_EQ(exports.mid(4), (QStringList{"&vCard...", "&iCalendar..."}));

    const std::string cards = dir.file("friends.vcf");
    writeBytes(cards,
               "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lovelace;Ada;;;\r\nFN:Ada Lovelace\r\n"
               "CATEGORIES:Friends\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\n"
               "FN:Nobody\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\n"
               "N:Hopper;Grace;;;\r\nEND:VCARD\r\n");
    prompts.paths = {cards};
    frame->runCommand(cmd::kImportVCard);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "Imported Names");
    EXPECT_EQ(workspace->document().persons().size(), 3u);
    EXPECT_EQ(workspace->history().undoName(), "Import Names");
    frame->runCommand(cmd::kUndo);
    EXPECT_TRUE(workspace->document().persons().empty());
    EXPECT_EQ(workspace->document().phGroups().size(), 3u);  // the new group went too

    // A file that holds no card is said to be one, and adds nothing.
    writeBytes(dir.file("notes.vcf"), "just some notes\n");
    prompts.paths = {dir.file("notes.vcf")};
    frame->runCommand(cmd::kImportVCard);
    EXPECT_EQ(prompts.messages.back().caption, "Import Error");
    EXPECT_FALSE(workspace->history().canUndo());

    const std::string calendar = dir.file("out.ics");
    prompts.paths = {calendar};
    frame->runCommand(cmd::kExportICalendar);
    EXPECT_EQ(fileBytes(calendar).rfind("BEGIN:VCALENDAR", 0), 0u) << fileBytes(calendar);
}

}  // namespace
