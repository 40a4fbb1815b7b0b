#include "shell/ui/CommandActions.h"
#include "platform/Translate.h"

#include <QAction>
#include <QApplication>
#include <QIcon>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>

#include "shell/CommandId.h"
#include "shell/CommandTable.h"
#include "shell/MenuLayout.h"
#include "workspace/RecentFileList.h"

namespace {

// The desktop theme's icon for a toolbar command, with a bundled one in reserve.
QIcon toolbarIcon(int id) {
    struct Entry {
        int id;
        const char* themeName;
        const char* bundled;
    };
    static const Entry entries[] = {
        {cmd::kNew, "document-new", ":/icons/document-new.svg"},
        {cmd::kOpen, "document-open", ":/icons/document-open.svg"},
        {cmd::kSave, "document-save", ":/icons/document-save.svg"},
        {cmd::kAbout, "help-about", ":/icons/help-about.svg"},
        {cmd::kContextHelp, "help-contextual", ":/icons/help-contextual.svg"},
    };
    for (const Entry& e : entries)
        if (e.id == id)
            return QIcon::fromTheme(QString::fromLatin1(e.themeName),
                                    QIcon(QString::fromLatin1(e.bundled)));
    // Undo and Redo fall back on the style's arrows.
    const QStyle* style = QApplication::style();
    if (id == cmd::kUndo)
        return QIcon::fromTheme(QStringLiteral("edit-undo"),
                                style->standardIcon(QStyle::SP_ArrowBack));
    if (id == cmd::kRedo)
        return QIcon::fromTheme(QStringLiteral("edit-redo"),
                                style->standardIcon(QStyle::SP_ArrowForward));
    return {};
}

}  // namespace

CommandActions::CommandActions(QMainWindow& window) : QObject(&window), window_(window) {
    for (const Menu& layout : menuBarLayout()) {
        QMenu* menu = window.menuBar()->addMenu(QString::fromUtf8(_(layout.title)));
        fillMenu(menu, layout.items);
        menus_.push_back(menu);
    }

    toolBar_ = window.addToolBar(_("Standard"));
    toolBar_->setObjectName(QStringLiteral("standardToolBar"));
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(false);
    for (int id : toolbarLayout()) {
        if (id == 0) {
            toolBar_->addSeparator();
            continue;
        }
        QAction* act = makeAction(id);
        act->setIcon(toolbarIcon(id));
        toolBar_->addAction(act);
    }

    // Commands reached only by their accelerator or by other commands.
    for (int id : {cmd::kPrint, cmd::kPrintPreview})
        window.addAction(makeAction(id));
}

void CommandActions::fillMenu(QMenu* menu, const std::vector<MenuItem>& items) {
    connect(menu, &QMenu::aboutToShow, this, &CommandActions::menuAboutToShow);
    for (const MenuItem& item : items) {
        switch (item.kind) {
            case MenuItem::Kind::Command:
                menu->addAction(makeAction(item.commandId));
                break;
            case MenuItem::Kind::Separator:
                menu->addSeparator();
                break;
            case MenuItem::Kind::Submenu:
                fillMenu(menu->addMenu(QString::fromUtf8(_(item.title))), item.items);
                break;
            case MenuItem::Kind::RecentFiles:
                recentMenu_ = menu;
                break;
        }
    }
}

QAction* CommandActions::makeAction(int id) {
    if (QAction* existing = action(id)) return existing;
    const Command* command = CommandTable::find(id);
    const char* text = *command->menuText != '\0' ? command->menuText : command->tooltip;
    auto* act = new QAction(QString::fromUtf8(_(text)), &window_);
    act->setStatusTip(QString::fromUtf8(_(command->prompt)));
    act->setToolTip(QString::fromUtf8(_(command->tooltip)));
    if (*command->accelerator != '\0') {
        act->setShortcut(QKeySequence(QString::fromLatin1(command->accelerator)));
    }
    act->setCheckable(command->check != CheckRule::None);
    connect(act, &QAction::triggered, this, [this, id] { emit triggered(id); });
    actions_[id] = act;
    return act;
}

QAction* CommandActions::action(int id) const {
    if (id >= cmd::kRecentFirst && id <= cmd::kRecentLast) {
        const size_t index = static_cast<size_t>(id - cmd::kRecentFirst);
        return index < recentActions_.size() ? recentActions_[index] : nullptr;
    }
    const auto it = actions_.find(id);
    return it == actions_.end() ? nullptr : it->second;
}

void CommandActions::apply(const ShellSnapshot& state) {
    for (const auto& [id, act] : actions_) {
        const Command* command = CommandTable::find(id);
        act->setEnabled(isCommandEnabled(*command, state));
        if (command->enable == EnableRule::CanUndo || command->enable == EnableRule::CanRedo) {
            act->setText(QString::fromStdString(commandMenuText(*command, state)));
            act->setStatusTip(QString::fromStdString(commandPrompt(*command, state)));
            const bool named = isCommandEnabled(*command, state);
            act->setToolTip(named ? act->statusTip() : QString::fromUtf8(command->tooltip));
        }
        if (const auto checked = commandCheckMark(*command, state)) act->setChecked(*checked);
    }
}

void CommandActions::showRecentFiles(const RecentFileList& list) {
    if (recentMenu_ == nullptr) return;
    const std::vector<std::string> labels = list.menuLabels();
    if (labels == recentLabels_ && !recentMenu_->actions().isEmpty()) return;
    recentLabels_ = labels;
    recentMenu_->clear();
    recentActions_.clear();
    if (labels.empty()) {
        QAction* placeholder =
            recentMenu_->addAction(QString::fromLatin1(RecentFileList::kEmptyPlaceholder));
        placeholder->setEnabled(false);
        return;
    }
    const Command* entry = CommandTable::find(cmd::kRecentFirst);
    for (size_t i = 0; i < labels.size(); ++i) {
        const int id = cmd::kRecentFirst + static_cast<int>(i);
        QAction* act = recentMenu_->addAction(QString::fromStdString(labels[i]));
        act->setStatusTip(QString::fromUtf8(entry->prompt));
        act->setToolTip(QString::fromUtf8(entry->tooltip));
        connect(act, &QAction::triggered, this, [this, id] { emit triggered(id); });
        recentActions_.push_back(act);
    }
}
