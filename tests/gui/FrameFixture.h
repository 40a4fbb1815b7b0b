#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QAction>

#include "platform/Clock.h"
#include "platform/qt/QtLocale.h"
#include "shell/DocFileStorage.h"
#include "shell/ShellFakes.h"
#include "shell/ui/CommandActions.h"
#include "shell/ui/MainFrame.h"
#include "support/MemorySettingsStore.h"

// The main window at a fixed moment, with settings in memory, scripted prompts and United
// States English formats.
class FrameFixture : public testing::Test {
protected:
    explicit FrameFixture(LocalTime now = LocalTime{2026, 12, 6, 10, 0, 0, 0}) : clock(now) {}

    // Makes the window and opens what it opens at start-up for these arguments.
    MainFrame& start(const std::vector<std::string>& arguments = {}) {
        frame = std::make_unique<MainFrame>(clock, storage, prompts, settings, locale);
        frame->openStartupDocument(arguments, false);
        return *frame;
    }
    [[nodiscard]] bool enabled(int id) const { return frame->commands().action(id)->isEnabled(); }

    FixedClock clock;
    DocFileStorage storage;
    ScriptedPrompts prompts;
    MemorySettingsStore settings;
    QtLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    std::unique_ptr<MainFrame> frame;
};
