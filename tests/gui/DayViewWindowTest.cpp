#include <gtest/gtest.h>

#include <algorithm>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTextCharFormat>
#include <QTimer>
#include <QTreeView>

#include "FrameFixture.h"
#include "Screenshot.h"
#include "organizer/ui/OrganizerView.h"
#include "organizer/ui/TaskDialog.h"
#include "shell/CommandId.h"
#include "shell/ui/MainFrame.h"

namespace {

class DayViewWindowTest : public FrameFixture {
protected:
    void SetUp() override {
        start();
        frame->show();
        view = frame->organizerView();
        for (QTreeView* list : {view->taskList(), view->appointmentList()}) {
            testers.push_back(std::make_unique<QAbstractItemModelTester>(
                list->model(), QAbstractItemModelTester::FailureReportingMode::Fatal));
        }
    }
    int32_t addTask(const char* text, int32_t priority) {
        Task task = Task::createdAt(DateTime::fromFields(2026, 12, 6));
        task.Description = text;
        task.Priority = priority;
        return frame->document().add(task);
    }
    QString cell(QTreeView* list, int row, int column) {
        return list->model()->index(row, column).data().toString();
    }
    QPoint rowCentre(QTreeView* list, int row) {
        return list->visualRect(list->model()->index(row, 0)).center();
    }

    OrganizerView* view = nullptr;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> testers;
};

TEST_F(DayViewWindowTest, TasksAreAddedCompletedDeletedAndBroughtBackByUndo) {
    // The Add command's dialog, filled in as a user would.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TaskDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(dialog->okButton()->isEnabled());
        QTest::keyClicks(dialog->textField(), "Call the plumber");
        dialog->okButton()->click();
    });
    frame->runCommand(cmd::kTaskAdd);
    addTask("Water the plants", Task::Low);
    QTreeView* tasks = view->taskList();
    ASSERT_EQ(tasks->model()->rowCount(), 2);
    EXPECT_EQ(cell(tasks, 0, 0), "Call the plumber");
    EXPECT_EQ(cell(tasks, 0, 1), "12/6/2026");

    // A double click completes the task under the mouse.
    QTest::mouseClick(tasks->viewport(), Qt::LeftButton, {}, rowCentre(tasks, 1));
    QTest::mouseDClick(tasks->viewport(), Qt::LeftButton, {}, rowCentre(tasks, 1));
    EXPECT_EQ(frame->document().tasks().find(2)->Priority, Task::Done);
    EXPECT_EQ(frame->commands().action(cmd::kUndo)->text(), "&Undo Complete Task");

    // Delete removes the selected task without asking and selects the row before it.
    tasks->setFocus();
    QTest::mouseClick(tasks->viewport(), Qt::LeftButton, {}, rowCentre(tasks, 1));
    EXPECT_TRUE(enabled(cmd::kTaskDelete));
    QTest::keyClick(tasks, Qt::Key_Delete);
    EXPECT_EQ(tasks->model()->rowCount(), 1);
    EXPECT_FALSE(frame->document().tasks().contains(2));
    EXPECT_EQ(tasks->selectionModel()->selectedRows().value(0).row(), 0);
    EXPECT_TRUE(prompts.messages.empty());

    frame->runCommand(cmd::kUndo);
    ASSERT_EQ(tasks->model()->rowCount(), 2);
    EXPECT_EQ(cell(tasks, 1, 0), "Water the plants");
    EXPECT_EQ(frame->commands().action(cmd::kRedo)->text(), "&Redo Delete Task");
}

TEST_F(DayViewWindowTest, AppointmentsListInTimeOrderAndDeleteFromTheirList) {
    for (const auto& [text, hour] : {std::pair{"Lunch", 12}, std::pair{"Standup", 9}}) {
        Appointment a = Appointment::createdAt(DateTime::fromFields(2026, 12, 6, hour, 0));
        a.Description = text;
        a.DueDate = a.StartTime.date();
        a.EndTime = DateTime::fromFields(2026, 12, 6, hour, 30);
        a.Alarm = hour == 12;
        frame->document().add(a);
    }
    QTreeView* list = view->appointmentList();
    ASSERT_EQ(list->model()->rowCount(), 2);
    EXPECT_EQ(cell(list, 0, 0), "9:00 AM-9:30 AM");

    list->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rowCentre(list, 0));
    EXPECT_TRUE(enabled(cmd::kAppointmentDelete));
    EXPECT_FALSE(enabled(cmd::kTaskDelete));
    QTest::keyClick(list, Qt::Key_Delete);
    ASSERT_EQ(list->model()->rowCount(), 1);
    EXPECT_EQ(cell(list, 0, 1), "Lunch");
    EXPECT_FALSE(enabled(cmd::kAppointmentDelete));
}

TEST_F(DayViewWindowTest, FocusStartsOnTheCalendarAndTabReachesBothLists) {
    QApplication::setActiveWindow(frame.get());
    QApplication::processEvents();
    EXPECT_TRUE(view->calendar()->isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == view->calendar());
    std::vector<QWidget*> reached;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.push_back(QApplication::focusWidget());
    }
    EXPECT_NE(std::find(reached.begin(), reached.end(), view->appointmentList()), reached.end());
    EXPECT_NE(std::find(reached.begin(), reached.end(), view->taskList()), reached.end());

    // Choosing another day in the calendar shows it in the label and the lists.
    addTask("Due on the ninth", Task::Medium);
    Task ninth = *frame->document().tasks().find(1);
    ninth.DueDate = DateTime::fromFields(2026, 12, 9);
    frame->document().replace(ninth);
    EXPECT_EQ(view->taskList()->model()->rowCount(), 0);
    view->calendar()->setSelectedDate(QDate(2026, 12, 9));
    EXPECT_EQ(view->taskList()->model()->rowCount(), 1);
    EXPECT_EQ(frame->document().currentDate(), DateTime::fromFields(2026, 12, 9));
}

TEST_F(DayViewWindowTest, CalendarDrawsBusyDaysBoldAndKeepsTodayMarked) {
    addTask("Due on the ninth", Task::Medium);
    Task ninth = *frame->document().tasks().find(1);
    ninth.DueDate = DateTime::fromFields(2026, 12, 9);
    frame->document().replace(ninth);
    Appointment party = Appointment::createdAt(DateTime::fromFields(2027, 1, 2, 18, 0));
    party.DueDate = party.StartTime.date();
    frame->document().add(party);

    QCalendarWidget* calendar = view->calendar();
    calendar->setSelectedDate(QDate(2026, 12, 9));
    const auto bold = [calendar](int year, int month, int day) {
        return calendar->dateTextFormat(QDate(year, month, day)).fontWeight() == QFont::Bold;
    };
    EXPECT_TRUE(bold(2026, 12, 9));
    EXPECT_TRUE(bold(2027, 1, 2));  // shown on December's page too
    EXPECT_FALSE(bold(2026, 12, 10));
    // Today keeps its mark while another day is chosen.
    EXPECT_NE(calendar->dateTextFormat(QDate(2026, 12, 6)).background().style(), Qt::NoBrush);
    screenshot(*calendar, "calendar-busy-days");

    // A change to the document redraws the marks.
    ninth.Priority = Task::Done;
    frame->document().replace(ninth);
    EXPECT_FALSE(bold(2026, 12, 9));
}

}  // namespace
