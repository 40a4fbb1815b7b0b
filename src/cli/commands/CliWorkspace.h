#pragma once

#include <string>

#include "platform/SettingsStore.h"
#include "platform/UserPrompts.h"
#include "workspace/DocFileStorage.h"
#include "workspace/Workspace.h"

struct CliContext;

// The workspace one command works in, without a window: it asks no question (each call
// reports through the status it gives back), keeps neither recent files nor any other
// setting of the window's, and saves through the storage the window saves with, keeping
// the earlier versions the user's settings ask for.
class CliWorkspace {
public:
    explicit CliWorkspace(const CliContext& context);
    // Leaves the records to the end of the process when it ends with the command, which
    // takes their memory back at once instead of freeing them one by one.
    ~CliWorkspace();
    CliWorkspace(const CliWorkspace&) = delete;
    CliWorkspace& operator=(const CliWorkspace&) = delete;

    [[nodiscard]] Workspace& workspace() { return workspace_; }
    [[nodiscard]] const PimDocument& document() const { return workspace_.document(); }
    // The storage, for a command that holds the file's lock across its change.
    [[nodiscard]] DocFileStorage& storage() { return storage_; }
    // Opens the document at `path` to read, taking no lock, as a command that only reads does.
    Status read(const std::string& path) { return workspace_.openFile(path); }

private:
    // Nothing to ask without a window: every question is answered "Cancel".
    struct NoPrompts : UserPrompts {
        MessageAnswer showMessage(const std::string&, const std::string&, MessageIcon,
                                  MessageButtons buttons) override {
            return buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
        }
        std::optional<std::string> askOpenPath(const FileDialogSpec&) override { return {}; }
        std::optional<std::string> askSavePath(const FileDialogSpec&) override { return {}; }
    };
    // The window's settings stay the window's: a command reads none and writes none.
    struct NoSettings : SettingsStore {
        bool hasSection(const std::string&) const override { return false; }
        std::optional<uint32_t> readNumber(const std::string&, const std::string&) const override {
            return {};
        }
        std::optional<std::string> readText(const std::string&, const std::string&) const override {
            return {};
        }
        void writeNumber(const std::string&, const std::string&, uint32_t) override {}
        void writeText(const std::string&, const std::string&, const std::string&) override {}
        void removeValue(const std::string&, const std::string&) override {}
    };

    NoPrompts prompts_;
    NoSettings settings_;
    DocFileStorage storage_;
    Workspace workspace_;
    bool leaveRecords_;
};
