#include "organizer/ui/DayListModels.h"

#include "organizer/DayView.h"
#include "organizer/ui/RowImages.h"

namespace {

constexpr int kColumns = 2;

QString text(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

QVariant header(int section, Qt::Orientation orientation, int role, const char* first,
                const char* second) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return QString::fromLatin1(section == 0 ? first : second);
}

template <class Rows>
bool isRowCell(const QModelIndex& index, const Rows& rows) {
    return index.isValid() && index.row() >= 0 && static_cast<size_t>(index.row()) < rows.size();
}

}  // namespace

TaskListModel::TaskListModel(const DayView& day, const Locale& locale, QObject* parent)
    : QAbstractTableModel(parent), day_(day), locale_(locale) {}

int TaskListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(day_.taskRows().size());
}

int TaskListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant TaskListModel::data(const QModelIndex& index, int role) const {
    if (!isRowCell(index, day_.taskRows())) return {};
    const TaskRow& row = day_.taskRows()[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return index.column() == 0 ? text(row.description)
                                       : text(row.dueDate.formatDate(locale_, DateStyle::Short));
        case Qt::DecorationRole:
            if (index.column() == 0) return RowImages::priorityDot(row.priority);
            return {};
        default:
            return {};
    }
}

QVariant TaskListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return header(section, orientation, role, "Task", "Original Due Date");
}

AppointmentListModel::AppointmentListModel(const DayView& day, const Locale& locale,
                                           QObject* parent)
    : QAbstractTableModel(parent), day_(day), locale_(locale) {}

int AppointmentListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(day_.appointmentRows().size());
}

int AppointmentListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant AppointmentListModel::data(const QModelIndex& index, int role) const {
    if (!isRowCell(index, day_.appointmentRows())) return {};
    const AppointmentRow& row = day_.appointmentRows()[static_cast<size_t>(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            if (index.column() == 1) return text(row.description);
            return text(row.startTime.formatTime(locale_, TimeStyle::NoSeconds) + "-" +
                        row.endTime.formatTime(locale_, TimeStyle::NoSeconds));
        case Qt::DecorationRole:
            if (index.column() == 0) return row.alarm ? RowImages::alarmClock() : RowImages::none();
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
    return header(section, orientation, role, "Time", "Appointment");
}
