// The main window's earlier versions: File > Restore Backup... and Options > Backups Kept...
#include <QInputDialog>

#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/RestoreBackupDialog.h"

void MainFrame::restoreBackup() {
    const auto& backups = workspace_.backups();
    const std::string& path = workspace_.document().path();
    const std::vector<BackupVersion> versions =
        backups ? backups->versions(path) : std::vector<BackupVersion>{};
    if (versions.empty()) {
        prompts_.showMessage(fillIn(_("No earlier versions of %s are kept yet: each save keeps "
                                      "the one it replaces."),
                                    {path}),
                             "Quillmate", MessageIcon::Information);
        return;
    }
    RestoreBackupDialog dialog(versions, workspace_.document().clock(), this);
    if (dialog.exec() == QDialog::Accepted) workspace_.restoreBackup(dialog.chosen());
}

void MainFrame::chooseBackupsKept() {
    bool ok = false;
    const int kept = QInputDialog::getInt(
        this, _("Backups Kept"),
        _("Earlier versions each save keeps of a file (0 keeps none, and the next save removes "
          "those kept before):"),
        workspace_.backupsKept(), 0, RotatingBackups::kMostKept, 1, &ok);
    if (ok) workspace_.setBackupsKept(kept);
}
