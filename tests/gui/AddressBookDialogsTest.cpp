#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "organizer/AddressBookCommits.h"
#include "organizer/UndoHistory.h"
#include "organizer/ui/PersonDialog.h"
#include "organizer/ui/UserDialog.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "shell/ShellFakes.h"

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
    ScriptedPrompts prompts_;
};

// The field a label names; its buddy, so a missing buddy fails here.
QLineEdit* fieldLabelled(const QWidget* page, const QString& text) {
    for (QLabel* label : page->findChildren<QLabel*>()) {
        if (label->text() == text) return qobject_cast<QLineEdit*>(label->buddy());
    }
    return nullptr;
}

QStringList tabTexts(const QTabWidget* pages) {
    QStringList texts;
    for (int i = 0; i < pages->count(); ++i)
        texts << pages->tabText(i);
    return texts;
}

// Selects all of a field and types over it, as a user would.
void retype(QLineEdit* field, const QString& text) {
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QTest::keyClicks(field, text);
}

TEST_F(AddressBookDialogs, OkIsOfferedWhileFirstNameLastNameOrCompanyHasText) {
    PersonDialog dialog(PersonForm::forNew(document_), false);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Add Person");
    EXPECT_EQ(tabTexts(dialog.pages()), QStringList({"General", "Phone", "Address", "Notes"}));
    EXPECT_EQ(dialog.pages()->currentIndex(), 0);
    EXPECT_FALSE(dialog.okButton()->isEnabled());

    QWidget* general = dialog.pages()->widget(0);
    retype(fieldLabelled(general, "&Position:"), "Clerk");
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.groupList()->viewport(), Qt::LeftButton, {},
                      dialog.groupList()->visualItemRect(dialog.groupList()->item(0)).center());
    EXPECT_FALSE(dialog.okButton()->isEnabled()) << "a group alone is not enough";

    for (const char* label : {"&First Name:", "&Last Name:", "&Company:"}) {
        QLineEdit* field = fieldLabelled(general, label);
        ASSERT_NE(field, nullptr) << label;
        retype(field, "x");
        EXPECT_TRUE(dialog.okButton()->isEnabled()) << label;
        retype(field, "");
        EXPECT_FALSE(dialog.okButton()->isEnabled()) << label;
    }
}

TEST_F(AddressBookDialogs, EveryFieldIsWrittenToItsOwnRecordFieldAndAddedAsOneStep) {
    PersonDialog dialog(PersonForm::forNew(document_), false);
    dialog.show();
    struct Case {
        int page;
        const char* label;
        std::string Person::*field;
    };
    const Case cases[] = {
        {0, "&First Name:", &Person::FName},
        {0, "&Last Name:", &Person::LName},
        {0, "&Company:", &Person::Company},
        {0, "&Position:", &Person::Position},
        {1, "&Home Phone:", &Person::HmPhone},
        {1, "&Work Phone:", &Person::WkPhone},
        {1, "E&xt:", &Person::WkExt},
        {1, "&Fax:", &Person::Fax},
        {1, "&E-Mail:", &Person::EMail},
        {1, "&Pager:", &Person::Pager},
        {1, "&Cel Phone:", &Person::CelPhone},
        {1, "Web &Page:", &Person::WebPage},
        {2, "&Address:", &Person::Addr1},
        {2, "A&ddress:", &Person::Addr2},
        {2, "&City:", &Person::City},
        {2, "&State:", &Person::State},
        {2, "&Zip:", &Person::Zip},
    };
    for (const Case& c : cases) {
        dialog.pages()->setCurrentIndex(c.page);
        QLineEdit* field = fieldLabelled(dialog.pages()->widget(c.page), c.label);
        ASSERT_NE(field, nullptr) << c.label;
        QTest::keyClicks(field, QString(c.label).remove('&') + " ");
        // Typed as text: QTest's key table knows only ASCII.
        QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("ü"),
                            Qt::NoModifier);
    }
    dialog.pages()->setCurrentIndex(3);
    QTest::keyClicks(dialog.notesField(), "first");
    QTest::keyClick(dialog.notesField(), Qt::Key_Return);
    QTest::keyClicks(dialog.notesField(), "second");

    // Chosen out of order; they are stored in list order, then the universal group.
    dialog.pages()->setCurrentIndex(0);
    QListWidget* groups = dialog.groupList();
    ASSERT_EQ(groups->count(), 4);
    EXPECT_EQ(groups->item(0)->text(), "alpha");
    EXPECT_EQ(groups->item(3)->text(), "Zeta");
    for (int row : {3, 0})
        QTest::mouseClick(groups->viewport(), Qt::LeftButton, {},
                          groups->visualItemRect(groups->item(row)).center());

    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    ASSERT_EQ(dialog.result(), QDialog::Accepted);
    const int32_t id = addPerson(document_, &history_, dialog.form());
    ASSERT_NE(id, 0);
    const Person& person = *document_.persons().find(id);
    for (const Case& c : cases)
        EXPECT_EQ(person.*c.field, QString(c.label).remove('&').toStdString() + " ü") << c.label;
    EXPECT_EQ(person.RName, "Last Name: ü, First Name: ü");
    EXPECT_EQ(person.Notes, "first\r\nsecond");
    EXPECT_EQ(person.PhGroups, (std::vector<int32_t>{5, 4, 1}));

    history_.undo();
    EXPECT_EQ(document_.persons().size(), 0u);
}

TEST_F(AddressBookDialogs, EditingKeepsUntouchedBytesAndTurnsNoteBreaksBackIntoCrLf) {
    Person stored;
    stored.Company = "Acme";
    stored.Notes = "one\r\ntwo";
    stored.Addr1 = "unix\nbreak";
    stored.City = std::string(40000, 'c');  // longer than a line edit holds by default
    stored.PhGroups = {2, 4, 1};            // as the editor writes them: list order, then 1
    const int32_t id = document_.add(stored);
    stored.ID = id;

    {
        PersonDialog dialog(PersonForm::of(document_, *document_.persons().find(id)), true);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Edit Person");
        EXPECT_TRUE(dialog.okButton()->isEnabled());
        EXPECT_EQ(dialog.notesField()->toPlainText(), "one\ntwo");
        QStringList chosen;
        for (QListWidgetItem* item : dialog.groupList()->selectedItems())
            chosen << item->text();
        chosen.sort();
        EXPECT_EQ(chosen, QStringList({"White Pages", "Zeta"}));
        // Nothing typed: the form is the stored person.
        EXPECT_EQ(dialog.form().written(), *document_.persons().find(id));
    }

    PersonDialog dialog(PersonForm::of(document_, *document_.persons().find(id)), true);
    dialog.show();
    dialog.groupList()->clearSelection();
    dialog.pages()->setCurrentIndex(2);
    QTest::keyClicks(fieldLabelled(dialog.pages()->widget(2), "&City:"), "!");
    dialog.pages()->setCurrentIndex(3);
    dialog.notesField()->moveCursor(QTextCursor::End);
    QTest::keyClick(dialog.notesField(), Qt::Key_Return);
    QTest::keyClicks(dialog.notesField(), "three");
    ASSERT_TRUE(updatePerson(document_, &history_, dialog.form()));

    const Person& person = *document_.persons().find(id);
    EXPECT_EQ(person.Notes, "one\r\ntwo\r\nthree");
    EXPECT_EQ(person.Addr1, "unix\nbreak");
    EXPECT_EQ(person.City, std::string(40000, 'c') + "!");
    EXPECT_EQ(person.PhGroups, (std::vector<int32_t>{1}));
    history_.undo();
    EXPECT_EQ(*document_.persons().find(id), stored);
}

TEST_F(AddressBookDialogs, MnemonicsReachTheirFieldsAndEscapeCancels) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<PersonDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog));
        QWidget* general = dialog->pages()->widget(0);
        EXPECT_TRUE(fieldLabelled(general, "&First Name:")->hasFocus());
        QTest::keyClick(dialog, Qt::Key_L, Qt::AltModifier);
        EXPECT_TRUE(fieldLabelled(general, "&Last Name:")->hasFocus());
        // Tab goes on down the page and into the group list.
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), dialog->groupList());
        QTest::keyClick(dialog, Qt::Key_L, Qt::AltModifier);
        QTest::keyClicks(QApplication::focusWidget(), "Doe");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(PersonDialog::ask(nullptr, PersonForm::forNew(document_), false).has_value());
}

TEST_F(AddressBookDialogs, UserSheetReturnsTheOwnersNameAndAddress) {
    User start;
    start.Zip = "12345";
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<UserDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Edit User");
        EXPECT_EQ(tabTexts(dialog->pages()), QStringList({"General", "Address"}));
        EXPECT_TRUE(dialog->okButton()->isEnabled()) << "the owner may have no name";
        EXPECT_EQ(dialog->findChild<QListWidget*>(), nullptr);
        QWidget* general = dialog->pages()->widget(0);
        QWidget* address = dialog->pages()->widget(1);
        QTest::keyClicks(fieldLabelled(general, "&First Name:"), "Ann");
        QTest::keyClicks(fieldLabelled(general, "&Position:"), "Owner");
        QTest::keyClicks(fieldLabelled(address, "A&ddress:"), "Flat 2");
        QTest::keyClicks(fieldLabelled(address, "&State:"), "NY");
        QTest::mouseClick(dialog->okButton(), Qt::LeftButton);
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

}  // namespace
