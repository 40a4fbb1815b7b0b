#pragma once

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/UserPrompts.h"
#include "records/PimDocument.h"
#include "workspace/DocumentStorage.h"

// Answers questions from a script and records everything it was shown.
class ScriptedPrompts : public UserPrompts {
public:
    struct Shown {
        std::string text;
        std::string caption;
        MessageIcon icon;
        MessageButtons buttons;
        std::string details;  // what a detailed message lets the user open
    };

    MessageAnswer showMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                              MessageButtons buttons) override {
        messages.push_back({text, caption, icon, buttons, {}});
        if (buttons == MessageButtons::Ok || answers.empty()) return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void showDetailedMessage(const std::string& text, const std::string& caption, MessageIcon icon,
                             const std::string& details) override {
        showMessage(text, caption, icon, MessageButtons::Ok);
        messages.back().details = details;
    }
    std::optional<std::string> askOpenPath(const FileDialogSpec& spec) override {
        openDialogs.push_back(spec);
        return next();
    }
    std::optional<std::string> askSavePath(const FileDialogSpec& spec) override {
        saveDialogs.push_back(spec);
        return next();
    }

    std::deque<MessageAnswer> answers;             // for Yes/No/Cancel and Retry/Cancel
    std::deque<std::optional<std::string>> paths;  // for file dialogs; nothing = cancel
    std::vector<Shown> messages;
    std::vector<FileDialogSpec> openDialogs;
    std::vector<FileDialogSpec> saveDialogs;

private:
    std::optional<std::string> next() {
        if (paths.empty()) return std::nullopt;
        auto path = paths.front();
        paths.pop_front();
        return path;
    }
};

// Documents kept as a map of "files", each holding the user name of the document saved
// there, so that loads and saves can be told apart.
class FakeStorage : public DocumentStorage {
public:
    Status load(PimDocument& document, const std::string& path) override {
        if (const auto it = parseErrorLines.find(path); it != parseErrorLines.end())
            return Status::failure(FailureKind::Syntax, path, "not XML", it->second, 1);
        if (notOurs.count(path))
            return Status::failure(FailureKind::Content, path, "its root element is <Pom>");
        changedElsewhere.erase(path);
        const auto it = files.find(path);
        if (it == files.end())
            return Status::failure(FailureKind::Read, path, "No such file or directory");
        PimContents contents;
        contents.user.FName = it->second;
        document.adoptContents(std::move(contents));
        return {};
    }
    Status save(const PimDocument& document, const std::string& path, SaveMode mode) override {
        writes.push_back(path);
        if (unwritable.count(path))
            return Status::failure(FailureKind::Write, path, "Permission denied");
        if (mode == SaveMode::KeepOtherChanges && changedElsewhere.count(path))
            return Status::failure(FailureKind::Conflict, path, "changed by another program");
        changedElsewhere.erase(path);
        files[path] = document.user().FName;
        return {};
    }

    std::map<std::string, std::string> files;
    std::map<std::string, int32_t> parseErrorLines;
    std::set<std::string> unwritable;
    std::set<std::string> notOurs;           // well-formed files of another kind
    std::set<std::string> changedElsewhere;  // changed by another program since read
    std::vector<std::string> writes;
};
