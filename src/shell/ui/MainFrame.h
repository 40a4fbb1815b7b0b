#pragma once

#include <QMainWindow>
#include <QPointer>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "organizer/FocusedList.h"
#include "records/DocumentView.h"
#include "shell/CommandState.h"
#include "shell/ShellSettings.h"
#include "shell/WindowPlacement.h"
#include "workspace/Workspace.h"
#include "workspace/ui/FrameHost.h"

class CommandActions;
class ContactLauncher;
class HelpWindow;
class Locale;
class OrganizerView;
class QLabel;
class QStackedWidget;
class QTimer;
class UserPrompts;

// The main window, a view of the workspace: menus, toolbar and status bar from the command
// table and the organizer view in the client area. It carries out the file, view and help
// commands itself; every other command goes to the handler installed for it.
class MainFrame : public QMainWindow, public DocumentView, public FrameHost {
    Q_OBJECT

public:
    // Calls, mails and web pages go to `launcher`, or to the desktop's programs when none
    // is given.
    MainFrame(Workspace& workspace, ShellSettings& settings, UserPrompts& prompts,
              const Locale& locale, ContactLauncher* launcher = nullptr, QWidget* parent = nullptr);
    ~MainFrame() override;

    // Opens the start-up document (the arguments, or the last file when the option is
    // set, or a new document), after the splash window when asked for.
    void openStartupDocument(const std::vector<std::string>& arguments, bool showSplash);
    // Restores the stored placement, moved and shrunk onto the screen where needed, or
    // centres the window, and shows it.
    void showWithStoredPlacement();

    QWidget* window() override { return this; }
    void setCommandHandler(int id, CommandHandler handler) override;
    void runCommand(int id) override;
    void showInClient(QWidget* page, QToolBar* toolBar) override;
    void setStatusText(const QString& text) override;
    void showHelpPage(const QString& page) override;
    void setReportChosen(bool chosen) override { reportChosen_ = chosen; }
    [[nodiscard]] int32_t shownGroup() const override;

    // How long after a change its recovery copy is written (a burst of edits costs one).
    void setRecoveryDelay(int milliseconds);

    // Recomputes which commands are enabled and checked.
    void updateCommandStates();

    [[nodiscard]] Workspace& workspace() { return workspace_; }
    [[nodiscard]] OrganizerView* organizerView() const { return view_; }
    [[nodiscard]] CommandActions& commands() const { return *actions_; }
    [[nodiscard]] const RecentFileList& recentFiles() const { return workspace_.recentFiles(); }
    // The help window, once help has been asked for.
    [[nodiscard]] HelpWindow* helpWindow() const;
    [[nodiscard]] ShellSnapshot snapshot() const;
    [[nodiscard]] WindowPlacement currentPlacement() const;
    // The text the status bar shows while no menu item is highlighted.
    [[nodiscard]] QString idleStatusText() const;

    void documentChanged() override;
    void documentPathChanged(const std::string& path) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void runFrameCommand(int id);
    void reportUnavailable(int id);
    void showAbout();
    // File > Restore Backup... and Options > Backups Kept...
    void restoreBackup();
    void chooseBackupsKept();
    void showListMenu(FocusedList list, const QPoint& globalPos);
    void setTitle();

    Workspace& workspace_;
    ShellSettings& settings_;
    UserPrompts& prompts_;
    std::unique_ptr<ContactLauncher> desktopLauncher_;
    int listenerId_ = -1;
    bool reportChosen_ = false;
    bool toolBarWasVisible_ = true;
    std::map<int, CommandHandler> handlers_;

    CommandActions* actions_ = nullptr;
    OrganizerView* view_ = nullptr;
    QStackedWidget* client_ = nullptr;
    QToolBar* clientToolBar_ = nullptr;  // the tool bar of what the client area shows
    QLabel* readyLabel_ = nullptr;
    QTimer* recoveryTimer_ = nullptr;
    QPointer<HelpWindow> help_;
};
