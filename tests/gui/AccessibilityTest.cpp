#include <QAccessible>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QWidgetAction>

#include <set>

#include "FrameFixture.h"
#include "organizer/ui/AppointmentDialog.h"
#include "organizer/ui/FindDialog.h"
#include "organizer/ui/GroupDetailsDialog.h"
#include "organizer/ui/GroupsDialog.h"
#include "organizer/ui/OccurrenceQuestion.h"
#include "organizer/ui/PersonDialog.h"
#include "organizer/ui/ReminderWindow.h"
#include "organizer/ui/TaskDialog.h"
#include "organizer/ui/UserDialog.h"
#include "platform/AlarmSound.h"
#include "reports/ui/PersonSelectionDialog.h"
#include "reports/ui/ReportController.h"
#include "shell/ui/AboutDialog.h"
#include "shell/ui/HelpWindow.h"
#include "shell/ui/RestoreBackupDialog.h"
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

// What a user reaches by Tab or a screen reader's review: shown buttons, and shown widgets
// that take the focus themselves rather than pass it on (as a spin box's line does).
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

// The menu or bar showing an action as an item of its own; nullptr for Qt's actions inside
// other controls and for a tool bar's widget, which speaks for itself.
QWidget* listedIn(QAction& action) {
    if (action.isSeparator() || !action.isVisible() || qobject_cast<QWidgetAction*>(&action))
        return nullptr;
    for (QObject* shown : action.associatedObjects())
        if (qobject_cast<QMenu*>(shown) != nullptr || qobject_cast<QMenuBar*>(shown) != nullptr ||
            qobject_cast<QToolBar*>(shown) != nullptr)
            return static_cast<QWidget*>(shown);
    return nullptr;
}

class AccessibilityTest : public FrameFixture {
protected:
    AccessibilityTest() : FrameFixture(LocalTime{2026, 12, 6, 9, 0, 0, 0}) {}
    void SetUp() override { open(); }
    // The window over a document with a person, a task and an appointment with an alarm.
    void open() {
        start();
        reports = new ReportController(*workspace, *frame, prompts, locale, clock,
                                       [this] { return organizer->shownGroup(); });
        const PimDocument& document = workspace->document();
        Person ada = listedPerson("Lovelace, Ada", "", {*groupNamed(document, "All")});
        ada.setFName("Ada");
        ada.setLName("Lovelace");
        ada.setHmPhone("555-0101");
        ada.setEMail("ada@example.org");
        add(ada);
        add(taskDue("Buy stamps", today, Task::Medium));
        add(appointmentAt("Dentist", DateTime::fromFields(2026, 12, 6, 10, 0),
                          DateTime::fromFields(2026, 12, 6, 10, 30), 15));
        frame->resize(900, 640);
        frame->show();
        QApplication::processEvents();
    }

    static void showing(QWidget& window, const char* name,
                        const std::function<void(QWidget&)>& visit) {
        window.show();
        QApplication::processEvents();
        screenshot(window, name);
        eachPage(window, visit);
    }

    // Every window the program has, each shown and handed to `visit` page by page.
    void eachWindow(const std::function<void(QWidget&)>& visit) {
        const PimDocument& document = workspace->document();
        // A filter with text shows its clear button.
        QTest::keyClicks(frame->findChild<QLineEdit*>(QStringLiteral("personFilter")), "a");
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
        // The repeat choices, as a weekly series to a date and as monthly whole days shows them.
        AppointmentForm series = AppointmentForm::forNew(today, DateTime::now(clock));
        series.repeat().setKind(RepeatForm::Kind::Weekly);
        series.repeat().setEnding(RepeatForm::Ending::OnDate);
        AppointmentDialog weekly(series, false, locale, frame.get());
        showing(weekly, "appointment-dialog-weekly", visit);
        series.setAllDay(true);
        series.repeat().setKind(RepeatForm::Kind::Monthly);
        series.repeat().setEnding(RepeatForm::Ending::AfterCount);
        AppointmentDialog monthly(series, false, locale, frame.get());
        showing(monthly, "appointment-dialog-monthly", visit);
        PersonDialog person(PersonForm::forNew(document), false, frame.get());
        showing(person, "person-dialog", visit);
        UserDialog user(document.user(), frame.get());
        showing(user, "user-dialog", visit);
        GroupsDialog groups(workspace->door(), prompts, frame.get());
        showing(groups, "groups-dialog", visit);
        GroupDetailsDialog group(
            "Family", [](const std::string&) { return GroupChange::Done; }, prompts, frame.get());
        showing(group, "group-details", visit);
        ReminderWindow reminder("Reminder: Dentist",
                                "This is your reminder for your 10:00 AM appointment.", nullptr, "",
                                frame.get());
        showing(reminder, "reminder-window", visit);
        OccurrenceQuestion question(OccurrenceQuestion::Action::Change, "Standup",
                                    "Thursday, December 10, 2026", frame.get());
        showing(question, "occurrence-question", visit);
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
        frame->runCommand(cmd::kFind);
        FindDialog& find = *organizer->findDialog();
        QTest::keyClicks(find.textBox(), "e");
        EXPECT_TRUE(QTest::qWaitFor([&] { return !find.searching(); }));
        showing(find, "find-window", visit);
        find.hide();

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

// At twice the font size (the desktop's 200% text scaling), every label and button still
// shows its whole text: the windows are laid out, not given fixed sizes. Every control has
// a name for a screen reader, and every field of the editors answers What's This.
TEST_F(AccessibilityTest, EveryWindowShowsWholeTextsAtTwiceTheFontSizeAndNamesItsControls) {
    static const QStringList editors = {"TaskDialog", "AppointmentDialog", "PersonDialog",
                                        "UserDialog", "GroupsDialog",      "GroupDetailsDialog"};
    const QFont normal = QApplication::font();
    QFont large = normal;
    large.setPointSizeF(normal.pointSizeF() * 2);
    QApplication::setFont(large);
    open();  // built for the large font, as it is at start-up
    std::set<std::string> faults;
    eachWindow([&](QWidget& window) {
        for (QLabel* label : window.findChildren<QLabel*>())
            if (label->isVisible() && !label->text().isEmpty() && !label->wordWrap() &&
                label->width() < label->minimumSizeHint().width())
                faults.insert("text cut: " + describe(label) + ": " + label->text().toStdString());
        // A push button's text needs its width and a margin, not what the style prefers.
        for (QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
            const int needed =
                qobject_cast<QPushButton*>(button) != nullptr
                    ? button->fontMetrics().horizontalAdvance(
                          QString(button->text()).remove(u'&')) +
                          button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button)
                    : button->minimumSizeHint().width();
            if (button->isVisible() && !button->text().isEmpty() && button->width() < needed)
                faults.insert("text cut: " + describe(button) + ": " +
                              button->text().toStdString());
        }
        for (QWidget* widget : reachable(window))
            if (QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name).isEmpty())
                faults.insert("no accessible name: " + describe(widget));
        for (QAction* action : window.findChildren<QAction*>()) {
            QWidget* shownIn = listedIn(*action);
            if (shownIn != nullptr && action->text().remove(u'&').trimmed().isEmpty())
                faults.insert("no accessible name: action of " + describe(shownIn));
        }
        if (!editors.contains(window.metaObject()->className())) return;
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            QString name;
            if (auto* label = qobject_cast<QLabel*>(widget)) name = label->text();
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) name = button->text();
            if (auto* box = qobject_cast<QGroupBox*>(widget)) name = box->title();
            if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QAbstractItemView*>(widget) ||
                qobject_cast<QPlainTextEdit*>(widget))
                name = widget->metaObject()->className();
            // The line edit inside a list's editor and the tab bar's arrows are Qt's own.
            if (name.isEmpty() || widget->parentWidget()->inherits("QAbstractItemView") ||
                widget->parentWidget()->inherits("QAbstractSpinBox"))
                continue;
            if (widget->whatsThis().isEmpty())
                faults.insert("no What's This: " + window.windowTitle().toStdString() + ": " +
                              name.toStdString());
        }
    });
    QApplication::setFont(normal);
    for (const std::string& fault : faults)
        ADD_FAILURE() << fault;
}

TEST_F(AccessibilityTest, ListRowsReadOutTheirTextAndImagesAndTheReminderIsAnAlert) {
    OrganizerView& view = *organizer;
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
        QAccessibleInterface* read =
            QAccessible::queryAccessibleInterface(c.list)->tableInterface()->cellAt(0, c.column);
        ASSERT_NE(read, nullptr) << c.what;
        EXPECT_EQ(read->text(QAccessible::Name), c.name) << c.what;
        EXPECT_EQ(read->text(QAccessible::Description), c.description) << c.what;
    }

    // The role makes a screen reader announce the reminder (Qt passes the alert on only
    // while an assistive technology listens, which a test cannot start).
    ReminderWindow window("Reminder: Dentist", "This is your reminder.", nullptr, "", nullptr);
    window.show();
    QAccessibleInterface* read = QAccessible::queryAccessibleInterface(&window);
    EXPECT_EQ(read->role(), QAccessible::AlertMessage);
    EXPECT_EQ(read->text(QAccessible::Name), "Reminder: Dentist");
    EXPECT_EQ(read->text(QAccessible::Description), "This is your reminder.");
    window.okButton()->click();
}

}  // namespace
