#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <random>
#include <thread>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "platform/qt/QtLocale.h"
#include "shell/DocFileStorage.h"
#include "shell/ShellFakes.h"
#include "shell/ui/MainFrame.h"
#include "support/MemorySettingsStore.h"
#include "support/ScratchDir.h"
#include "support/SeededDocument.h"
#include "workspace/Workspace.h"

extern char** environ;

namespace {

// The last of each kind of line the editing window logged.
struct Logged {
    int edit = 0, kept = 0, saving = 0, saved = 0;
};

Logged readLog(const std::string& path) {
    Logged logged;
    std::ifstream in(path);
    std::string word;
    int number = 0;
    while (in >> word >> number) {
        int& last = word == "edit"     ? logged.edit
                    : word == "kept"   ? logged.kept
                    : word == "saving" ? logged.saving
                                       : logged.saved;
        last = number;
    }
    return logged;
}

// The editing window of tests/gui/EditingRun.cpp, in a process of its own.
class EditingRun {
public:
    EditingRun(const std::string& document, const std::string& folder, const std::string& log,
               int edits = -1) {
        std::vector<std::string> args = {EDITING_RUN_BINARY, document, folder, log};
        if (edits >= 0) args.push_back(std::to_string(edits));
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, EDITING_RUN_BINARY, nullptr, nullptr, argv.data(), environ) != 0)
            pid_ = -1;
    }
    ~EditingRun() { kill(); }
    [[nodiscard]] bool started() const { return pid_ > 0; }
    void kill() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }

private:
    pid_t pid_ = -1;
};

// Waits until the log says `done`; false when the window gave up first (a minute is far
// more than any run needs; the time is no part of what is tested).
template <class Done>
bool waitFor(const std::string& log, Done done) {
    for (int i = 0; i < 3000; ++i) {
        if (done(readLog(log))) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

// A fresh document and an empty recovery folder.
struct Scene {
    Scene() { EXPECT_TRUE(saveSeededDocument(clock, document)); }
    ScratchDir dir;
    SystemClock clock;
    const std::string document = dir.file("home.pgr");
    const std::string folder = dir.file("recovery");
    const std::string log = dir.file("log");
};

// The next start of the window, answering "Restore" to what it offers.
struct Restart {
    Restart(const Scene& scene) : workspace(scene.clock, storage, prompts, settings) {
        workspace.keepRecoveryCopiesIn(scene.folder);
        prompts.answers = {MessageAnswer::Yes};
        frame = std::make_unique<MainFrame>(workspace, prompts, locale);
        frame->openStartupDocument({scene.document}, false);
    }
    ~Restart() {
        prompts.answers = {MessageAnswer::No};  // leave without saving: no copy stays
        frame->close();
    }
    [[nodiscard]] bool offered() const { return !prompts.messages.empty(); }
    // Whether the tasks are "edit 1" to "edit N", each once.
    [[nodiscard]] bool editsInOrder() const {
        int n = 0;
        for (const auto& [id, task] : workspace.document().tasks())
            if (task.Description != "edit " + std::to_string(++n)) return false;
        return true;
    }

    DocFileStorage storage;
    ScriptedPrompts prompts;
    MemorySettingsStore settings;
    QtLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    Workspace workspace;
    std::unique_ptr<MainFrame> frame;
};

// Killed at random moments while it edits and saves, the window leaves its file as last
// saved (or as the save under way made it), and a restart brings back at least every
// edit a recovery copy had kept. QUILLMATE_KILL_RUNS sets how many kills (5 by default).
TEST(RecoveryKill, KillsAtRandomMomentsLoseNoKeptEdit) {
    const char* runs = std::getenv("QUILLMATE_KILL_RUNS");
    const int count = runs != nullptr ? std::atoi(runs) : 5;
    std::mt19937 random(20261207);
    int offered = 0, midSave = 0, edits = 0;
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE("kill " + std::to_string(i + 1));
        Scene scene;
        {
            EditingRun run(scene.document, scene.folder, scene.log);
            ASSERT_TRUE(run.started());
            ASSERT_TRUE(waitFor(scene.log, [](const Logged& l) { return l.edit > 0; }));
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::uniform_int_distribution(0, 400)(random)));
        }
        const Logged logged = readLog(scene.log);

        PimDocument onDisk(scene.clock);
        ASSERT_TRUE(loadDocument(onDisk, scene.document)) << "never a broken file";
        const auto saved = static_cast<int>(onDisk.tasks().size());
        EXPECT_TRUE(saved == logged.saved || saved == logged.saving)
            << saved << " tasks on disk, last save " << logged.saved << ", under way "
            << logged.saving;

        Restart restart(scene);
        const auto restored = static_cast<int>(restart.workspace.document().tasks().size());
        EXPECT_TRUE(restart.editsInOrder());
        EXPECT_GE(restored, std::max(logged.kept, logged.saved));
        EXPECT_LE(restored, logged.edit + 1) << "at most the edit being logged";
        if (!restart.offered()) {
            EXPECT_EQ(restored, saved);
        }
        offered += restart.offered();
        midSave += logged.saving != logged.saved;
        edits += logged.edit;
    }
    // What the kills hit, to judge the run by.
    std::printf("%d kills after %d edits in all: %d left a copy, %d came during a save\n", count,
                edits, offered, midSave);
}

}  // namespace
