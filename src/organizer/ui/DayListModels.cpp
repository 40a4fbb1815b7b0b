#include "organizer/ui/DayListModels.h"
#include "platform/Translate.h"

#include <algorithm>

#include "organizer/DayView.h"
#include "organizer/ui/RowImages.h"
#include "platform/Translate.h"

namespace {

// What the priority dot says, for a screen reader.
constexpr const char* kPriorityTexts[] = {N_("High priority"), N_("Medium priority"),
                                          N_("Low priority"), N_("Done")};

}  // namespace

TaskListModel::TaskListModel(const DayView& day, const Locale& locale, QObject* parent)
    : DayListModel(day, locale, N_("Task"), N_("Original Due Date"), parent) {}

size_t TaskListModel::rows() const {
    return day_.taskRows().size();
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const {
    if (!isRow(index)) return {};
    const TaskRow& row = day_.taskRows()[static_cast<size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        return index.column() == 0 ? text(row.description)
                                   : text(row.dueDate.formatDate(locale_, DateStyle::Short));
    }
    if (role == Qt::DecorationRole && index.column() == 0)
        return RowImages::priorityDot(row.priority);
    if (role == Qt::AccessibleDescriptionRole && index.column() == 0 && row.priority >= 0 &&
        row.priority < 4)
        return QString::fromUtf8(_(kPriorityTexts[row.priority]));
    return {};
}

AppointmentListModel::AppointmentListModel(const DayView& day, const Locale& locale,
                                           QObject* parent)
    : DayListModel(day, locale, N_("Time"), N_("Appointment"), parent) {}

size_t AppointmentListModel::rows() const {
    return day_.appointmentRows().size();
}

QVariant AppointmentListModel::data(const QModelIndex& index, int role) const {
    if (!isRow(index)) return {};
    const AppointmentRow& row = day_.appointmentRows()[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == 1) return text(row.description);
            return text(appointmentTimes(row, day_.shownDate(), locale_));
        case Qt::DecorationRole:
            if (index.column() == 0) return row.alarm ? RowImages::alarmClock() : RowImages::none();
            if (row.repeats) return RowImages::repeatMark();
            // The descriptions of a day with a series line up with the ones that repeat.
            if (std::any_of(day_.appointmentRows().begin(), day_.appointmentRows().end(),
                            [](const AppointmentRow& r) { return r.repeats; }))
                return RowImages::none();
            return {};
        case Qt::AccessibleDescriptionRole:
            if (index.column() == 0 && row.alarm) return QString::fromUtf8(_("Alarm set"));
            if (index.column() == 1 && row.repeats) return QString::fromUtf8(_("Repeats"));
            return {};
        case Qt::TextAlignmentRole:
            if (index.column() == 1) return QVariant(Qt::AlignCenter);
            return {};
        default:
            return {};
    }
}

QVariant AppointmentListModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    if (role == Qt::TextAlignmentRole && section == 1 && orientation == Qt::Horizontal)
        return QVariant(Qt::AlignCenter);
    return DayListModel::headerData(section, orientation, role);
}
