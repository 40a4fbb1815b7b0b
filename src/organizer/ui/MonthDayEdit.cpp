#include "organizer/ui/MonthDayEdit.h"

#include <QComboBox>
#include <QDate>
#include <QHBoxLayout>
#include <QLocale>
#include <QRegularExpression>
#include <QSpinBox>

#include "platform/Translate.h"

MonthDayEdit::MonthDayEdit(const QString& name, MonthDay value, QWidget* parent) : QWidget(parent) {
    month_ = new QComboBox(this);
    month_->addItem(QString::fromUtf8(_("(none)")));
    for (int month = 1; month <= 12; ++month)
        month_->addItem(QLocale().standaloneMonthName(month));
    month_->setAccessibleName(QString::fromStdString(fillIn(_("%s month"), {name.toStdString()})));
    day_ = new QSpinBox(this);
    day_->setRange(1, 31);
    day_->setAccessibleName(QString::fromStdString(fillIn(_("%s day"), {name.toStdString()})));
    year_ = new QSpinBox(this);
    // The lowest value stands for a day whose year is not known.
    year_->setRange(0, 9999);
    year_->setSpecialValueText(QString::fromUtf8(_("no year")));
    year_->setAccessibleName(QString::fromStdString(fillIn(_("%s year"), {name.toStdString()})));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(month_);
    layout->addWidget(day_);
    layout->addWidget(year_);
    layout->addStretch();
    setFocusProxy(month_);

    if (value.isSet()) {
        month_->setCurrentIndex(value.month());
        day_->setValue(value.day());
        year_->setValue(value.year());
    }
    monthChosen();
    connect(month_, &QComboBox::currentIndexChanged, this, [this] {
        monthChosen();
        emit edited();
    });
    connect(day_, &QSpinBox::valueChanged, this, &MonthDayEdit::edited);
    connect(year_, &QSpinBox::valueChanged, this, &MonthDayEdit::edited);
}

void MonthDayEdit::monthChosen() {
    const int month = month_->currentIndex();
    day_->setEnabled(month != 0);
    year_->setEnabled(month != 0);
    // 29 February is offered whatever the year: 2000 had one.
    if (month != 0) day_->setMaximum(QDate(2000, month, 1).daysInMonth());
}

MonthDay MonthDayEdit::value() const {
    const int month = month_->currentIndex();
    if (month == 0) return {};
    return MonthDay::make(month, day_->value(), year_->value()).value_or(MonthDay());
}

QString monthDayText(const MonthDay& day) {
    if (!day.isSet()) return {};
    QString format = QLocale().dateFormat(QLocale::LongFormat);
    format.remove(QRegularExpression(QStringLiteral("d{4}[,.]?\\s*")));
    // The year goes in as text: 29 February of a common year is no date QDate formats.
    if (day.year() == 0)
        format.remove(QRegularExpression(QStringLiteral("[,.]?\\s*y+")));
    else
        format.replace(QRegularExpression(QStringLiteral("y+")),
                       QStringLiteral("'%1'").arg(day.year()));
    return QLocale().toString(QDate(2000, day.month(), day.day()), format.trimmed());
}
