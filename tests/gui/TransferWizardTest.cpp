#include <QGroupBox>
#include <QStandardItemModel>

#include <filesystem>

#include "FrameFixture.h"
#include "textio/ui/FieldAssignDialog.h"
#include "textio/ui/FieldsPage.h"
#include "textio/ui/FilePage.h"
#include "textio/ui/FormatPage.h"
#include "textio/ui/TextTransferController.h"
#include "textio/ui/TextTransferWizard.h"

namespace {

class TransferWizardTest : public FrameFixture {
protected:
    void SetUp() override {
        start();
        new TextTransferController(*workspace, *frame, prompts, locale);
    }
};

// A desktop mail program's layout, with a column we have no field for and one the user
// assigns by hand.
TEST_F(TransferWizardTest, ImportsPersonsOfAnotherProgramAsOneUndoStep) {
    const std::string csv = dir.file("contacts.csv");
    writeBytes(csv,
               "\"Title\";\"First Name\";\"Last Name\";\"Birthday\";\"Mobile Phone\";"
               "\"E-mail Address\";\"Memo\"\r\n"
               "\"Dr.\";\"Ann\";\"Lee\";\"1/2/1970\";\"555 1\";\"ann@x.org\";\"likes tea\"\r\n"
               "\"\";\"Bo\";\"Ek\";\"\";\"\";\"\";\"\"\r\n");
    bool driven = false;
    whenOpen<TextTransferWizard>([&](TextTransferWizard& wizard) {
        EXPECT_EQ(wizard.windowTitle(), "Select Document");
        EXPECT_FALSE(wizard.button(QWizard::NextButton)->isEnabled());
        wizard.filePage()->pathEdit()->setText(QString::fromStdString(csv));
        EXPECT_TRUE(wizard.button(QWizard::NextButton)->isEnabled());
        screenshot(wizard, "wizard-file-page");
        wizard.next();

        FormatPage& format = *wizard.formatPage();
        ASSERT_EQ(wizard.currentPage(), &format);
        EXPECT_EQ(wizard.windowTitle(), "Document Structure");
        EXPECT_TRUE(format.firstLineGroup()->isVisible());
        EXPECT_EQ(format.separatorList()->currentRow(), 1) << "the semicolon is guessed";
        screenshot(wizard, "wizard-format-page");
        wizard.next();

        FieldsPage& fields = *wizard.fieldsPage();
        ASSERT_EQ(wizard.currentPage(), &fields);
        EXPECT_EQ(wizard.windowTitle(), "Fields To Import");
        const QStandardItemModel& model = *fields.model();
        const auto assigned = [&model](int row) { return columnTexts(&model, 1).at(row); };
        EXPECT_EQ(assigned(0), "Position");

        // The title is no position: the user takes it back, and files the memo as notes.
        whenOpen<FieldAssignDialog>([](FieldAssignDialog& dialog) {
            EXPECT_TRUE(dialog.importBox()->isChecked());
            EXPECT_EQ(dialog.fieldList()->currentText(), "Position");
            dialog.importBox()->setChecked(false);
            dialog.accept();
        });
        fields.list()->clicked(model.index(0, 0));
        whenOpen<FieldAssignDialog>([](FieldAssignDialog& dialog) {
            EXPECT_FALSE(dialog.importBox()->isChecked());
            EXPECT_FALSE(dialog.okButton()->isEnabled());
            dialog.fieldList()->setCurrentText("Notes");
            EXPECT_TRUE(dialog.okButton()->isEnabled());
            dialog.accept();
        });
        fields.list()->clicked(model.index(6, 0));
        EXPECT_EQ(assigned(0), "");
        EXPECT_EQ(assigned(6), "Notes");
        screenshot(wizard, "wizard-fields-page");

        wizard.back();
        wizard.back();
        EXPECT_EQ(wizard.filePage()->pathEdit()->text().toStdString(), csv);
        wizard.next();
        wizard.next();
        EXPECT_EQ(assigned(6), "Notes") << "Back and Next keep the assignments";
        wizard.button(QWizard::FinishButton)->click();
        driven = true;
    });
    frame->runCommand(cmd::kImportPhoneBook);
    ASSERT_TRUE(driven);

    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "Imported Names");
    const PimDocument& doc = workspace->document();
    ASSERT_EQ(doc.persons().size(), 2u);
    EXPECT_EQ(doc.persons().find(1)->Position(), "");
    EXPECT_EQ(doc.persons().find(1)->Notes(), "likes tea");
    EXPECT_EQ(organizer->phoneBookPanel()->personList()->model()->rowCount(), 2);

    EXPECT_EQ(workspace->history().undoName(), "Import Names");
    workspace->undo();
    EXPECT_EQ(doc.persons().size(), 0u);
}

// After Finish the window says what happened: an error for a file gone since the first
// page, never "0 imported"; else the count of the lines passed over, their reasons to open.
TEST_F(TransferWizardTest, SaysWhenTheFileCannotBeReadAndHowManyLinesWereSkipped) {
    const std::string csv = dir.file("names.csv");
    for (const bool removed : {true, false}) {
        writeBytes(csv, "First Name,Last Name,Memo\nAnn,Lee,\n,,x\nBo,Ek,\n");
        prompts.messages.clear();
        whenOpen<TextTransferWizard>([&](TextTransferWizard& wizard) {
            wizard.filePage()->pathEdit()->setText(QString::fromStdString(csv));
            wizard.next();
            wizard.next();
            if (removed) std::filesystem::remove(csv);
            wizard.button(QWizard::FinishButton)->click();
        });
        frame->runCommand(cmd::kImportPhoneBook);
        ASSERT_EQ(prompts.messages.size(), 1u);
        const ScriptedPrompts::Shown& shown = prompts.messages[0];
        if (removed) {
            EXPECT_EQ(shown.icon, MessageIcon::Error);
            EXPECT_EQ(shown.caption, "Import Error");
            EXPECT_EQ(shown.text.rfind(csv + ": ", 0), 0u) << shown.text;
            EXPECT_FALSE(workspace->history().canUndo());
        } else {
            EXPECT_EQ(shown.text, "2 names added to current database, 1 line skipped.");
            EXPECT_EQ(shown.details, csv + ":3: skipped: no first name, last name or company\n");
        }
    }
}

TEST_F(TransferWizardTest, ExportRefusesFinishWithNoFieldTicked) {
    add(taskDue("Wrap gifts", DateTime::fromFields(2026, 12, 24)));
    const std::string out = dir.file("out.csv");
    prompts.paths.push_back(out);
    bool stayed = false;
    whenOpen<TextTransferWizard>([&](TextTransferWizard& wizard) {
        wizard.filePage()->browseButton()->click();
        EXPECT_EQ(wizard.filePage()->pathEdit()->text().toStdString(), out);
        wizard.next();
        EXPECT_FALSE(wizard.formatPage()->firstLineGroup()->isVisible());
        wizard.formatPage()->separatorList()->setCurrentRow(1);
        wizard.next();
        QStandardItemModel& model = *wizard.fieldsPage()->model();
        EXPECT_EQ(columnTexts(&model, 0), (QStringList{"Task", "DueDate", "Priority"}));
        wizard.button(QWizard::FinishButton)->click();
        stayed = wizard.isVisible();
        model.item(0)->setCheckState(Qt::Checked);
        model.item(2)->setCheckState(Qt::Checked);
        wizard.button(QWizard::FinishButton)->click();
    });
    frame->runCommand(cmd::kExportTasks);
    EXPECT_TRUE(stayed);
    ASSERT_EQ(prompts.saveDialogs.size(), 1u);
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(fileBytes(out), "\"Task\";\"Priority\"\n\"Wrap gifts\";\"0\"\n");
}

}  // namespace
