#pragma once

#include <QWidget>

#include "records/MonthDay.h"

class QComboBox;
class QSpinBox;

// The day as the user's long date form writes it, without the day of the week, and without
// the year when it is not known ("April 12, 1990", "12. April").
[[nodiscard]] QString monthDayText(const MonthDay& day);

// A birthday or anniversary field: a month (or none), a day and a year that may be left
// out. `name` ("Birthday") names its three parts for screen readers.
class MonthDayEdit : public QWidget {
    Q_OBJECT

public:
    MonthDayEdit(const QString& name, MonthDay value, QWidget* parent = nullptr);

    // The day shown; unset while no month is chosen.
    [[nodiscard]] MonthDay value() const;
    [[nodiscard]] QComboBox* monthBox() const { return month_; }
    [[nodiscard]] QSpinBox* dayBox() const { return day_; }
    [[nodiscard]] QSpinBox* yearBox() const { return year_; }

signals:
    void edited();

private:
    void monthChosen();

    QComboBox* month_ = nullptr;
    QSpinBox* day_ = nullptr;
    QSpinBox* year_ = nullptr;
};
