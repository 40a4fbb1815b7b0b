#pragma once

#include <cstdint>
#include <functional>

class QString;
class QToolBar;
class QWidget;

// What the tools that plug into the main window (import and export, reports) need of it,
// so that they hold this and the workspace rather than the window itself.
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
    // window's tool bar (the print preview); nullptr puts the organizer back.
    virtual void showInClient(QWidget* page, QToolBar* toolBar) = 0;
    // The status-bar text shown while no menu item is highlighted; "" for the idle text.
    virtual void setStatusText(const QString& text) = 0;
    // Shows a help page ("csvimport").
    virtual void showHelpPage(const QString& page) = 0;
    // A report was chosen in this run: Print and Print Preview are offered from now on.
    virtual void setReportChosen(bool chosen) = 0;
    // The address-book group the phone book shows.
    [[nodiscard]] virtual int32_t shownGroup() const = 0;
};
