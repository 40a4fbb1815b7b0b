#pragma once

#include <span>

#include "shell/Command.h"

// Every command of the program, with its texts and rules. Menus, the toolbar and the
// status bar take their texts from here; later parts only replace handlers.
class CommandTable {
public:
    // All commands, in menu order.
    [[nodiscard]] static std::span<const Command> all();
    // The command with that id, or nullptr. The recent-file entries share one row.
    [[nodiscard]] static const Command* find(int id);
};
