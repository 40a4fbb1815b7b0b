#include <algorithm>

#include <QAbstractItemModelTester>
#include <QTextCharFormat>
#include <QToolButton>

#include "FrameFixture.h"
#include "organizer/ui/TaskDialog.h"

namespace {

class DayViewWindowTest : public FrameFixture {
protected:
    void SetUp() override {
        start();
        frame->show();
        for (QTreeView* list : {organizer->taskList(), organizer->appointmentList()})
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                list->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
    }
    static QString cell(QTreeView* list, int row, int column) {
        return list->model()->index(row, column).data().toString();
    }

    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

TEST_F(DayViewWindowTest, TasksAreAddedCompletedDeletedAndBroughtBackByUndo) {
    whenOpen<TaskDialog>([](TaskDialog& dialog) {
        QTest::keyClicks(dialog.textField(), "Call the plumber");
        dialog.okButton()->click();
    });
    frame->runCommand(cmd::kTaskAdd);
    add(taskDue("Water the plants", DateTime::fromFields(2026, 12, 6), Task::Low));
    QTreeView* tasks = organizer->taskList();
    ASSERT_EQ(tasks->model()->rowCount(), 2);
    EXPECT_EQ(cell(tasks, 0, 0), "Call the plumber");
    EXPECT_EQ(cell(tasks, 0, 1), "12/6/2026");

    // A double click completes the task under the mouse.
    clickRow(tasks, 1);
    QTest::mouseDClick(tasks->viewport(), Qt::LeftButton, {},
                       tasks->visualRect(tasks->model()->index(1, 0)).center());
    EXPECT_EQ(workspace->document().tasks().find(2)->Priority, Task::Done);
    EXPECT_EQ(frame->commands().action(cmd::kUndo)->text(), "&Undo Complete Task");

    // Delete removes the selected task without asking and selects the row before it.
    tasks->setFocus();
    clickRow(tasks, 1);
    EXPECT_TRUE(enabled(cmd::kTaskDelete));
    QTest::keyClick(tasks, Qt::Key_Delete);
    EXPECT_EQ(tasks->model()->rowCount(), 1);
    EXPECT_FALSE(workspace->document().tasks().contains(2));
    EXPECT_EQ(tasks->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_TRUE(prompts.messages.empty());

    frame->runCommand(cmd::kUndo);
    ASSERT_EQ(tasks->model()->rowCount(), 2);
    EXPECT_EQ(cell(tasks, 1, 0), "Water the plants");
    EXPECT_EQ(frame->commands().action(cmd::kRedo)->text(), "&Redo Delete Task");

    // The Delete key and the commands follow the list that has the focus.
    add(appointmentAt("Lunch", DateTime::fromFields(2026, 12, 6, 12, 0),
                      DateTime::fromFields(2026, 12, 6, 12, 30)));
    QTreeView* appointments = organizer->appointmentList();
    appointments->setFocus();
    clickRow(appointments, 0);
    EXPECT_TRUE(enabled(cmd::kAppointmentDelete));
    EXPECT_FALSE(enabled(cmd::kTaskDelete));
    QTest::keyClick(appointments, Qt::Key_Delete);
    EXPECT_EQ(appointments->model()->rowCount(), 0);
    EXPECT_EQ(tasks->model()->rowCount(), 2);
    EXPECT_FALSE(enabled(cmd::kAppointmentDelete));
}

TEST_F(DayViewWindowTest, FocusStartsOnTheCalendarAndTabReachesBothLists) {
    QApplication::setActiveWindow(frame.get());
    QApplication::processEvents();
    EXPECT_TRUE(organizer->calendar()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == organizer->calendar());
    std::vector<QWidget*> reached;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    for (QWidget* list :
         std::initializer_list<QWidget*>{organizer->appointmentList(), organizer->taskList()})
        EXPECT_NE(std::find(reached.begin(), reached.end(), list), reached.end());
}

// Which days are busy is the day view's rule; the calendar draws them, next month's days on
// this page too, redraws them on a change and keeps today marked while another day is chosen.
TEST_F(DayViewWindowTest, CalendarDrawsBusyDaysBoldAndKeepsTodayMarked) {
    Task ninth = taskDue("Due on the ninth", DateTime::fromFields(2026, 12, 9), Task::Medium);
    ninth.ID = add(ninth);
    const DateTime party = DateTime::fromFields(2027, 1, 2, 18, 0);
    add(appointmentAt("Party", party, party));
    QCalendarWidget* calendar = organizer->calendar();
    calendar->setSelectedDate(QDate(2026, 12, 9));
    EXPECT_EQ(organizer->taskList()->model()->rowCount(), 1);
    const auto bold = [calendar](int year, int month, int day) {
        return calendar->dateTextFormat(QDate(year, month, day)).fontWeight() == QFont::Bold;
    };
    EXPECT_TRUE(bold(2026, 12, 9) && bold(2027, 1, 2)) << "next month's day on this page too";
    EXPECT_NE(calendar->dateTextFormat(QDate(2026, 12, 6)).background().style(), Qt::NoBrush);

    ninth.Priority = Task::Done;
    replace(ninth);
    EXPECT_FALSE(bold(2026, 12, 9));
}

// The month arrows take the chosen day along to the same day of the new month, or its last,
// so that the outline and the lists show one day.
TEST_F(DayViewWindowTest, PagingMonthsTakesTheChosenDayAlong) {
    add(taskDue("Due on the 28th", DateTime::fromFields(2027, 2, 28)));
    QCalendarWidget* calendar = organizer->calendar();
    calendar->setSelectedDate(QDate(2026, 12, 31));
    auto* next = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_nextmonth"));
    ASSERT_NE(next, nullptr);
    next->click();
    EXPECT_EQ(calendar->selectedDate(), QDate(2027, 1, 31));
    next->click();
    EXPECT_EQ(calendar->selectedDate(), QDate(2027, 2, 28));
    EXPECT_EQ(organizer->day().shownDate(), DateTime::fromFields(2027, 2, 28));
    EXPECT_EQ(organizer->taskList()->model()->rowCount(), 1) << "the lists follow";
    calendar->setSelectedDate(QDate(2026, 12, 9));
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 12, 9)) << "a day chosen elsewhere stays";
}

}  // namespace
