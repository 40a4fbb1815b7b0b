#pragma once

#include <vector>

// One entry of a menu: a command, a separator, a submenu, or the place where the
// recent-file entries go.
struct MenuItem {
    enum class Kind { Command, Separator, Submenu, RecentFiles };
    Kind kind = Kind::Command;
    int commandId = 0;            // for Command
    const char* title = "";       // for Submenu
    std::vector<MenuItem> items;  // for Submenu
};

// A menu of the menu bar.
struct Menu {
    const char* title;  // with its mnemonic, in English: "&File"
    std::vector<MenuItem> items;
};

// The menu bar, left to right.
[[nodiscard]] const std::vector<Menu>& menuBarLayout();

// The main toolbar's commands, in order; 0 stands for a separator.
[[nodiscard]] const std::vector<int>& toolbarLayout();
