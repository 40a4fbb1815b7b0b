#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "shell/Command.h"
#include "workspace/SelectionFacts.h"

class Workspace;

// The facts the enabling and check-mark rules read, gathered by the frame whenever it
// recomputes the command states: the document's, the view's selection and the frame's own.
struct ShellSnapshot : SelectionFacts {
    bool documentModified = false;
    bool documentHasPath = false;
    size_t taskCount = 0;
    size_t personCount = 0;
    size_t appointmentCount = 0;
    bool reportChosen = false;  // a report was chosen in this run
    std::string undoName;       // the step Undo takes back ("Delete Task"); "" for none
    std::string redoName;       // the step Redo does again; "" for none
    bool openLastFile = false;
    bool toolbarVisible = true;
    bool statusBarVisible = true;
};

// Whether the command is offered in this state.
[[nodiscard]] bool isCommandEnabled(const Command& command, const ShellSnapshot& state);

// The menu text and status prompt in this state: Undo and Redo name their step
// ("&Undo Delete Task").
[[nodiscard]] std::string commandMenuText(const Command& command, const ShellSnapshot& state);
[[nodiscard]] std::string commandPrompt(const Command& command, const ShellSnapshot& state);

// The command's check mark in this state; nothing for commands that never carry one.
[[nodiscard]] std::optional<bool> commandCheckMark(const Command& command,
                                                   const ShellSnapshot& state);

// Takes the document's facts from the workspace into `state`.
void fillFromWorkspace(ShellSnapshot& state, const Workspace& workspace);
