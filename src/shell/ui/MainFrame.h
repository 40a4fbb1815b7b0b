#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QSize>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "records/DocumentView.h"
#include "shell/CommandState.h"
#include "shell/ShellSettings.h"
#include "shell/WindowPlacement.h"
#include "workspace/Workspace.h"
#include "workspace/ui/FrameHost.h"

class CommandActions;
class HelpWindow;
class QLabel;
class QStackedWidget;
class QTimer;
class UserPrompts;

// The main window, a view of the workspace: menus, toolbar and status bar from the command
// table, and in the client area the home page that a view plugs in (the organizer). It
// carries out the file, view and help commands itself; every other command goes to the
// handler installed for it.
class MainFrame : public QMainWindow, public DocumentView, public FrameHost {
    Q_OBJECT

public:
    // `settings` keeps the window's placement.
    MainFrame(Workspace& workspace, ShellSettings& settings, UserPrompts& prompts,
              QWidget* parent = nullptr);
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
    void setHomePage(QWidget* page, const QSize& firstSize) override;
    void setSelectionFacts(std::function<void(SelectionFacts&)> fill) override {
        selectionFacts_ = std::move(fill);
    }
    void showMenuOf(int commandId, const QPoint& globalPos) override;

    // How long after a change its recovery copy is written (a burst of edits costs one).
    void setRecoveryDelay(int milliseconds);

    // Recomputes which commands are enabled and checked.
    void updateCommandStates();

    [[nodiscard]] Workspace& workspace() { return workspace_; }
    // What the client area shows while no tool shows its own; nullptr until plugged in.
    [[nodiscard]] QWidget* homePage() const { return home_; }
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
    void setTitle();

    Workspace& workspace_;
    ShellSettings& settings_;
    UserPrompts& prompts_;
    int listenerId_ = -1;
    bool reportChosen_ = false;
    bool toolBarWasVisible_ = true;
    std::map<int, CommandHandler> handlers_;
    std::function<void(SelectionFacts&)> selectionFacts_;

    CommandActions* actions_ = nullptr;
    QWidget* home_ = nullptr;
    QSize homeFirstSize_;
    QStackedWidget* client_ = nullptr;
    QToolBar* clientToolBar_ = nullptr;  // the tool bar of what the client area shows
    QLabel* readyLabel_ = nullptr;
    QTimer* recoveryTimer_ = nullptr;
    QPointer<HelpWindow> help_;
};
