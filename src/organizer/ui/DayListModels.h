#pragma once

#include "organizer/ui/TwoColumnListModel.h"

class DayView;
class Locale;

// A list of the day view over the rows core computed; the rows stay in the day view.
class DayListModel : public TwoColumnListModel {
    Q_OBJECT

protected:
    DayListModel(const DayView& day, const Locale& locale, const char* firstTitle,
                 const char* secondTitle, QObject* parent)
        : TwoColumnListModel(firstTitle, secondTitle, parent), day_(day), locale_(locale) {}

    const DayView& day_;
    const Locale& locale_;
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
