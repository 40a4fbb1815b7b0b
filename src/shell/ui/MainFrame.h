#pragma once

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "organizer/UndoHistory.h"
#include "records/DocumentView.h"
#include "records/PimDocument.h"
#include "shell/CommandState.h"
#include "shell/DocumentLifecycle.h"
#include "shell/RecentFileList.h"
#include "shell/ShellSettings.h"
#include "shell/WindowPlacement.h"

class Clock;
class CommandActions;
class ContactLauncher;
class DocumentStorage;
class HelpWindow;
class Locale;
class OrganizerView;
class QLabel;
class QStackedWidget;
class SettingsStore;
class UserPrompts;

// The main window: menus, toolbar and status bar from the command table, the organizer
// view in the client area, and the one open document. It carries out the file, view
// and help commands itself; every other command goes to the handler installed for it.
class MainFrame : public QMainWindow, public DocumentView {
    Q_OBJECT

public:
    using CommandHandler = std::function<void()>;

    // Calls, mails and web pages go to `launcher`, or to the desktop's programs when none
    // is given.
    MainFrame(const Clock& clock, DocumentStorage& storage, UserPrompts& prompts,
              SettingsStore& settings, const Locale& locale, ContactLauncher* launcher = nullptr,
              QWidget* parent = nullptr);
    ~MainFrame() override;

    // Opens the start-up document (the arguments, or the last file when the option is
    // set, or a new document), after the splash window when asked for.
    void openStartupDocument(const std::vector<std::string>& arguments, bool showSplash);
    // Restores the stored placement, moved and shrunk onto the screen where needed, or
    // centres the window, and shows it.
    void showWithStoredPlacement();

    // Installs the handler for a command that later parts of the program carry out.
    void setCommandHandler(int id, CommandHandler handler);
    // Carries out a command as if it had been chosen from the menu.
    void runCommand(int id);
    // Recomputes which commands are enabled and checked.
    void updateCommandStates();

    // Shows `client` in the client area in place of what is there (the print preview in
    // place of the organizer view, and back).
    void showInClient(QWidget* client);
    // A report was chosen in this run: Print and Print Preview are offered from now on.
    void setReportChosen(bool chosen) { reportChosen_ = chosen; }
    // The status-bar text shown while no menu item is highlighted ("Page 1 of 3").
    void setStatusText(const QString& text);

    [[nodiscard]] PimDocument& document() { return document_; }
    [[nodiscard]] UndoHistory& history() { return history_; }
    [[nodiscard]] OrganizerView* organizerView() const { return view_; }
    [[nodiscard]] CommandActions& commands() const { return *actions_; }
    [[nodiscard]] const RecentFileList& recentFiles() const { return recentFiles_; }
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
    void showHelpPage(const QString& page);
    void showAbout();
    void showListMenu(FocusedList list, const QPoint& globalPos);
    void toggleOpenLastFile();
    void setTitle();
    // Shows the window where the placement says, fitted onto the screen that shows most
    // of it; false when it fits on none.
    bool applyPlacement(const WindowPlacement& placement);

    PimDocument document_;
    UndoHistory history_{document_};
    std::unique_ptr<ContactLauncher> desktopLauncher_;
    ShellSettings settings_;
    RecentFileList recentFiles_;
    DocumentLifecycle lifecycle_;
    const Locale& locale_;
    bool openLastFile_ = false;
    bool reportChosen_ = false;
    std::map<int, CommandHandler> handlers_;

    CommandActions* actions_ = nullptr;
    OrganizerView* view_ = nullptr;
    QStackedWidget* client_ = nullptr;
    QLabel* readyLabel_ = nullptr;
    QPointer<HelpWindow> help_;
};
