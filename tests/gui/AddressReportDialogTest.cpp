#include <QSignalSpy>

#include "FrameFixture.h"
#include "reports/PersonChoice.h"
#include "reports/ui/PersonSelectionDialog.h"
#include "reports/ui/ReportController.h"

namespace {

TEST(PersonSelectionDialog, OkOnlyWithASelection) {
    PersonSelectionDialog dialog("Phone Book", {{1, "Adams"}, {2, "Baker"}, {3, "Cole"}}, nullptr);
    EXPECT_EQ(dialog.windowTitle(), "Phone Book");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    dialog.list()->item(1)->setSelected(true);
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    EXPECT_EQ(dialog.selectedLines(), (std::vector<bool>{false, true, false}));

    dialog.selectAll()->setChecked(true);
    EXPECT_EQ(dialog.selectedLines(), (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    dialog.selectAll()->setChecked(false);
    EXPECT_EQ(dialog.selectedLines(), (std::vector<bool>{false, false, false}));
    EXPECT_FALSE(dialog.okButton()->isEnabled());

    const QSignalSpy help(&dialog, &PersonSelectionDialog::helpRequested);
    for (QPushButton* button : dialog.findChildren<QPushButton*>())
        if (button->text() == "&Help...") button->click();
    EXPECT_EQ(help.value(0).value(0).toString(), "dlgpraddr");
}

class AddressReportCommandsTest : public FrameFixture {
protected:
    AddressReportCommandsTest() : FrameFixture(LocalTime{2026, 5, 12, 9, 0, 0, 0}) {}
    void SetUp() override {
        start();
        reports = new ReportController(*workspace, *frame, prompts, locale, clock,
                                       [this] { return organizer->shownGroup(); });
        const PimDocument& document = workspace->document();
        const int32_t all = *groupNamed(document, "All");
        for (const char* name : {"Cole", "adams", "Baker"}) {
            Person person = listedPerson(name, "", {all});
            person.setLName(name);
            add(person);
        }
    }
    // Answers the selection dialog the next command opens: selects `lines` and presses
    // OK, or Cancel when there are none; keeps the dialog's title and lines.
    void answerDialog(std::vector<int> lines) {
        whenOpen<PersonSelectionDialog>([this, lines](PersonSelectionDialog& dialog) {
            listed = columnTexts(dialog.list()->model());
            title = dialog.windowTitle();
            for (int line : lines)
                dialog.list()->item(line)->setSelected(true);
            if (!lines.empty()) dialog.okButton()->click();
        });
    }

    ReportController* reports = nullptr;
    QStringList listed;
    QString title;
};

TEST_F(AddressReportCommandsTest, ChosenPersonsArePreviewedAndCancelChangesNothing) {
    answerDialog({});
    frame->runCommand(cmd::kReportEnvelopes);
    EXPECT_EQ(title, "Envelopes");
    EXPECT_EQ(listed, (QStringList{"adams", "Baker", "Cole"}));
    EXPECT_FALSE(reports->previewShowing());

    answerDialog({0, 2});
    frame->runCommand(cmd::kReportEnvelopes);
    ASSERT_TRUE(reports->previewShowing());
    // One envelope for each person chosen.
    EXPECT_EQ(statusText(), "Page 1 of 2");
    frame->runCommand(cmd::kPreviewClose);

    answerDialog({1});
    frame->runCommand(cmd::kReportPhoneBook);
    EXPECT_EQ(title, "Phone Book");
    ASSERT_TRUE(reports->previewShowing());
    EXPECT_EQ(statusText(), "Page 1 of 1");
    frame->runCommand(cmd::kPreviewClose);
}

}  // namespace
