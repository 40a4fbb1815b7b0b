#include "reports/ui/PersonSelectionDialog.h"
#include "platform/Translate.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

PersonSelectionDialog::PersonSelectionDialog(const QString& title,
                                             std::vector<PersonChoice> choices, QWidget* parent)
    : QDialog(parent), choices_(std::move(choices)) {
    setWindowTitle(title);
    auto* box = new QGroupBox(_("Persons To Include"), this);
    list_ = new QListWidget(box);
    list_->setAccessibleName(box->title());
    // Clicks add to the selection and take away from it, as in a multiple-selection list.
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    for (const PersonChoice& choice : choices_)
        list_->addItem(QString::fromStdString(choice.text));
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(list_);

    selectAll_ = new QCheckBox(_("Select All"), this);
    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    QPushButton* help = buttons->addButton(_("&Help..."), QDialogButtonBox::HelpRole);

    auto* side = new QVBoxLayout;
    side->addWidget(buttons);
    side->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(box);
    left->addWidget(selectAll_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);

    connect(selectAll_, &QCheckBox::toggled, this, [this](bool all) {
        if (all)
            list_->selectAll();
        else
            list_->clearSelection();
        updateOk();
    });
    connect(list_, &QListWidget::itemSelectionChanged, this, &PersonSelectionDialog::updateOk);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { emit helpRequested(QStringLiteral("dlgpraddr")); });
    list_->clearSelection();
    updateOk();
}

std::vector<bool> PersonSelectionDialog::selectedLines() const {
    std::vector<bool> selected(size_t(list_->count()), false);
    for (int i = 0; i < list_->count(); ++i)
        selected[size_t(i)] = list_->item(i)->isSelected();
    return selected;
}

void PersonSelectionDialog::updateOk() {
    ok_->setEnabled(!list_->selectedItems().isEmpty());
}
