#include "organizer/ui/EditorWidgets.h"

#include <QDateEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSpinBox>

#include "organizer/ui/AddressBookHelp.h"
#include "platform/Locale.h"
#include "platform/Translate.h"

namespace {

QString editorHelpText(int helpNumber) {
    switch (helpNumber) {
        case 1000:
            return _("Keeps what you entered and closes the window.");
        case 1001:
            return _("Closes the window and changes nothing.");
        case 1300:
            return _(
                "The day the task is due. Open the calendar with the arrow, "
                "or change the day, month or year with the Up and Down keys.");
        case 1301:
            return _("What is to be done. Ok is available once there is some text.");
        case 1302:
            return _(
                "How urgent the task is. Done marks it finished; the day it was "
                "completed stays as it was.");
        case 1310:
            return _(
                "The day of the appointment. Choosing another day moves the "
                "times and the alarm to it.");
        case 1311:
            return _(
                "What the appointment is. Ok is available once there is some "
                "text.");
        case 1312:
            return _(
                "When the appointment begins and ends, in quarter hours from "
                "5:00 AM to 11:00 PM. Step with the arrows or the Up and Down "
                "keys, or type a time such as 1:30 PM, 13:30 or 130p; the other "
                "time moves along so that the begin stays before the end.");
        case 1313:
            return _(
                "Whether to be reminded, and how many minutes before the "
                "appointment begins: 0 to 60, in steps of 5.");
        case 1314:
            return _(
                "All day makes the appointment take whole days and hides the times. "
                "The end date is the last day of an appointment over several days; "
                "on the date itself it ends the same day.");
        case 1315:
            return _(
                "Whether and how the appointment repeats: every day, week, month or "
                "year, or every few of them; on chosen weekdays, or on the same day or "
                "weekday of each month; ending never, after a number of times or on a "
                "date. The line below says the rule in words. A rule made by another "
                "program that these choices cannot show is kept as it came until "
                "another choice replaces it.");
        default:
            return AddressBookHelp::text(helpNumber);
    }
}

}  // namespace

StepField::StepField(const QString& widest, QWidget* parent)
    : QAbstractSpinBox(parent), widest_(widest) {
    lineEdit()->setReadOnly(true);
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // The value cannot be typed, so the field looks like the window, not like an input.
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    setPalette(colours);
}

void StepField::setText(const QString& text) {
    shown_ = text;
    lineEdit()->setText(text);
}

void StepField::makeTypable() {
    lineEdit()->setReadOnly(false);
    setPalette(QPalette());  // an input again, not a label
    connect(this, &QAbstractSpinBox::editingFinished, this, &StepField::finishTyping);
}

void StepField::finishTyping() {
    // Enter clears the line's own modified flag before it reports the end of the editing,
    // so what was typed is told by the text itself.
    if (lineEdit()->isReadOnly() || lineEdit()->text() == shown_) return;
    shown_ = lineEdit()->text();
    emit typed(shown_);
}

void StepField::stepBy(int steps) {
    for (int i = 0; i < std::abs(steps); ++i)
        emit stepped(steps > 0);
}

QAbstractSpinBox::StepEnabled StepField::stepEnabled() const {
    // Both ways always: the steps wrap at the ends.
    return StepUpEnabled | StepDownEnabled;
}

QSize StepField::sizeHint() const {
    ensurePolished();
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    const QFontMetrics metrics = fontMetrics();
    const QSize text(metrics.horizontalAdvance(widest_ + QLatin1Char(' ')) + 4,
                     lineEdit()->sizeHint().height());
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QDate toQDate(DateTime date) {
    if (!date.isValid()) return {};
    return QDate(date.year(), date.month(), date.day());
}

DateTime fromQDate(QDate date) {
    if (!date.isValid()) return {};
    return DateTime::fromFields(date.year(), date.month(), date.day());
}

QDateEdit* makeDatePicker(const EditorDates& dates, DateTime shown, const Locale& locale,
                          QWidget* parent) {
    auto* picker = new QDateEdit(parent);
    picker->setCalendarPopup(true);
    // The locale's pictures use the letters Qt's display formats use.
    picker->setDisplayFormat(QString::fromStdString(locale.shortDatePicture()));
    picker->setDateRange(toQDate(dates.first), toQDate(dates.last));
    picker->setDate(toQDate(shown));
    return picker;
}

void setEditorHelp(std::initializer_list<QWidget*> widgets, int helpNumber) {
    for (QWidget* widget : widgets) {
        widget->setWhatsThis(editorHelpText(helpNumber));
        widget->setProperty("helpNumber", helpNumber);
    }
}

QDialogButtonBox* makeEditorButtons(QDialog* dialog, QPushButton** ok) {
    auto* buttons = new QDialogButtonBox(dialog);
    *ok = buttons->addButton(_("&Ok"), QDialogButtonBox::AcceptRole);
    QPushButton* cancel = buttons->addButton(_("&Cancel"), QDialogButtonBox::RejectRole);
    (*ok)->setDefault(true);
    setEditorHelp({*ok}, kOkHelp);
    setEditorHelp({cancel}, kCancelHelp);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}
