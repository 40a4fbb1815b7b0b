#pragma once

#include <cstdint>
#include <vector>

#include "organizer/DayRows.h"
#include "organizer/FocusedList.h"
#include "organizer/ListSelection.h"
#include "organizer/ScheduleIndex.h"

class DocumentDoor;
class PimDocument;

// The day view without its widgets: the task and appointment rows of the date the
// calendar shows, which row of each list is selected, which list acts on Delete, Edit
// and Complete, and the commands that act on the rows directly. The selection is kept by
// record ID (and occurrence), so it survives every refill that still lists the record.
class DayView {
public:
    // The commands change the records through `door`.
    explicit DayView(DocumentDoor& door);

    // The date shown: the document's current date.
    [[nodiscard]] DateTime shownDate() const;
    // Shows another day (its time of day is dropped) and refills the lists.
    void showDate(DateTime date);
    // Refills the task list, then the appointment list, from the document, reselecting
    // the remembered records.
    void refill();

    [[nodiscard]] const std::vector<TaskRow>& taskRows() const { return taskRows_; }
    [[nodiscard]] const std::vector<AppointmentRow>& appointmentRows() const {
        return appointmentRows_;
    }
    [[nodiscard]] const ListSelection& taskSelection() const { return task_; }
    [[nodiscard]] const ListSelection& appointmentSelection() const { return appointment_; }
    // The row of the selected appointment, nullptr for none: which occurrence it is.
    [[nodiscard]] const AppointmentRow* selectedAppointmentRow() const;
    [[nodiscard]] FocusedList focusedList() const { return focused_; }
    // The person whose birthday or anniversary appointment row `row` shows; 0 for a row of
    // an appointment (a double click on it opens the person).
    [[nodiscard]] int32_t personAt(int row) const;

    // A list got the keyboard focus.
    void focusList(FocusedList list) { focused_ = list; }
    // A row became selected by keyboard or mouse; -1 for none.
    void selectTaskRow(int row);
    void selectAppointmentRow(int row);
    // A click or right click on a list: it takes the focus, and the task list selects the
    // row hit (-1 for none), the appointment list its selected row, or none when the click
    // hit no row. An appointment row without a description counts as none.
    void clickTaskList(int hitRow);
    void clickAppointmentList(bool rowHit);

    // Whether the commands apply: their list has the focus and a record selected.
    [[nodiscard]] bool taskCommandsApply() const;
    [[nodiscard]] bool appointmentCommandsApply() const;

    // Removes the selected task; the selection moves to the row before it (to the new
    // first row when the first went). Nothing when the commands do not apply.
    void deleteSelectedTask();
    // Marks the selected task done today.
    void completeSelectedTask();
    // Marks the task of a row done today (a double click on it).
    void completeTaskAt(int row);
    // Removes the selected appointment.
    void deleteSelectedAppointment();

private:
    void complete(int32_t taskId);
    [[nodiscard]] static ListSelection reselected(int32_t id, const auto& rows);
    void selectAppointment(ListSelection selection);

    DocumentDoor& door_;
    const PimDocument& document_;
    std::vector<TaskRow> taskRows_;
    std::vector<AppointmentRow> appointmentRows_;
    ListSelection task_;
    ListSelection appointment_;
    DateTime appointmentKey_;  // the occurrence selected, null for one that does not repeat
    ScheduleIndex schedules_;
    FocusedList focused_ = FocusedList::None;
};
