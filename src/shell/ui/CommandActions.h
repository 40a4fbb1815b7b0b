#pragma once

#include <QObject>

#include <map>
#include <string>
#include <vector>

#include "shell/CommandState.h"

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;
class RecentFileList;

// The menus, toolbar and accelerators built from the command table, one QAction per
// command. Every action reports its command through `triggered(id)`.
class CommandActions : public QObject {
    Q_OBJECT

public:
    // Builds the menu bar and the toolbar of the window.
    explicit CommandActions(QMainWindow& window);

    // The action of a command, or nullptr.
    [[nodiscard]] QAction* action(int id) const;
    [[nodiscard]] QToolBar* toolBar() const { return toolBar_; }
    [[nodiscard]] QMenu* recentFilesMenu() const { return recentMenu_; }
    [[nodiscard]] const std::vector<QMenu*>& menus() const { return menus_; }

    // Enables, disables and checks every command for this state.
    void apply(const ShellSnapshot& state);
    // Shows the list's entries, or the disabled placeholder when it is empty.
    void showRecentFiles(const RecentFileList& list);

signals:
    void triggered(int id);
    // A menu is about to open: the states must be current.
    void menuAboutToShow();

private:
    QAction* makeAction(int id);
    void fillMenu(QMenu* menu, const std::vector<struct MenuItem>& items);

    QMainWindow& window_;
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> menus_;
    std::vector<QAction*> recentActions_;
    std::vector<std::string> recentLabels_;
    QMenu* recentMenu_ = nullptr;
    QToolBar* toolBar_ = nullptr;
};
