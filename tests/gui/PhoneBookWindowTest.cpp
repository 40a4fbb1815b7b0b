#include <QAbstractItemModelTester>
#include <QTabWidget>

#include <cstdlib>
#include <optional>

#include "FrameFixture.h"
#include "organizer/ui/PersonDialog.h"
#include "platform/qt/DesktopContactLauncher.h"
#include "support/FakeLauncher.h"
#include "support/ProcessGuards.h"
#include "support/ScratchDir.h"

namespace {

class PhoneBookWindowTest : public FrameFixture {
protected:
    void SetUp() override {
        start({}, &launcher);
        frame->show();
        panel = organizer->phoneBookPanel();
        tester = std::make_unique<QAbstractItemModelTester>(
            panel->personList()->model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    }
    QStringList listedNames() const { return columnTexts(panel->personList()->model()); }
    void chooseGroup(const QString& name) {
        QComboBox* box = panel->groupBox();
        box->setCurrentIndex(box->findText(name));
        emit box->activated(box->currentIndex());
    }

    FakeLauncher launcher;
    PhoneBookPanel* panel = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester;
};

TEST_F(PhoneBookWindowTest, PersonIsAddedFoundByNumberDeletedAndBroughtBack) {
    whenOpen<PersonDialog>([](PersonDialog& sheet) {
        EXPECT_EQ(sheet.windowTitle(), "Add Person");
        QTest::keyClicks(fieldLabelled(sheet.pages()->widget(0), "&First Name:"), "Ada");
        QTest::keyClicks(fieldLabelled(sheet.pages()->widget(0), "&Last Name:"), "Lovelace");
        sheet.groupList()->findItems("White Pages", Qt::MatchExactly).front()->setSelected(true);
        QTest::keyClicks(fieldLabelled(sheet.pages()->widget(1), "&Work Phone:"), "555-0199");
        QTest::keyClicks(fieldLabelled(sheet.pages()->widget(1), "E&xt:"), "12");
        sheet.okButton()->click();
    });
    frame->commands().action(cmd::kPersonAdd)->trigger();

    EXPECT_EQ(panel->groupBox()->currentText(), "All");
    EXPECT_EQ(listedNames(), QStringList{"Lovelace, Ada"});
    EXPECT_EQ(panel->detailButton(PersonDetail::WorkPhone)->toolTip(), "555-0199x12");
    // Which persons a group or a filter lists is the view's rule; the box and typing reach it.
    chooseGroup("Yellow Pages");
    EXPECT_TRUE(listedNames().isEmpty());
    EXPECT_FALSE(panel->detailButton(PersonDetail::WorkPhone)->isEnabled());
    chooseGroup("White Pages");
    QTest::keyClicks(panel->filterBox(), "55501997");
    EXPECT_TRUE(listedNames().isEmpty());
    QTest::keyClick(panel->filterBox(), Qt::Key_Escape);
    EXPECT_EQ(panel->filterBox()->text(), QString());
    ASSERT_EQ(listedNames(), QStringList{"Lovelace, Ada"});

    // Only the number is dialled, without the extension.
    QTreeView* list = panel->personList();
    clickRow(list, 0);
    panel->detailButton(PersonDetail::WorkPhone)->click();
    EXPECT_EQ(launcher.dialled, std::vector<std::string>{"tel:555-0199"});
    EXPECT_TRUE(launcher.opened.empty() && launcher.copied.empty());

    ASSERT_TRUE(enabled(cmd::kPersonDelete));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_TRUE(workspace->document().persons().empty());
    EXPECT_TRUE(listedNames().isEmpty());
    EXPECT_FALSE(panel->detailButton(PersonDetail::HomePhone)->isEnabled());
    EXPECT_EQ(frame->commands().action(cmd::kUndo)->text(), "&Undo Delete Person");

    frame->commands().action(cmd::kUndo)->trigger();
    EXPECT_EQ(listedNames(), QStringList{"Lovelace, Ada"});
}

TEST_F(PhoneBookWindowTest, GroupMailJoinsTheListedAndARefusedMailIsReported) {
    for (const char* name : {"Bea", "Al", "Cy"}) {
        Person person = listedPerson(name);
        person.setFName(name);
        person.setEMail(std::string(name) == "Cy" ? "" : std::string(name) + "@example.org");
        add(person);
    }
    frame->runCommand(cmd::kEmailGroup);
    EXPECT_EQ(launcher.opened, std::vector<std::string>{"mailto:Al@example.org;Bea@example.org"});

    // What a refusal says is the contact actions' rule; it reaches the window's prompts.
    clickRow(panel->personList(), 0);
    launcher.opens = false;
    panel->detailButton(PersonDetail::EMail)->click();
    EXPECT_EQ(launcher.opened.back(), "mailto:Al@example.org");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].caption, "E-Mail Error");
}

// A desktop that neither names a program for tel: nor can open one: the user is offered the
// number to copy rather than told of an unknown error.
TEST(DesktopContactLauncher, ACallNoProgramTakesIsNoDialer) {
    ScratchDir empty;
    const EnvGuard path("PATH", empty.path().c_str());
    const EnvGuard browser("BROWSER", nullptr);
    const EnvGuard defaultBrowser("DEFAULT_BROWSER", nullptr);
    EXPECT_EQ(DesktopContactLauncher().dial("tel:030%201234-5"), DialOutcome::NoDialer);
}

}  // namespace
