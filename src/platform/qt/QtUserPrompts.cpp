#include "platform/qt/QtUserPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>

#include "platform/Translate.h"
#include "platform/qt/FileDialogSize.h"

namespace {

QMessageBox::Icon toQt(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::Error:
            return QMessageBox::Critical;
        case MessageIcon::Exclamation:
            return QMessageBox::Warning;
        case MessageIcon::Information:
            return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons toQt(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::Ok:
            return QMessageBox::Ok;
        case MessageButtons::YesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case MessageButtons::RetryCancel:
            return QMessageBox::Retry | QMessageBox::Cancel;
        case MessageButtons::YesNo:
        case MessageButtons::RestoreDiscardLater:  // relabelled below
            return QMessageBox::Yes | QMessageBox::No;
    }
    return QMessageBox::Ok;
}

MessageAnswer fromQt(int button) {
    switch (button) {
        case QMessageBox::Yes:
            return MessageAnswer::Yes;
        case QMessageBox::No:
            return MessageAnswer::No;
        case QMessageBox::Retry:
            return MessageAnswer::Retry;
        case QMessageBox::Ok:
            return MessageAnswer::Ok;
        default:
            return MessageAnswer::Cancel;
    }
}

}  // namespace

QWidget* QtUserPrompts::visibleOwner() const {
    // Before the main window is shown (start-up messages), a box centres on the screen.
    return owner_ != nullptr && owner_->isVisible() ? owner_.data() : nullptr;
}

MessageAnswer QtUserPrompts::showMessage(const std::string& text, const std::string& caption,
                                         MessageIcon icon, MessageButtons buttons) {
    QMessageBox box(toQt(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    toQt(buttons), visibleOwner());
    if (buttons == MessageButtons::YesNoCancel || buttons == MessageButtons::YesNo)
        box.setDefaultButton(QMessageBox::Yes);
    if (buttons == MessageButtons::RestoreDiscardLater) {
        box.setStandardButtons(QMessageBox::NoButton);
        QPushButton* restore = box.addButton(_("&Restore"), QMessageBox::YesRole);
        QPushButton* discard = box.addButton(_("&Discard"), QMessageBox::DestructiveRole);
        QPushButton* later = box.addButton(_("&Later"), QMessageBox::RejectRole);
        box.setDefaultButton(restore);
        box.setEscapeButton(later);
        box.exec();
        return box.clickedButton() == restore   ? MessageAnswer::Yes
               : box.clickedButton() == discard ? MessageAnswer::No
                                                : MessageAnswer::Cancel;
    }
    return fromQt(box.exec());
}

void QtUserPrompts::showDetailedMessage(const std::string& text, const std::string& caption,
                                        MessageIcon icon, const std::string& details) {
    QMessageBox box(toQt(icon), QString::fromStdString(caption), QString::fromStdString(text),
                    QMessageBox::Ok, visibleOwner());
    box.setDetailedText(QString::fromStdString(details));
    box.exec();
}

QString QtUserPrompts::nameFilters(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& filter : filters) {
        QString description = QString::fromStdString(filter.description);
        const qsizetype open = description.lastIndexOf(u'(');
        if (open > 0) description.truncate(open);
        list << description.trimmed() + QStringLiteral(" (") +
                    QString::fromStdString(filter.pattern) + u')';
    }
    return list.join(QStringLiteral(";;"));
}

std::optional<std::string> QtUserPrompts::askOpenPath(const FileDialogSpec& spec) {
    return askPath(spec, false);
}

std::optional<std::string> QtUserPrompts::askSavePath(const FileDialogSpec& spec) {
    return askPath(spec, true);
}

std::optional<std::string> QtUserPrompts::askPath(const FileDialogSpec& spec, bool save) {
    QFileDialog dialog(visibleOwner());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (!spec.title.empty()) dialog.setWindowTitle(QString::fromStdString(spec.title));
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setNameFilter(nameFilters(spec.filters));
    dialog.setDefaultSuffix(QString::fromStdString(spec.defaultExtension));
    const QString directory = QString::fromStdString(spec.directory);
    // Never merely the folder the program happened to be started from.
    QString start = directory;
    if (start.isEmpty() && startFolder_) start = QString::fromStdString(startFolder_());
    if (start.isEmpty())
        start = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    dialog.setDirectory(start);
    if (!spec.initialName.empty()) dialog.selectFile(QString::fromStdString(spec.initialName));
    fitFileDialogColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.selectedFiles().constFirst().toStdString();
}
