#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QWidgetAction>

#include <functional>
#include <set>

#include "FrameFixture.h"
#include "Screenshot.h"
#include "organizer/ui/AppointmentDialog.h"
#include "organizer/ui/GroupDetailsDialog.h"
#include "organizer/ui/GroupsDialog.h"
#include "organizer/ui/OrganizerView.h"
#include "organizer/ui/PersonDialog.h"
#include "organizer/ui/PhoneBookPanel.h"
#include "organizer/ui/ReminderWindow.h"
#include "organizer/ui/TaskDialog.h"
#include "organizer/ui/UserDialog.h"
#include "platform/AlarmSound.h"
#include "reports/ui/PersonSelectionDialog.h"
#include "reports/ui/ReportController.h"
#include "shell/CommandId.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/RestoreBackupDialog.h"
#include "support/ScratchDir.h"
#include "textio/ui/FieldAssignDialog.h"
#include "textio/ui/FilePage.h"
#include "textio/ui/TextTransferWizard.h"

namespace {

// "QPushButton 'ok' in QDialogButtonBox < TaskDialog": enough to find the widget.
std::string describe(const QWidget* widget) {
    QString text = QString::fromLatin1(widget->metaObject()->className());
    if (!widget->objectName().isEmpty()) text += " '" + widget->objectName() + "'";
    text += " in";
    for (const QWidget* up = widget->parentWidget(); up != nullptr; up = up->parentWidget())
        text += QStringLiteral(" ") + up->metaObject()->className() + (up->isWindow() ? "" : " <");
    return text.toStdString();
}

// Calls `visit` on the window as shown, and again with each other page of its tab sheets.
void eachPage(QWidget& window, const std::function<void(QWidget&)>& visit) {
    visit(window);
    for (QTabWidget* tabs : window.findChildren<QTabWidget*>()) {
        for (int page = 1; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            visit(window);
        }
        tabs->setCurrentIndex(0);
    }
}

// The controls of a window a user can reach, by Tab or by a screen reader's review: shown
// buttons, and shown widgets that take the focus themselves rather than passing it on (a
// spin box's line passes it to the spin box, a calendar to its table of days).
std::vector<QWidget*> reachable(QWidget& window) {
    std::vector<QWidget*> found;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool focused =
            widget->focusPolicy() != Qt::NoFocus && widget->focusProxy() == nullptr;
        if (widget->isVisible() && (focused || qobject_cast<QAbstractButton*>(widget) != nullptr))
            found.push_back(widget);
    }
    return found;
}

// The menu, menu bar or tool bar that shows an action as an item of its own; nullptr for
// the actions Qt keeps inside other controls, and for a tool bar's place of a widget,
// which speaks for itself.
QWidget* listedIn(QAction& action) {
    if (action.isSeparator() || !action.isVisible() || qobject_cast<QWidgetAction*>(&action))
        return nullptr;
    for (QObject* shown : action.associatedObjects()) {
        if (qobject_cast<QMenu*>(shown) != nullptr || qobject_cast<QMenuBar*>(shown) != nullptr ||
            qobject_cast<QToolBar*>(shown) != nullptr)
            return static_cast<QWidget*>(shown);
    }
    return nullptr;
}

class AccessibilityTest : public FrameFixture {
protected:
    AccessibilityTest() : FrameFixture(LocalTime{2026, 12, 6, 9, 0, 0, 0}) {}
    void SetUp() override { open(); }
    // The window over a document with a person, a task and an appointment with an alarm.
    void open() {
        start();
        reports = new ReportController(*workspace, *frame, prompts, locale, clock);
        PimDocument& document = frame->document();
        if (document.phGroups().empty()) document.seedDefaultGroups();
        Person ada;
        ada.FName = "Ada";
        ada.LName = "Lovelace";
        ada.RName = "Lovelace, Ada";
        ada.HmPhone = "555-0101";
        ada.EMail = "ada@example.org";
        ada.PhGroups = {*groupNamed(document, "All")};
        document.add(ada);
        Task task = Task::createdAt(today);
        task.Description = "Buy stamps";
        task.Priority = Task::Medium;
        document.add(task);
        Appointment dentist = Appointment::createdAt(DateTime::fromFields(2026, 12, 6, 10, 0));
        dentist.Description = "Dentist";
        dentist.DueDate = today;
        dentist.EndTime = DateTime::fromFields(2026, 12, 6, 10, 30);
        dentist.Alarm = true;
        dentist.AlarmTime = DateTime::fromFields(2026, 12, 6, 9, 45);
        document.add(dentist);
        frame->resize(900, 640);
        frame->show();
        QApplication::processEvents();
    }

    // Shows a window of its own, lets `visit` look at each page, and saves a picture.
    static void showing(QWidget& window, const char* name,
                        const std::function<void(QWidget&)>& visit) {
        window.show();
        QApplication::processEvents();
        screenshot(window, name);
        eachPage(window, visit);
    }

    // Every window the program has, each shown and handed to `visit` page by page.
    void eachWindow(const std::function<void(QWidget&)>& visit) {
        PimDocument& document = frame->document();
        visit(*frame);
        screenshot(*frame, "main-window");
        frame->runCommand(cmd::kReportDaily);
        visit(*frame);
        screenshot(*frame, "print-preview");
        frame->runCommand(cmd::kPreviewClose);

        TaskDialog task(TaskForm::forNew(today), false, locale, frame.get());
        showing(task, "task-dialog", visit);
        AppointmentDialog appointment(AppointmentForm::forNew(today, DateTime::now(clock)), false,
                                      locale, frame.get());
        showing(appointment, "appointment-dialog", visit);
        PersonDialog person(PersonForm::forNew(document), false, frame.get());
        showing(person, "person-dialog", visit);
        UserDialog user(document.user(), frame.get());
        showing(user, "user-dialog", visit);
        GroupsDialog groups(document, nullptr, prompts, frame.get());
        showing(groups, "groups-dialog", visit);
        GroupDetailsDialog group(
            "Family", [](const std::string&) { return GroupChange::Done; }, prompts, frame.get());
        showing(group, "group-details", visit);
        ReminderWindow reminder("Reminder: Dentist",
                                "This is your reminder for your 10:00 AM appointment.", nullptr, "",
                                frame.get());
        showing(reminder, "reminder-window", visit);
        AboutDialog about(frame.get());
        showing(about, "about", visit);
        HelpWindow help(frame.get());
        help.showPage(QStringLiteral("Introduction"));
        showing(help, "help-window", visit);
        RestoreBackupDialog restore({{1, "/backups/home.pgr.1", 1796000000}}, clock, frame.get());
        showing(restore, "restore-backup", visit);
        PersonSelectionDialog chooser("Envelopes", {{1, "Lovelace, Ada"}}, frame.get());
        showing(chooser, "person-selection", visit);
        FieldAssignDialog assign({"First Name", "Last Name"}, "Last Name", frame.get());
        showing(assign, "field-assignment", visit);

        const ScratchDir dir;
        writeBytes(dir.file("names.csv"),
                   "\"First Name\",\"Last Name\"\r\n\"Ada\",\"Lovelace\"\r\n");
        TextTransferSpec spec = makeImportSpec(TransferKind::Persons);
        TextTransferWizard wizard(true, TransferKind::Persons, "Import Names", spec, prompts,
                                  frame.get());
        wizard.filePage()->pathEdit()->setText(QString::fromStdString(dir.file("names.csv")));
        for (const char* page : {"wizard-file-page", "wizard-format-page", "wizard-fields-page"}) {
            showing(wizard, page, visit);
            wizard.next();
        }
    }

    ReportController* reports = nullptr;
    const DateTime today = DateTime::fromFields(2026, 12, 6);
};

TEST_F(AccessibilityTest, EveryControlAUserCanReachHasAName) {
    std::set<std::string> unnamed;
    eachWindow([&](QWidget& window) {
        for (QWidget* widget : reachable(window)) {
            if (QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).isEmpty())
                unnamed.insert(describe(widget));
        }
        for (QAction* action : window.findChildren<QAction*>()) {
            QWidget* shownIn = listedIn(*action);
            if (shownIn != nullptr && action->text().remove(u'&').trimmed().isEmpty())
                unnamed.insert("action of " + describe(shownIn));
        }
    });
    for (const std::string& widget : unnamed)
        ADD_FAILURE() << "no accessible name: " << widget;
}

// At twice the font size (the desktop's 200% text scaling), every label and button still
// shows its whole text: the windows are laid out, not given fixed sizes.
TEST_F(AccessibilityTest, NoTextIsCutAtTwiceTheFontSize) {
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 2);
    QApplication::setFont(large);
    open();  // built for the large font, as it is at start-up
    std::set<std::string> cut;
    eachWindow([&](QWidget& window) {
        for (QLabel* label : window.findChildren<QLabel*>()) {
            if (label->isVisible() && !label->text().isEmpty() && !label->wordWrap() &&
                label->width() < label->minimumSizeHint().width())
                cut.insert(describe(label) + ": " + label->text().toStdString());
        }
        // A push button's text needs its own width and a margin, not the width the style
        // would rather give it.
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            const int needed =
                qobject_cast<QPushButton*>(button) != nullptr
                    ? button->fontMetrics().horizontalAdvance(
                          QString(button->text()).remove(u'&')) +
                          button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                    : button->minimumSizeHint().width();
            if (button->isVisible() && !button->text().isEmpty() && button->width() < needed)
                cut.insert(describe(button) + ": " + button->text().toStdString());
        }
    });
    QApplication::setFont(normal);
    for (const std::string& text : cut)
        ADD_FAILURE() << "text cut: " << text;
}

TEST_F(AccessibilityTest, ListRowsReadOutTheirTextAndWhatTheirImagesMean) {
    OrganizerView& view = *frame->organizerView();
    const auto cell = [](QTreeView* list, int row, int column) {
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(list)->tableInterface();
        return table->cellAt(row, column);
    };
    const struct {
        const char* what;
        QTreeView* list;
        int column;
        QString name;
        QString description;
    } cases[] = {
        {"task priority", view.taskList(), 0, "Buy stamps", "Medium priority"},
        {"appointment", view.appointmentList(), 1, "Dentist", ""},
        {"appointment alarm", view.appointmentList(), 0, "10:00 AM-10:30 AM", "Alarm set"},
        {"person", view.phoneBookPanel()->personList(), 0, "Lovelace, Ada", ""},
    };
    for (const auto& c : cases) {
        QAccessibleInterface* read = cell(c.list, 0, c.column);
        ASSERT_NE(read, nullptr) << c.what;
        EXPECT_EQ(read->text(QAccessible::Name), c.name) << c.what;
        EXPECT_EQ(read->text(QAccessible::Description), c.description) << c.what;
    }
}

// Qt passes the alert on only while an assistive technology listens, which a test cannot
// start; the role is what makes a screen reader announce the window.
TEST(ReminderWindowAccessibility, IsAnAlertThatSaysItsMessage) {
    ReminderWindow window("Reminder: Dentist", "This is your reminder.", nullptr, "", nullptr);
    window.show();
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(read->role(), QAccessible::AlertMessage);
    EXPECT_EQ(read->text(QAccessible::Name), "Reminder: Dentist");
    EXPECT_EQ(read->text(QAccessible::Description), "This is your reminder.");
    window.okButton()->click();
}

}  // namespace
