#include "organizer/DayView.h"

#include "organizer/OccurrenceEdits.h"
#include "records/DocumentDoor.h"

DayView::DayView(DocumentDoor& door) : door_(door), document_(door.document()) {}

DateTime DayView::shownDate() const {
    return document_.currentDate();
}

void DayView::showDate(DateTime date) {
    door_.setCurrentDate(date.date());
    refill();
}

ListSelection DayView::reselected(int32_t id, const auto& rows) {
    // Rows that carry no record (a birthday's) are never the one selected.
    if (id == -1) return {};
    for (size_t row = 0; row < rows.size(); ++row) {
        if (rows[row].id == id) return ListSelection{id, static_cast<int>(row)};
    }
    return {};
}

void DayView::refill() {
    const DateTime shown = shownDate();
    taskRows_ = dayTaskRows(document_, shown, DateTime::today(document_.clock()));
    task_ = reselected(task_.id, taskRows_);
    appointmentRows_ = dayAppointmentRows(document_, shown, schedules_);
    // The same occurrence when it is still listed, else the first row of its appointment.
    ListSelection again = reselected(appointment_.id, appointmentRows_);
    for (size_t row = 0; row < appointmentRows_.size(); ++row) {
        const AppointmentRow& r = appointmentRows_[row];
        if (r.id == appointment_.id && r.id != -1 && r.key == appointmentKey_) {
            again.row = static_cast<int>(row);
            break;
        }
    }
    selectAppointment(again);
}

void DayView::selectAppointment(ListSelection selection) {
    appointment_ = selection;
    const AppointmentRow* row = selectedAppointmentRow();
    appointmentKey_ = row != nullptr ? row->key : DateTime();
}

const AppointmentRow* DayView::selectedAppointmentRow() const {
    if (appointment_.id == -1 || appointment_.row < 0 ||
        static_cast<size_t>(appointment_.row) >= appointmentRows_.size())
        return nullptr;
    return &appointmentRows_[static_cast<size_t>(appointment_.row)];
}

int32_t DayView::personAt(int row) const {
    if (row < 0 || static_cast<size_t>(row) >= appointmentRows_.size()) return 0;
    return appointmentRows_[static_cast<size_t>(row)].personId;
}

void DayView::selectTaskRow(int row) {
    task_ = rowSelection(taskRows_, row);
}

void DayView::selectAppointmentRow(int row) {
    selectAppointment(rowSelection(appointmentRows_, row));
}

void DayView::clickTaskList(int hitRow) {
    focused_ = FocusedList::Tasks;
    task_ = rowSelection(taskRows_, hitRow);
}

void DayView::clickAppointmentList(bool rowHit) {
    focused_ = FocusedList::Appointments;
    // A click beside the rows leaves none selected, as it does in the list itself.
    selectAppointment(rowHit ? rowSelection(appointmentRows_, appointment_.row) : ListSelection{});
    if (appointment_.row >= 0 &&
        appointmentRows_[static_cast<size_t>(appointment_.row)].description.empty())
        appointment_.id = -1;
}

bool DayView::taskCommandsApply() const {
    return focused_ == FocusedList::Tasks && task_.id != -1;
}

bool DayView::appointmentCommandsApply() const {
    return focused_ == FocusedList::Appointments && appointment_.id != -1;
}

void DayView::deleteSelectedTask() {
    if (!taskCommandsApply() || task_.row < 0) return;
    const int32_t id = task_.id;
    task_ = selectionAfterRemoving(taskRows_.size(), task_.row,
                                   [this](size_t i) { return taskRows_[i].id; });
    door_.runStep(UndoStep::DeleteTask, [id](PimDocument& document) { document.remove<Task>(id); });
}

void DayView::completeSelectedTask() {
    if (taskCommandsApply()) complete(task_.id);
}

void DayView::completeTaskAt(int row) {
    const ListSelection hit = rowSelection(taskRows_, row);
    if (hit.id != -1) complete(hit.id);
}

void DayView::complete(int32_t taskId) {
    const Task* stored = document_.tasks().find(taskId);
    if (stored == nullptr) return;
    Task task = *stored;
    task.Priority = Task::Done;
    task.DoneDate = DateTime::today(document_.clock());
    door_.runStep(UndoStep::CompleteTask,
                  [&](PimDocument& document) { document.replace(std::move(task)); });
}

void DayView::deleteSelectedAppointment() {
    if (!appointmentCommandsApply()) return;
    // Delete takes the occurrence the row shows, not the whole series.
    if (const AppointmentRow* row = selectedAppointmentRow(); row != nullptr && row->repeats) {
        (void)removeOccurrence(door_, row->id, row->key);
        return;
    }
    door_.runStep(UndoStep::DeleteAppointment, [id = appointment_.id](PimDocument& document) {
        document.remove<Appointment>(id);
    });
}
