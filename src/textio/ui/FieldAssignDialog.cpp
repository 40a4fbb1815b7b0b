#include "textio/ui/FieldAssignDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Translate.h"
#include "textio/ui/TransferHelp.h"

FieldAssignDialog::FieldAssignDialog(const std::vector<std::string>& fieldNames,
                                     const std::string& selected, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(_("Fields"));
    auto* label = new QLabel(_("Assign imported field to this field:"), this);
    fields_ = new QComboBox(this);
    for (const std::string& name : fieldNames)
        fields_->addItem(QString::fromStdString(name));
    label->setBuddy(fields_);
    fields_->setCurrentIndex(fields_->findText(QString::fromStdString(selected)));
    importBox_ = new QCheckBox(_("Import this field"), this);
    importBox_->setChecked(!selected.empty());
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(fields_->currentIndex() >= 0);
    // Choosing a field means importing the column into it.
    connect(fields_, &QComboBox::currentIndexChanged, this, [this](int index) {
        ok_->setEnabled(index >= 0);
        if (index >= 0) importBox_->setChecked(true);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    TransferHelp::attach(TransferHelp::kAssignField, {label, fields_});
    TransferHelp::attach(TransferHelp::kImportThisField, {importBox_});

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(fields_);
    layout->addWidget(importBox_);
    layout->addWidget(buttons);
}

std::string FieldAssignDialog::selectedField() const {
    return fields_->currentIndex() < 0 ? std::string() : fields_->currentText().toStdString();
}

bool FieldAssignDialog::importThisField() const {
    return importBox_->isChecked();
}
