#include "shell/ui/RestoreBackupDialog.h"
#include "platform/Translate.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Translate.h"

RestoreBackupDialog::RestoreBackupDialog(const std::vector<BackupVersion>& versions,
                                         const Clock& clock, QWidget* parent)
    : QDialog(parent), versions_(versions) {
    setWindowTitle(_("Restore Backup"));
    auto* layout = new QVBoxLayout(this);
    auto* label = new QLabel(_("Earlier &versions of this file, newest first. The one restored "
                               "replaces the open records until you save; Undo takes it back."),
                             this);
    label->setWordWrap(true);
    layout->addWidget(label);
    list_ = new QListWidget(this);
    label->setBuddy(list_);
    list_->setAccessibleName(QString::fromUtf8(_("Earlier versions")));
    for (const BackupVersion& version : versions_) {
        QString row = QString::fromStdString(describeVersion(version, clock));
        row.replace(u'\t', QStringLiteral("    "));
        list_->addItem(QString::number(version.number) + QStringLiteral("    ") + row);
    }
    list_->setCurrentRow(0);
    list_->setMinimumWidth(list_->sizeHintForColumn(0) + 40);
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(_("&Restore"), QDialogButtonBox::AcceptRole)->setDefault(true);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemActivated, this, &QDialog::accept);
}

const BackupVersion& RestoreBackupDialog::chosen() const {
    return versions_.at(static_cast<size_t>(std::max(list_->currentRow(), 0)));
}
