#pragma once

#include <QAbstractTableModel>

class DayView;
class Locale;

// A two-column list of the day view over the rows core computed; the rows stay in the
// day view, and a refill resets the model.
class DayListModel : public QAbstractTableModel {
    Q_OBJECT

public:
    // Around a refill of the rows, so that the list forgets the old ones.
    void beginRefill() { beginResetModel(); }
    void endRefill() { endResetModel(); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    DayListModel(const DayView& day, const Locale& locale, const char* firstTitle,
                 const char* secondTitle, QObject* parent);
    // The number of rows in the day view, and whether an index names one of them.
    [[nodiscard]] virtual size_t rows() const = 0;
    [[nodiscard]] bool isRow(const QModelIndex& index) const;

    const DayView& day_;
    const Locale& locale_;

private:
    const char* titles_[2];
};

// "Task", "Original Due Date", with the priority's dot.
class TaskListModel : public DayListModel {
    Q_OBJECT

public:
    TaskListModel(const DayView& day, const Locale& locale, QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role) const override;

protected:
    [[nodiscard]] size_t rows() const override;
};

// "Time", "Appointment" (centred), with the alarm clock where an alarm is set.
class AppointmentListModel : public DayListModel {
    Q_OBJECT

public:
    AppointmentListModel(const DayView& day, const Locale& locale, QObject* parent = nullptr);
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

protected:
    [[nodiscard]] size_t rows() const override;
};
