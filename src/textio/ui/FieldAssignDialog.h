#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QPushButton;

// Chooses the field one column of an import is read into, or leaves the column out.
class FieldAssignDialog : public QDialog {
    Q_OBJECT

public:
    // `selected` is the column's field ("" for none); the box starts ticked when it has one.
    FieldAssignDialog(const std::vector<std::string>& fieldNames, const std::string& selected,
                      QWidget* parent = nullptr);

    [[nodiscard]] std::string selectedField() const;
    [[nodiscard]] bool importThisField() const;
    [[nodiscard]] QComboBox* fieldList() const { return fields_; }
    [[nodiscard]] QCheckBox* importBox() const { return importBox_; }
    [[nodiscard]] QPushButton* okButton() const { return ok_; }

private:
    QComboBox* fields_;
    QCheckBox* importBox_;
    QPushButton* ok_;
};
