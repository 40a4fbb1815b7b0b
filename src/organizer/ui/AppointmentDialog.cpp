#include "organizer/ui/AppointmentDialog.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

#include "organizer/ui/EditorWidgets.h"
#include "organizer/ui/RepeatBox.h"
#include "platform/Locale.h"
#include "platform/Translate.h"

namespace {

// The task dialog's numbers are 1300 to 1302; these follow them.
constexpr int kDateHelp = 1310;
constexpr int kTextHelp = 1311;
constexpr int kTimesHelp = 1312;
constexpr int kAlarmHelp = 1313;
constexpr int kDaysHelp = 1314;
constexpr int kRepeatHelp = 1315;

}  // namespace

AppointmentDialog::AppointmentDialog(AppointmentForm start, bool editing, const Locale& locale,
                                     QWidget* parent)
    : QDialog(parent), form_(std::move(start)), twentyFourHour_(usesTwentyFourHourClock(locale)) {
    setWindowTitle(editing ? _("Edit Appointment") : _("Add Appointment"));

    auto* textLabel = new QLabel(_("&Appointment:"), this);
    text_ = new QLineEdit(QString::fromStdString(form_.description()), this);
    text_->setMinimumWidth(text_->fontMetrics().averageCharWidth() * kEditorTextColumns);
    textLabel->setBuddy(text_);
    setEditorHelp({textLabel, text_}, kTextHelp);

    auto* dateLabel = new QLabel(_("&Date Due:"), this);
    date_ = makeDatePicker(EditorDates::around(form_.date()), form_.date(), locale, this);
    dateLabel->setBuddy(date_);
    setEditorHelp({dateLabel, date_}, kDateHelp);

    allDay_ = new QCheckBox(_("A&ll day"), this);
    allDay_->setChecked(form_.allDay());
    auto* endDateLabel = new QLabel(_("End da&te:"), this);
    endDate_ = makeDatePicker(EditorDates::around(form_.endDate()), form_.endDate(), locale, this);
    endDateLabel->setBuddy(endDate_);
    setEditorHelp({allDay_, endDateLabel, endDate_}, kDaysHelp);

    auto* times = new QGroupBox(_("Times"), this);
    times_ = times;
    auto* beginLabel = new QLabel(_("&Begin:"), times);
    begin_ = new StepField(QStringLiteral("00:00 PM"), times);
    beginLabel->setBuddy(begin_);
    auto* endLabel = new QLabel(_("&End:"), times);
    end_ = new StepField(QStringLiteral("00:00 PM"), times);
    endLabel->setBuddy(end_);
    auto* timeGrid = new QGridLayout(times);
    timeGrid->addWidget(beginLabel, 0, 0);
    timeGrid->addWidget(begin_, 0, 1);
    timeGrid->addWidget(endLabel, 1, 0);
    timeGrid->addWidget(end_, 1, 1);
    timeGrid->setColumnStretch(2, 1);
    setEditorHelp({times, beginLabel, begin_, endLabel, end_}, kTimesHelp);

    auto* alarmFrame = new QGroupBox(_("Alarm Options"), this);
    alarm_ = new QCheckBox(_("&Set Alarm"), alarmFrame);
    alarm_->setChecked(form_.alarm());
    auto* minutesLabel = new QLabel(_("&Minutes Before Appointment:"), alarmFrame);
    minutes_ = new StepField(QStringLiteral("60"), alarmFrame);
    minutesLabel->setBuddy(minutes_);
    auto* alarmGrid = new QGridLayout(alarmFrame);
    alarmGrid->addWidget(alarm_, 0, 0, 1, 2);
    alarmGrid->addWidget(minutesLabel, 1, 0);
    alarmGrid->addWidget(minutes_, 1, 1);
    alarmGrid->setColumnStretch(2, 1);
    setEditorHelp({alarmFrame, alarm_, minutesLabel, minutes_}, kAlarmHelp);

    repeat_ = new RepeatBox(form_.repeat(), locale, this);
    setEditorHelp({repeat_}, kRepeatHelp);
    for (QWidget* part : repeat_->findChildren<QWidget*>())
        setEditorHelp({part}, kRepeatHelp);

    QDialogButtonBox* buttons = makeEditorButtons(this, &ok_);

    auto* top = new QGridLayout;
    top->addWidget(textLabel, 0, 0);
    top->addWidget(text_, 0, 1, 1, 3);
    top->addWidget(dateLabel, 1, 0);
    top->addWidget(date_, 1, 1);
    top->addWidget(allDay_, 1, 2);
    top->addWidget(endDateLabel, 2, 0);
    top->addWidget(endDate_, 2, 1);
    top->setColumnStretch(3, 1);
    auto* frames = new QHBoxLayout;
    frames->addWidget(times);
    frames->addWidget(alarmFrame, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(frames);
    layout->addWidget(repeat_);
    // Said when a typed value was moved into the range its field holds.
    rangeNote_ = new QLabel(this);
    rangeNote_->setWordWrap(true);
    rangeNote_->hide();
    layout->addWidget(rangeNote_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(text_, &QLineEdit::textChanged, this, [this](const QString& text) {
        form_.setDescription(text.toStdString());
        ok_->setEnabled(form_.canConfirm());
    });
    connect(date_, &QDateEdit::dateChanged, this, [this](QDate date) {
        form_.setDate(fromQDate(date));
        showValues();
        repeat_->showValues();
    });
    connect(allDay_, &QCheckBox::toggled, this, [this](bool on) {
        form_.setAllDay(on);
        showValues();
    });
    connect(endDate_, &QDateEdit::dateChanged, this, [this](QDate date) {
        form_.setEndDate(fromQDate(date));
        showValues();
    });
    connect(begin_, &StepField::stepped, this, [this](bool up) {
        form_.stepBegin(up);
        showValues();
    });
    connect(end_, &StepField::stepped, this, [this](bool up) {
        form_.stepEnd(up);
        showValues();
    });
    // A time can be typed too; text that is no time puts the shown time back.
    begin_->makeTypable();
    end_->makeTypable();
    connect(begin_, &StepField::typed, this, [this](const QString& text) {
        noteRange(form_.typeBegin(text.toStdString()),
                  AppointmentForm::beginRangeText(twentyFourHour_));
        showValues();
    });
    connect(end_, &StepField::typed, this, [this](const QString& text) {
        noteRange(form_.typeEnd(text.toStdString()),
                  AppointmentForm::endRangeText(twentyFourHour_));
        showValues();
    });
    connect(alarm_, &QCheckBox::toggled, this, [this](bool on) { form_.setAlarm(on); });
    connect(minutes_, &StepField::stepped, this, [this](bool up) {
        form_.stepAlarmMinutes(up);
        showValues();
    });
    minutes_->makeTypable();
    connect(minutes_, &StepField::typed, this, [this](const QString& text) {
        noteRange(form_.typeAlarmMinutes(text.toStdString()), AppointmentForm::alarmRangeText());
        showValues();
    });

    ok_->setEnabled(form_.canConfirm());
    showValues();
    text_->setFocus();
}

void AppointmentDialog::showValues() {
    begin_->setText(
        QString::fromStdString(AppointmentForm::timeText(form_.begin(), twentyFourHour_)));
    end_->setText(QString::fromStdString(AppointmentForm::timeText(form_.end(), twentyFourHour_)));
    minutes_->setText(QString::number(form_.alarmMinutes()));
    // Setting the picker to what the form holds changes nothing more.
    const QSignalBlocker quiet(endDate_);
    endDate_->setMinimumDate(toQDate(form_.date()));
    endDate_->setDate(toQDate(form_.endDate()));
    times_->setVisible(!form_.allDay());
}

void AppointmentDialog::noteRange(AppointmentForm::Typed typed, const std::string& range) {
    if (typed == AppointmentForm::Typed::NotATime) return;
    const bool moved = typed == AppointmentForm::Typed::MovedIntoRange;
    if (moved && !movedByTyping_) {
        // Seen once the window has been drawn again; until then (Enter typed into the
        // field, which also presses OK) the dialog stays open to show it.
        movedByTyping_ = true;
        QTimer::singleShot(0, this, [this] { movedByTyping_ = false; });
    }
    rangeNote_->setText(moved ? QString::fromStdString(range) : QString());
    rangeNote_->setVisible(moved);
}

void AppointmentDialog::accept() {
    begin_->finishTyping();
    end_->finishTyping();
    minutes_->finishTyping();
    // A time just moved into the range stays open to be seen before it is kept.
    if (movedByTyping_) return;
    QDialog::accept();
}

std::optional<AppointmentForm> AppointmentDialog::ask(QWidget* parent, AppointmentForm start,
                                                      bool editing, const Locale& locale) {
    AppointmentDialog dialog(std::move(start), editing, locale, parent);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.form();
}
