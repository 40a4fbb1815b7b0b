#pragma once

#include <optional>
#include <string>
#include <vector>

enum class MessageIcon { Error, Exclamation, Information };
// RestoreDiscardLater answers Yes for "Restore", No for "Discard", Cancel for "Later".
enum class MessageButtons { Ok, YesNoCancel, RetryCancel, YesNo, RestoreDiscardLater };
enum class MessageAnswer { Ok, Yes, No, Cancel, Retry };

// One entry of a file dialog's type list: "Quillmate Files (*.pgr)" / "*.pgr".
struct FileFilter {
    std::string description;
    std::string pattern;
};

// What a file dialog starts with.
struct FileDialogSpec {
    std::string initialName;       // proposed file name, may be a whole path
    std::string directory;         // where the dialog opens; "" for the current directory
    std::string defaultExtension;  // added to a name typed without one
    std::vector<FileFilter> filters;
    std::string title;  // the dialog's own title; "" for the desktop's
};

// The modal questions and messages core asks of the user.
class UserPrompts {
public:
    virtual ~UserPrompts() = default;
    // Shows a message box and returns the button pressed (Ok for a plain message).
    virtual MessageAnswer showMessage(const std::string& text, const std::string& caption,
                                      MessageIcon icon,
                                      MessageButtons buttons = MessageButtons::Ok) = 0;
    // A message with details the user may open (the reasons an import passed records
    // over); by default the message alone.
    virtual void showDetailedMessage(const std::string& text, const std::string& caption,
                                     MessageIcon icon, const std::string& /*details*/) {
        showMessage(text, caption, icon);
    }
    // An existing file to open; nothing when the user cancels.
    virtual std::optional<std::string> askOpenPath(const FileDialogSpec& spec) = 0;
    // A file to write, the user having confirmed overwriting; nothing when cancelled.
    virtual std::optional<std::string> askSavePath(const FileDialogSpec& spec) = 0;
};
