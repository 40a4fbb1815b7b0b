#pragma once

#include <QDialog>

#include <optional>

#include "organizer/PersonForm.h"

class MonthDayEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

// "Add Person" / "Edit Person": the sheet of one person's fields on the pages "General",
// "Phone", "Address", "Notes" and "Dates". It edits a PersonForm and never the document.
class PersonDialog : public QDialog {
    Q_OBJECT

public:
    PersonDialog(PersonForm start, bool editing, QWidget* parent = nullptr);

    // Shows the sheet modally; the confirmed form, or nothing when cancelled.
    [[nodiscard]] static std::optional<PersonForm> ask(QWidget* parent, PersonForm start,
                                                       bool editing);

    // The form as edited so far.
    [[nodiscard]] const PersonForm& form() const { return form_; }
    // The pages, "General" first.
    [[nodiscard]] QTabWidget* pages() const { return pages_; }
    // The groups on offer, in the form's order; a selected entry is a chosen group.
    [[nodiscard]] QListWidget* groupList() const { return groups_; }
    [[nodiscard]] QPlainTextEdit* notesField() const { return notes_; }
    [[nodiscard]] QPushButton* okButton() const { return ok_; }
    [[nodiscard]] MonthDayEdit* birthdayField() const { return birthday_; }
    [[nodiscard]] MonthDayEdit* anniversaryField() const { return anniversary_; }

private:
    [[nodiscard]] QWidget* makeGroupFrame();
    [[nodiscard]] QWidget* makeNotesPage();
    [[nodiscard]] QWidget* makeDatesPage();
    void groupsChosen();
    void notesEdited();
    void updateOk();

    PersonForm form_;
    QTabWidget* pages_ = nullptr;
    QListWidget* groups_ = nullptr;
    QPlainTextEdit* notes_ = nullptr;
    MonthDayEdit* birthday_ = nullptr;
    MonthDayEdit* anniversary_ = nullptr;
    QPushButton* ok_ = nullptr;
};
