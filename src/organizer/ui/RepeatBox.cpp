#include "organizer/ui/RepeatBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>

#include "organizer/RepeatForm.h"
#include "organizer/RuleWords.h"
#include "organizer/ui/EditorWidgets.h"
#include "platform/Locale.h"
#include "platform/Translate.h"

namespace {

using Kind = RepeatForm::Kind;
using MonthlyBy = RepeatForm::MonthlyBy;
using Ending = RepeatForm::Ending;

QString text(const std::string& value) {
    return QString::fromStdString(value);
}

// "weeks" after "Every 2".
QString unitOf(Kind kind, int n) {
    const auto count = static_cast<unsigned long>(n);
    switch (kind) {
        case Kind::Daily:
            return P_("day", "days", count);
        case Kind::Weekly:
            return P_("week", "weeks", count);
        case Kind::Monthly:
            return P_("month", "months", count);
        default:
            return P_("year", "years", count);
    }
}

void select(QComboBox* box, int value) {
    box->setCurrentIndex(box->findData(value));
}

}  // namespace

RepeatBox::RepeatBox(RepeatForm& form, const Locale& locale, QWidget* parent)
    : QGroupBox(_("Repeat"), parent), form_(form), locale_(locale) {
    auto* kindLabel = new QLabel(_("&Repeat:"), this);
    kind_ = new QComboBox(this);
    kind_->addItem(C_("repeat", "None"), int(Kind::None));
    kind_->addItem(C_("repeat", "Daily"), int(Kind::Daily));
    kind_->addItem(C_("repeat", "Weekly"), int(Kind::Weekly));
    kind_->addItem(C_("repeat", "Monthly"), int(Kind::Monthly));
    kind_->addItem(C_("repeat", "Yearly"), int(Kind::Yearly));
    // Offered while the series it was opened on is kept as it came.
    if (form_.canKeep()) kind_->addItem(C_("repeat", "As it came"), int(Kind::Kept));
    kindLabel->setBuddy(kind_);

    intervalLabel_ = new QLabel(_("&Interval:"), this);
    interval_ = new QSpinBox(this);
    interval_->setRange(1, RepeatForm::kMaxInterval);
    interval_->setAccessibleName(_("Interval"));
    intervalLabel_->setBuddy(interval_);
    unit_ = new QLabel(this);

    // The weekdays in the order the calendar shows them.
    weekdayRow_ = new QWidget(this);
    auto* weekdayLayout = new QHBoxLayout(weekdayRow_);
    weekdayLayout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 7; ++i) {
        const int dayOfWeek = (locale.firstDayOfWeek() - 1 + i) % 7 + 1;  // 1 Sunday
        const int weekday = (dayOfWeek + 5) % 7;                          // 0 Monday
        auto* box = new QCheckBox(text(locale.dayName(dayOfWeek, true)), weekdayRow_);
        box->setAccessibleName(text(weekdayName(weekday, locale)));
        weekdays_[size_t(weekday)] = box;
        weekdayLayout->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this, weekday](bool on) {
            if (showing_) return;
            form_.setWeekday(weekday, on);
            showValues();
        });
    }
    weekdayLayout->addStretch(1);

    monthlyLabel_ = new QLabel(_("&Which day:"), this);
    monthly_ = new QComboBox(this);
    monthlyLabel_->setBuddy(monthly_);

    endingLabel_ = new QLabel(_("E&nds:"), this);
    ending_ = new QComboBox(this);
    ending_->addItem(_("Never"), int(Ending::Never));
    ending_->addItem(_("After"), int(Ending::AfterCount));
    ending_->addItem(_("On date"), int(Ending::OnDate));
    endingLabel_->setBuddy(ending_);
    count_ = new QSpinBox(this);
    count_->setRange(1, RepeatForm::kMaxCount);
    count_->setAccessibleName(_("Number of times"));
    countUnit_ = new QLabel(this);
    until_ = makeDatePicker(EditorDates::around(form_.start()), form_.until(), locale, this);
    until_->setAccessibleName(_("Last day it repeats on"));

    words_ = new QLabel(this);
    words_->setWordWrap(true);
    words_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* grid = new QGridLayout(this);
    grid->addWidget(kindLabel, 0, 0);
    grid->addWidget(kind_, 0, 1, 1, 3);
    grid->addWidget(intervalLabel_, 1, 0);
    grid->addWidget(interval_, 1, 1);
    grid->addWidget(unit_, 1, 2, 1, 2);
    grid->addWidget(weekdayRow_, 2, 1, 1, 4);
    grid->addWidget(monthlyLabel_, 3, 0);
    grid->addWidget(monthly_, 3, 1, 1, 3);
    grid->addWidget(endingLabel_, 4, 0);
    grid->addWidget(ending_, 4, 1);
    grid->addWidget(count_, 4, 2);
    grid->addWidget(countUnit_, 4, 3);
    grid->addWidget(until_, 4, 2, 1, 2);
    grid->addWidget(words_, 5, 0, 1, 5);
    grid->setColumnStretch(4, 1);

    connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
        if (showing_) return;
        form_.setKind(Kind(kind_->currentData().toInt()));
        showValues();
    });
    connect(interval_, &QSpinBox::valueChanged, this, [this](int n) {
        if (showing_) return;
        form_.setInterval(n);
        showValues();
    });
    connect(monthly_, &QComboBox::currentIndexChanged, this, [this] {
        if (showing_) return;
        form_.setMonthlyBy(MonthlyBy(monthly_->currentData().toInt()));
        showValues();
    });
    connect(ending_, &QComboBox::currentIndexChanged, this, [this] {
        if (showing_) return;
        form_.setEnding(Ending(ending_->currentData().toInt()));
        showValues();
    });
    connect(count_, &QSpinBox::valueChanged, this, [this](int n) {
        if (showing_) return;
        form_.setCount(n);
        showValues();
    });
    connect(until_, &QDateEdit::dateChanged, this, [this](QDate date) {
        if (showing_) return;
        form_.setUntil(fromQDate(date));
        showValues();
    });
    showValues();
}

void RepeatBox::fillMonthly() {
    monthly_->clear();
    const auto on = [this](MonthlyBy by) {
        return text(fillIn(_("on %s"), {weekdayInWords(form_.startWeekday(by), locale_)}));
    };
    monthly_->addItem(text(fillIn(_("on day %s"), {std::to_string(form_.start().day())})),
                      int(MonthlyBy::Day));
    monthly_->addItem(on(MonthlyBy::NthWeekday), int(MonthlyBy::NthWeekday));
    if (form_.startIsLastWeekday())
        monthly_->addItem(on(MonthlyBy::LastWeekday), int(MonthlyBy::LastWeekday));
}

void RepeatBox::showValues() {
    showing_ = true;
    select(kind_, int(form_.kind()));
    interval_->setValue(form_.interval());
    unit_->setText(unitOf(form_.kind(), form_.interval()));
    const int startDay = (form_.start().dayOfWeek() + 5) % 7;
    for (int day = 0; day < 7; ++day) {
        weekdays_[size_t(day)]->setChecked(form_.weekday(day));
        // The start's own weekday always repeats.
        weekdays_[size_t(day)]->setEnabled(day != startDay);
    }
    fillMonthly();
    select(monthly_, int(form_.monthlyBy()));
    select(ending_, int(form_.ending()));
    count_->setValue(form_.count());
    countUnit_->setText(P_("time", "times", static_cast<unsigned long>(form_.count())));
    until_->setMinimumDate(toQDate(form_.start()));
    until_->setDate(toQDate(form_.until()));
    words_->setText(text(form_.words(locale_)));
    showing_ = false;
    showControls();
}

void RepeatBox::showControls() {
    const Kind kind = form_.kind();
    const bool chosen = kind != Kind::None && kind != Kind::Kept;
    for (QWidget* widget : {static_cast<QWidget*>(intervalLabel_), static_cast<QWidget*>(interval_),
                            static_cast<QWidget*>(unit_), static_cast<QWidget*>(endingLabel_),
                            static_cast<QWidget*>(ending_)})
        widget->setVisible(chosen);
    weekdayRow_->setVisible(kind == Kind::Weekly);
    monthlyLabel_->setVisible(kind == Kind::Monthly);
    monthly_->setVisible(kind == Kind::Monthly);
    count_->setVisible(chosen && form_.ending() == Ending::AfterCount);
    countUnit_->setVisible(count_->isVisibleTo(this));
    until_->setVisible(chosen && form_.ending() == Ending::OnDate);
    words_->setVisible(kind != Kind::None);
}
