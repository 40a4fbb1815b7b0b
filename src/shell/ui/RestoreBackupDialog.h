#pragma once

#include <QDialog>

#include <vector>

#include "workspace/RotatingBackups.h"

class Clock;
class QListWidget;

// Lists the earlier versions kept of a document, newest first, with when each was saved
// and what it holds; Restore takes the one selected.
class RestoreBackupDialog : public QDialog {
    Q_OBJECT

public:
    RestoreBackupDialog(const std::vector<BackupVersion>& versions, const Clock& clock,
                        QWidget* parent = nullptr);

    // The version chosen; valid after the dialog was accepted.
    [[nodiscard]] const BackupVersion& chosen() const;

private:
    std::vector<BackupVersion> versions_;
    QListWidget* list_ = nullptr;
};
