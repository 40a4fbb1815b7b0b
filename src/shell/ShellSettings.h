#pragma once

#include <optional>

#include "shell/WindowPlacement.h"

class SettingsStore;

// The window's per-user settings: which section and value names hold its placement. Every call is
// one short access to the store; nothing is cached here.
class ShellSettings {
public:
    explicit ShellSettings(SettingsStore& store) : store_(store) {}

    // The stored main-window placement; nothing when none is stored.
    [[nodiscard]] std::optional<WindowPlacement> readPlacement() const;
    void writePlacement(const WindowPlacement& placement);

private:
    SettingsStore& store_;
};
