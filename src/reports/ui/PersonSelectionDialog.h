#pragma once

#include <QDialog>

#include <vector>

#include "reports/PersonChoice.h"

class QCheckBox;
class QListWidget;
class QPushButton;

// Chooses the persons a phone book or a set of envelopes is printed for, among the
// members of one address-book group. OK is enabled only while a line is selected.
class PersonSelectionDialog : public QDialog {
    Q_OBJECT

public:
    // `title` is "Phone Book" or "Envelopes"; `choices` are listed in the order given.
    PersonSelectionDialog(const QString& title, std::vector<PersonChoice> choices, QWidget* parent);

    // Which lines are selected, top to bottom.
    [[nodiscard]] std::vector<bool> selectedLines() const;
    [[nodiscard]] QListWidget* list() const { return list_; }
    [[nodiscard]] QCheckBox* selectAll() const { return selectAll_; }
    [[nodiscard]] QPushButton* okButton() const { return ok_; }

signals:
    // "&Help..." was pressed.
    void helpRequested(const QString& page);

private:
    void updateOk();

    std::vector<PersonChoice> choices_;
    QListWidget* list_ = nullptr;
    QCheckBox* selectAll_ = nullptr;
    QPushButton* ok_ = nullptr;
};
