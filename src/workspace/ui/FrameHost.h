#pragma once

#include <functional>

#include "workspace/SelectionFacts.h"

class QPoint;
class QSize;
class QString;
class QToolBar;
class QWidget;

// What the views and tools that plug into the main window (the organizer, import and
// export, reports, sync) need of it, so that they hold this and the workspace rather than
// the window itself.
class FrameHost {
public:
    using CommandHandler = std::function<void()>;

    virtual ~FrameHost() = default;

    // The window, as the parent of the tools' dialogs.
    [[nodiscard]] virtual QWidget* window() = 0;
    // Installs the handler of a command the tool carries out.
    virtual void setCommandHandler(int id, CommandHandler handler) = 0;
    // Carries out a command as if it had been chosen from the menu.
    virtual void runCommand(int id) = 0;
    // Shows `page` in the client area and `toolBar` in place of the menus and the
    // window's tool bar (the print preview); nullptr puts the home page back.
    virtual void showInClient(QWidget* page, QToolBar* toolBar) = 0;
    // The status-bar text shown while no menu item is highlighted; "" for the idle text.
    virtual void setStatusText(const QString& text) = 0;
    // Shows a help page ("csvimport").
    virtual void showHelpPage(const QString& page) = 0;
    // A report was chosen in this run: Print and Print Preview are offered from now on.
    virtual void setReportChosen(bool chosen) = 0;
    // Makes `page` what the client area shows while no tool shows its own; a first window
    // gives it `firstSize`.
    virtual void setHomePage(QWidget* page, const QSize& firstSize) = 0;
    // `fill` adds what the home page knows of its selection to the facts the commands'
    // rules read.
    virtual void setSelectionFacts(std::function<void(SelectionFacts&)> fill) = 0;
    // Opens, at a screen position, the menu of the menu bar that holds the command (a
    // right click on a list).
    virtual void showMenuOf(int commandId, const QPoint& globalPos) = 0;
};
