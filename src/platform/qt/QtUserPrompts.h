#pragma once

#include <QPointer>
#include <QWidget>

#include <functional>

#include "platform/UserPrompts.h"

// Message boxes and file dialogs, modal over the given window.
class QtUserPrompts : public UserPrompts {
public:
    explicit QtUserPrompts(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    // Where a dialog given no folder opens; the user's documents folder while none is set.
    void setStartFolder(std::function<std::string()> folder) { startFolder_ = std::move(folder); }

    MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override;
    void showDetailedMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                             const std::string& details) override;
    std::optional<std::string> askOpenPath(const FileDialogSpec& spec) override;
    std::optional<std::string> askSavePath(const FileDialogSpec& spec) override;

    // The dialog's type list: "Quillmate Files (*.pgr);;All Files (*)". The pattern in
    // the parentheses is the one that filters, so "*.*" never hides files without a dot.
    [[nodiscard]] static QString nameFilters(const std::vector<FileFilter>& filters);

private:
    std::optional<std::string> askPath(const FileDialogSpec& spec, bool save);
    [[nodiscard]] QWidget* visibleOwner() const;

    QPointer<QWidget> owner_;
    std::function<std::string()> startFolder_;
};
