// The main window's running of commands: the handlers installed for them, or the file,
// view and help commands the window carries out itself.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include "platform/Translate.h"
#include "shell/CommandId.h"
#include "shell/CommandTable.h"
#include "shell/ui/CommandActions.h"
#include "shell/ui/MainFrame.h"

void MainFrame::runCommand(int id) {
    if (const auto it = handlers_.find(id); it != handlers_.end() && it->second) {
        it->second();
    } else if (const Command* command = CommandTable::find(id);
               command != nullptr && command->owner == CommandOwner::Frame) {
        runFrameCommand(id);
    } else {
        reportUnavailable(id);
    }
    updateCommandStates();
}

void MainFrame::runFrameCommand(int id) {
    if (id >= cmd::kRecentFirst && id <= cmd::kRecentLast) {
        workspace_.openRecent(static_cast<size_t>(id - cmd::kRecentFirst));
        return;
    }
    switch (id) {
        case cmd::kNew:
            workspace_.newDocument();
            break;
        case cmd::kOpen:
            workspace_.open();
            break;
        case cmd::kSave:
            workspace_.save();
            break;
        case cmd::kSaveAs:
            workspace_.saveAs();
            break;
        case cmd::kBackup:
            workspace_.backup();
            break;
        case cmd::kRestoreBackup:
            restoreBackup();
            break;
        case cmd::kBackupsKept:
            chooseBackupsKept();
            break;
        case cmd::kCompact:
            workspace_.compact();
            break;
        case cmd::kExit:
            close();
            break;
        case cmd::kOpenLastFile:
            workspace_.toggleOpenLastFile();
            break;
        case cmd::kViewToolbar:
            actions_->toolBar()->setVisible(actions_->toolBar()->isHidden());
            break;
        case cmd::kViewStatusBar:
            statusBar()->setVisible(statusBar()->isHidden());
            break;
        case cmd::kHelpTopics:
            showHelpPage(QStringLiteral("Introduction"));
            break;
        case cmd::kAbout:
            showAbout();
            break;
        case cmd::kContextHelp:
            QWhatsThis::enterWhatsThisMode();
            break;
        default:
            reportUnavailable(id);
            break;
    }
}

void MainFrame::reportUnavailable(int id) {
    const Command* command = CommandTable::find(id);
    const QString what = command == nullptr         ? QString::number(id)
                         : *command->prompt != '\0' ? QString::fromUtf8(_(command->prompt))
                                                    : QString::fromStdString(command->plainText());
    statusBar()->showMessage(QString(_("Not available yet: %1")).arg(what), 5000);
}

void MainFrame::showMenuOf(int commandId, const QPoint& globalPos) {
    // The menu with the state the click left.
    updateCommandStates();
    QAction* wanted = actions_->action(commandId);
    for (QMenu* menu : actions_->menus()) {
        if (wanted != nullptr && menu->actions().contains(wanted)) {
            menu->exec(globalPos);
            return;
        }
    }
}
