#pragma once

#include <QAbstractTableModel>

class DayView;
class Locale;

// The day view's task list ("Task", "Original Due Date") over the rows core computed.
class TaskListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    TaskListModel(const DayView& day, const Locale& locale, QObject* parent = nullptr);

    // Around a refill of the rows, so that the list forgets the old ones.
    void beginRefill() { beginResetModel(); }
    void endRefill() { endResetModel(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const DayView& day_;
    const Locale& locale_;
};

// The day view's appointment list ("Time", "Appointment"), earliest first.
class AppointmentListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    AppointmentListModel(const DayView& day, const Locale& locale, QObject* parent = nullptr);

    void beginRefill() { beginResetModel(); }
    void endRefill() { endResetModel(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const DayView& day_;
    const Locale& locale_;
};
