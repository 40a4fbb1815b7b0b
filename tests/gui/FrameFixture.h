#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include <QAction>
#include <QCalendarWidget>
#include <QStatusBar>

#include "GuiHelpers.h"
#include "organizer/ui/OrganizerView.h"
#include "organizer/ui/PhoneBookPanel.h"
#include "platform/Clock.h"
#include "platform/qt/DesktopContactLauncher.h"
#include "platform/qt/QtLocale.h"
#include "shell/CommandId.h"
#include "shell/ui/CommandActions.h"
#include "shell/ui/MainFrame.h"
#include "support/MemorySettingsStore.h"
#include "support/Records.h"
#include "support/ScratchDir.h"
#include "workspace/DocFileStorage.h"
#include "workspace/Workspace.h"
#include "workspace/WorkspaceFakes.h"

// The main window at a fixed moment, with settings in memory, scripted prompts and United
// States English formats; with what the window tests use.
class FrameFixture : public testing::Test {
protected:
    explicit FrameFixture(LocalTime now = LocalTime{2026, 12, 6, 10, 0, 0, 0}) : clock(now) {}

    // Makes the window and opens what it opens at start-up for these arguments; calls, mails
    // and web pages go to `launcher` when one is given, recovery copies to `recoveryFolder`.
    MainFrame& start(const std::vector<std::string>& arguments = {},
                     ContactLauncher* launcher = nullptr, const std::string& recoveryFolder = "") {
        frame.reset();  // a window shows the workspace it was made with
        workspace = std::make_unique<Workspace>(clock, storage, prompts, settings);
        if (!recoveryFolder.empty()) workspace->keepRecoveryCopiesIn(recoveryFolder);
        frame = std::make_unique<MainFrame>(*workspace, windowSettings, prompts);
        organizer = new OrganizerView(*workspace, *frame, settings, locale, prompts,
                                      launcher != nullptr ? *launcher : desktop);
        frame->openStartupDocument(arguments, false);
        return *frame;
    }
    // Adds or replaces a record as the editors would, through the workspace's door.
    template <class Record>
    int32_t add(Record record) {
        return workspace->runStep(stepFor<Record>(), [&](PimDocument& document) {
            return document.add(std::move(record));
        });
    }
    template <class Record>
    void replace(Record record) {
        workspace->runStep(stepFor<Record>(),
                           [&](PimDocument& document) { document.replace(std::move(record)); });
    }
    [[nodiscard]] bool enabled(int id) const { return frame->commands().action(id)->isEnabled(); }
    // The status bar's own text; a prompt shown while the pointer rests on a button covers
    // it only for that time.
    [[nodiscard]] QString statusText() const {
        const auto labels = frame->statusBar()->findChildren<QLabel*>();
        return labels.isEmpty() ? QString() : labels.front()->text();
    }

    template <class Record>
    static UndoStep stepFor() {
        if constexpr (std::is_same_v<Record, Task>)
            return UndoStep::AddTask;
        else if constexpr (std::is_same_v<Record, Appointment>)
            return UndoStep::AddAppointment;
        else
            return UndoStep::AddPerson;
    }

    ScratchDir dir;  // for the files a test writes; outlasts the window that may use them
    FixedClock clock;
    DocFileStorage storage;
    ScriptedPrompts prompts;
    MemorySettingsStore settings;
    ShellSettings windowSettings{settings};
    QtLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    std::unique_ptr<Workspace> workspace;
    DesktopContactLauncher desktop;
    std::unique_ptr<MainFrame> frame;    // goes before the workspace it shows
    OrganizerView* organizer = nullptr;  // the frame's home page, owned by the frame
};
