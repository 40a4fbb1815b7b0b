#pragma once

#include <QObject>

#include <cstdint>
#include <functional>

#include "organizer/FocusedList.h"
#include "organizer/ListSelection.h"

class AppointmentListModel;
class DayView;
class Locale;
class QPoint;
class QTreeView;
class QWidget;
class TaskListModel;

// The shown day's appointment and task lists: their models, the clicks, keys and context
// menus on them, and refilling them from the day view with the selection kept in view.
class DayLists : public QObject {
    Q_OBJECT

public:
    DayLists(DayView& day, const Locale& locale, QWidget* parent);

    [[nodiscard]] QTreeView* appointmentList() const { return appointmentList_; }
    [[nodiscard]] QTreeView* taskList() const { return taskList_; }

    // Refills both lists from the day view, or through `refill` when given.
    void refresh(const std::function<void()>& refill = {});

signals:
    // The selection or the focused list changed.
    void selectionChanged();
    // A key asks for a command of the menus.
    void commandRequested(int id);
    // A double click on a task asks to complete the task of that row.
    void taskCompletionRequested(int row);
    // A double click on a birthday or anniversary asks for its person's editor.
    void personRequested(int32_t personId);
    // A right click on a list asks for the menu of that list at a screen position.
    void listMenuRequested(FocusedList list, const QPoint& globalPos);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool listEvent(QTreeView* list, QEvent* event);
    void showSelection(QTreeView* list, const ListSelection& selection);
    void fitColumns();

    DayView& day_;
    bool refilling_ = false;
    QTreeView* appointmentList_ = nullptr;
    QTreeView* taskList_ = nullptr;
    TaskListModel* taskModel_ = nullptr;
    AppointmentListModel* appointmentModel_ = nullptr;
};
