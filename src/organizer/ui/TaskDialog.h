#pragma once

#include <QDialog>

#include <optional>

#include "organizer/TaskForm.h"

class Locale;
class QAbstractButton;
class QButtonGroup;
class QDateEdit;
class QLineEdit;
class QPushButton;

// "Add Task" / "Edit Task": the text, the priority and the due date of one task. It
// edits a TaskForm and never the document.
class TaskDialog : public QDialog {
    Q_OBJECT

public:
    TaskDialog(TaskForm start, bool editing, const Locale& locale, QWidget* parent = nullptr);

    // Shows the dialog modally; the confirmed form, or nothing when cancelled.
    [[nodiscard]] static std::optional<TaskForm> ask(QWidget* parent, TaskForm start, bool editing,
                                                     const Locale& locale);

    [[nodiscard]] const TaskForm& form() const { return form_; }
    [[nodiscard]] QLineEdit* textField() const { return text_; }
    // The option button of a priority (High 0 to Done 3).
    [[nodiscard]] QAbstractButton* priorityButton(int priority) const;
    [[nodiscard]] QDateEdit* datePicker() const { return date_; }
    [[nodiscard]] QPushButton* okButton() const { return ok_; }

private:
    void textChanged(const QString& text);

    TaskForm form_;
    QLineEdit* text_ = nullptr;
    QButtonGroup* priorities_ = nullptr;
    QDateEdit* date_ = nullptr;
    QPushButton* ok_ = nullptr;
};
