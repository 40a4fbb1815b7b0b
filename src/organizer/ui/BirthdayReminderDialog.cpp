#include "organizer/ui/BirthdayReminderDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

#include "platform/Translate.h"

BirthdayReminderDialog::BirthdayReminderDialog(bool remind, int daysBefore, int mostDays,
                                               QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(_("Birthday Reminders"));
    remind_ = new QCheckBox(_("&Remind me of birthdays and anniversaries"), this);
    remind_->setChecked(remind);
    days_ = new QSpinBox(this);
    days_->setRange(0, mostDays);
    days_->setValue(daysBefore);
    days_->setSpecialValueText(_("on the day"));
    days_->setEnabled(remind);
    auto* label = new QLabel(_("&Days before:"), this);
    label->setBuddy(days_);
    days_->setAccessibleName(QString::fromUtf8(_("Days before")));
    auto* form = new QFormLayout;
    form->addRow(label, days_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(remind_);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(remind_, &QCheckBox::toggled, days_, &QWidget::setEnabled);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

bool BirthdayReminderDialog::remind() const {
    return remind_->isChecked();
}

int BirthdayReminderDialog::daysBefore() const {
    return days_->value();
}
