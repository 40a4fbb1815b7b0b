#include <QAbstractItemModelTester>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>

#include "GuiHelpers.h"
#include "organizer/AddressBookCommits.h"
#include "organizer/GroupTexts.h"
#include "organizer/ui/GroupDetailsDialog.h"
#include "organizer/ui/GroupListModel.h"
#include "organizer/ui/GroupsDialog.h"
#include "organizer/ui/MonthDayEdit.h"
#include "organizer/ui/PersonDialog.h"
#include "organizer/ui/UserDialog.h"
#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/UndoHistory.h"
#include "workspace/WorkspaceFakes.h"

namespace {

// A document with "All" 1, "White Pages" 2, "Yellow Pages" 3, "Zeta" 4 and "alpha" 5.
class AddressBookDialogs : public testing::Test {
protected:
    AddressBookDialogs() {
        document_.seedDefaultGroups();
        document_.add(PhGroup{0, "Zeta"});
        document_.add(PhGroup{0, "alpha"});
        document_.setModified(false);
        history_.clear();
    }

    FixedClock clock_{LocalTime{2026, 5, 12, 9, 0, 0}};
    PimDocument document_{clock_};
    UndoHistory history_{document_};
    DocumentDoor door_{document_, &history_};
    ScriptedPrompts prompts_;
};

// Typing reaches the record field each label names; fields not typed in keep their bytes.
TEST_F(AddressBookDialogs, EachFieldWritesItsOwnRecordFieldAndUntouchedBytesStay) {
    Person stored;
    stored.setCompany("Acme");
    stored.setNotes("one\r\ntwo");
    stored.setAddr2("unix\nbreak");           // the user sheet shows this field's label is right
    stored.setCity(std::string(40000, 'c'));  // longer than a line edit holds by default
    stored.PhGroups = {2, 4, 1};              // as the editor writes them: list order, then 1
    const int32_t id = document_.add(stored);
    PersonDialog dialog(PersonForm::of(document_, *document_.persons().find(id)), true);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Edit Person");
    EXPECT_EQ(dialog.notesField()->toPlainText(), "one\ntwo");
    QStringList chosen;
    for (QListWidgetItem* item : dialog.groupList()->selectedItems())
        chosen << item->text();
    chosen.sort();
    EXPECT_EQ(chosen, QStringList({"White Pages", "Zeta"}));
    EXPECT_EQ(dialog.form().written(), *document_.persons().find(id)) << "nothing typed";

    const struct {
        int page;
        const char* label;
        PersonText field;
    } cases[] = {
        {0, "&First Name:", PersonText::FName},   {0, "&Last Name:", PersonText::LName},
        {0, "&Company:", PersonText::Company},    {0, "&Position:", PersonText::Position},
        {1, "&Home Phone:", PersonText::HmPhone}, {1, "&Work Phone:", PersonText::WkPhone},
        {1, "E&xt:", PersonText::WkExt},          {1, "&Fax:", PersonText::Fax},
        {1, "&E-Mail:", PersonText::EMail},       {1, "&Pager:", PersonText::Pager},
        {1, "&Cel Phone:", PersonText::CelPhone}, {1, "Web &Page:", PersonText::WebPage},
        {2, "&Address:", PersonText::Addr1},      {2, "&City:", PersonText::City},
        {2, "&State:", PersonText::State},        {2, "&Zip:", PersonText::Zip},
    };
    for (const auto& c : cases) {
        dialog.pages()->setCurrentIndex(c.page);
        QLineEdit* field = fieldLabelled(dialog.pages()->widget(c.page), c.label);
        ASSERT_NE(field, nullptr) << c.label;
        QTest::keyClicks(field, QString(c.label).remove('&') + " ");
        // Typed as text: QTest's key table knows only ASCII.
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, "ü", Qt::NoModifier);
    }
    dialog.groupList()->clearSelection();
    clickRow(dialog.groupList(), 0);
    dialog.pages()->setCurrentIndex(3);
    dialog.notesField()->moveCursor(QTextCursor::End);
    QTest::keyClick(dialog.notesField(), Qt::Key_Return);
    QTest::keyClicks(dialog.notesField(), "three");
    ASSERT_TRUE(updatePerson(door_, dialog.form()));

    const Person& person = *document_.persons().find(id);
    for (const auto& c : cases)
        EXPECT_EQ(person.text(c.field), std::string(stored.text(c.field)) +
                                            QString(c.label).remove('&').toStdString() + " ü")
            << c.label;
    EXPECT_EQ(person.Notes(), "one\r\ntwo\r\nthree");
    EXPECT_EQ(person.Addr2(), "unix\nbreak");
    EXPECT_EQ(person.PhGroups, (std::vector<int32_t>{5, 1})) << "alpha, the first row";
}

TEST_F(AddressBookDialogs, TheDatesPageEditsADayWithOrWithoutItsYear) {
    Person ada;
    ada.setFName("Ada");
    ada.Birthday = MonthDay::parse("1990-02-29").value();
    const int32_t id = document_.add(ada);
    PersonDialog dialog(PersonForm::of(document_, *document_.persons().find(id)), true);
    MonthDayEdit* birthday = dialog.birthdayField();
    EXPECT_EQ(std::tuple(birthday->monthBox()->currentIndex(), birthday->dayBox()->value(),
                         birthday->yearBox()->value()),
              std::tuple(2, 29, 1990));
    EXPECT_EQ(birthday->yearBox()->accessibleName(), "Birthday year");
    EXPECT_FALSE(dialog.anniversaryField()->dayBox()->isEnabled()) << "no month, no day";

    birthday->yearBox()->setValue(0);
    EXPECT_EQ(dialog.form().birthday.text(), "--02-29") << "no year";
    dialog.anniversaryField()->monthBox()->setCurrentIndex(4);
    dialog.anniversaryField()->dayBox()->setValue(31);
    EXPECT_EQ(dialog.anniversaryField()->dayBox()->value(), 30) << "April has 30 days";
    EXPECT_EQ(dialog.form().anniversary.text(), "--04-30");
    birthday->monthBox()->setCurrentIndex(0);
    EXPECT_FALSE(dialog.form().birthday.isSet());
}

TEST_F(AddressBookDialogs, MnemonicsReachTheirFieldsAndEscapeCancels) {
    whenOpen<PersonDialog>([](PersonDialog& dialog) {
        activate(dialog);
        QWidget* general = dialog.pages()->widget(0);
        EXPECT_TRUE(fieldLabelled(general, "&First Name:")->hasFocus());
        QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
        EXPECT_TRUE(fieldLabelled(general, "&Last Name:")->hasFocus());
        // Tab goes on down the page and into the group list.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dialog.groupList());
        QTest::keyClick(&dialog, Qt::Key_L, Qt::AltModifier);
        EXPECT_FALSE(dialog.okButton()->isEnabled());
        QTest::keyClicks(QApplication::focusWidget(), "Doe");
        EXPECT_TRUE(dialog.okButton()->isEnabled()) << "OK follows the typing";
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
    });
    EXPECT_FALSE(PersonDialog::ask(nullptr, PersonForm::forNew(document_), false).has_value());
}

TEST_F(AddressBookDialogs, UserSheetReturnsTheOwnersNameAndAddress) {
    User start;
    start.Zip = "12345";
    whenOpen<UserDialog>([](UserDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit User");
        ASSERT_EQ(dialog.pages()->count(), 2);
        EXPECT_EQ(dialog.pages()->tabText(0) + "|" + dialog.pages()->tabText(1), "General|Address");
        EXPECT_TRUE(dialog.okButton()->isEnabled()) << "the owner may have no name";
        EXPECT_EQ(dialog.findChild<QListWidget*>(), nullptr);
        QWidget* general = dialog.pages()->widget(0);
        QWidget* address = dialog.pages()->widget(1);
        QTest::keyClicks(fieldLabelled(general, "&First Name:"), "Ann");
        QTest::keyClicks(fieldLabelled(general, "&Position:"), "Owner");
        QTest::keyClicks(fieldLabelled(address, "A&ddress:"), "Flat 2");
        QTest::keyClicks(fieldLabelled(address, "&State:"), "NY");
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    });
    const std::optional<User> user = UserDialog::ask(nullptr, start);
    ASSERT_TRUE(user.has_value());
    User expected = start;
    expected.FName = "Ann";
    expected.Position = "Owner";
    expected.Addr2 = "Flat 2";
    expected.State = "NY";
    EXPECT_EQ(*user, expected);
}

TEST_F(AddressBookDialogs, DuplicateDescriptionIsReportedAndTheDetailsStayOpen) {
    GroupDetailsDialog details(
        "", [this](const std::string& desc) { return addGroup(door_, desc); }, prompts_);
    details.show();
    EXPECT_EQ(details.windowTitle(), "Address Book Group Details");
    EXPECT_FALSE(details.okButton()->isEnabled());

    QTest::keyClicks(details.descriptionField(), "White Pages");
    QTest::mouseClick(details.okButton(), Qt::LeftButton);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, duplicateGroupMessage("White Pages"));
    EXPECT_TRUE(details.isVisible());
    EXPECT_EQ(details.descriptionField()->selectedText(), "White Pages");

    QTest::keyClicks(details.descriptionField(), "Family");
    QTest::keyClick(details.descriptionField(), Qt::Key_Return);
    EXPECT_EQ(details.result(), QDialog::Accepted);
    EXPECT_EQ(document_.phGroups().find(6)->Desc, "Family");
    EXPECT_EQ(prompts_.messages.size(), 1u);
}

TEST_F(AddressBookDialogs, GroupListAddsEditsAndDeletesFromItsButtonsAndKeys) {
    Person member;
    member.setLName("Doe");
    member.PhGroups = {2, 1};
    document_.add(member);
    history_.clear();

    GroupsDialog dialog(door_, prompts_);
    const QAbstractItemModelTester tester(dialog.list()->model(),
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    dialog.show();
    activate(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Address Book Groups");
    const auto descs = [&dialog] { return columnTexts(&dialog.model()); };
    EXPECT_EQ(descs(), (QStringList{"All", "White Pages", "Yellow Pages", "Zeta", "alpha"}));

    // Edit and Delete wait for a selected group.
    EXPECT_EQ(dialog.selectedId(), 1);
    EXPECT_TRUE(dialog.deleteButton()->isEnabled());
    dialog.list()->clearSelection();
    EXPECT_FALSE(dialog.deleteButton()->isEnabled() || dialog.editButton()->isEnabled());
    QTest::keyClick(dialog.list(), Qt::Key_Delete);
    EXPECT_TRUE(prompts_.messages.empty());

    // Add, through the details dialog.
    whenOpen<GroupDetailsDialog>([](GroupDetailsDialog& details) {
        QTest::keyClicks(details.descriptionField(), "Family");
        QTest::mouseClick(details.okButton(), Qt::LeftButton);
    });
    QTest::mouseClick(dialog.addButton(), Qt::LeftButton);
    EXPECT_EQ(descs().back(), "Family");
    EXPECT_EQ(dialog.selectedId(), 6);
    activate(dialog);

    // Edit, by a double click on "Zeta".
    whenOpen<GroupDetailsDialog>([](GroupDetailsDialog& details) {
        EXPECT_EQ(details.descriptionField()->text(), "Zeta");
        details.descriptionField()->selectAll();  // and typed over, as a user would
        QTest::keyClick(details.descriptionField(), Qt::Key_Backspace);
        QTest::keyClicks(details.descriptionField(), "Friends");
        QTest::keyClick(details.descriptionField(), Qt::Key_Return);
    });
    // QTest's double click does not reach an item view's doubleClicked on every platform.
    clickRow(dialog.list(), 3);
    emit dialog.list()->doubleClicked(dialog.model().index(3, 0));
    EXPECT_EQ(document_.phGroups().find(4)->Desc, "Friends");
    EXPECT_EQ(dialog.selectedId(), 4);
    EXPECT_EQ(descs()[3], "Friends");
    activate(dialog);

    // Delete: "No" keeps the group; a group in use is refused before any question.
    prompts_.answers = {MessageAnswer::No};
    QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
    EXPECT_TRUE(document_.phGroups().contains(4));
    EXPECT_EQ(std::pair(prompts_.messages.back().text, prompts_.messages.back().buttons),
              std::pair(std::string(kDeleteGroupQuestion), MessageButtons::YesNo));
    clickRow(dialog.list(), 1);
    prompts_.messages.clear();
    prompts_.answers = {MessageAnswer::Yes};
    QTest::keyClick(dialog.list(), Qt::Key_Delete);
    ASSERT_EQ(prompts_.messages.size(), 1u);
    EXPECT_EQ(prompts_.messages[0].text, kGroupInUseMessage);
    EXPECT_TRUE(document_.phGroups().contains(2));

    clickRow(dialog.list(), 2);
    prompts_.answers = {MessageAnswer::Yes};
    QTest::mouseClick(dialog.deleteButton(), Qt::LeftButton);
    EXPECT_FALSE(document_.phGroups().contains(3));
    EXPECT_EQ(dialog.selectedId(), 2) << "the row before the deleted one";
}

}  // namespace
