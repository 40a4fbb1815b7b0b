#pragma once

#include <QAbstractSpinBox>
#include <QDate>

#include "organizer/EditorDates.h"
#include "records/DateTime.h"

class Locale;
class QDateEdit;
class QDialog;
class QDialogButtonBox;
class QPushButton;

// The pieces the record editors share.

// The help numbers of the OK and Cancel buttons.
inline constexpr int kOkHelp = 1000;
inline constexpr int kCancelHelp = 1001;
// The text field is wide enough for a sentence without scrolling.
inline constexpr int kEditorTextColumns = 40;

// A field with up and down buttons: the arrows, the Up and Down keys and the wheel only
// say which way to step, and the owner sets the text the step leads to. It is read-only
// unless made typable.
class StepField : public QAbstractSpinBox {
    Q_OBJECT

public:
    // `widest` is the longest text the field will show, for its width.
    StepField(const QString& widest, QWidget* parent = nullptr);

    void setText(const QString& text);
    // Lets the user type a value too: typed text is offered through `typed` when the field
    // loses the focus or Enter is pressed, and the owner shows what it makes of it.
    void makeTypable();
    // Offers text typed since the last setText, if any, at once (before a dialog closes).
    void finishTyping();
    void stepBy(int steps) override;
    [[nodiscard]] QSize sizeHint() const override;
    [[nodiscard]] QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void stepped(bool up);
    void typed(const QString& text);

protected:
    [[nodiscard]] StepEnabled stepEnabled() const override;

private:
    QString widest_;
    QString shown_;  // the text last set, to tell what was typed since
};

[[nodiscard]] QDate toQDate(DateTime date);
// The day at 00:00; null for an invalid date.
[[nodiscard]] DateTime fromQDate(QDate date);

// A date field with a calendar popup over `dates`, in the locale's short date form.
[[nodiscard]] QDateEdit* makeDatePicker(const EditorDates& dates, DateTime shown,
                                        const Locale& locale, QWidget* parent);

// "&Ok" (the default button) and "&Cancel", accepting and rejecting the dialog, with their
// help numbers.
[[nodiscard]] QDialogButtonBox* makeEditorButtons(QDialog* dialog, QPushButton** ok);

// Gives each widget the help text of an editor help number as its What's This text, and
// the number itself as the property "helpNumber".
void setEditorHelp(std::initializer_list<QWidget*> widgets, int helpNumber);
