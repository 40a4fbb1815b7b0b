#include <QProcess>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <thread>

#include "FrameFixture.h"
#include "support/SeededDocument.h"

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
    while (in >> word >> number)
        (word == "edit"     ? logged.edit
         : word == "kept"   ? logged.kept
         : word == "saving" ? logged.saving
                            : logged.saved) = number;
    return logged;
}

using RecoveryKill = FrameFixture;

// Killed at random moments while it edits and saves, the window leaves its file as last
// saved (or as the save under way made it), and a restart brings back at least every
// edit a recovery copy had kept. QUILLMATE_KILL_RUNS sets how many kills (5 by default).
TEST_F(RecoveryKill, KillsAtRandomMomentsLoseNoKeptEdit) {
    const char* runs = std::getenv("QUILLMATE_KILL_RUNS");
    const int count = runs != nullptr ? std::atoi(runs) : 5;
    std::mt19937 random(20261207);
    int offered = 0, midSave = 0, edits = 0;
    for (int i = 0; i < count; ++i) {
        SCOPED_TRACE("kill " + std::to_string(i + 1));
        const ScratchDir dir;
        const std::string document = dir.file("home.pgr"), log = dir.file("log");
        ASSERT_TRUE(saveSeededDocument(clock, document));
        {
            // The editing window of EditingRun.cpp, killed when this block ends.
            QProcess run;
            run.start(EDITING_RUN_BINARY,
                      {QString::fromStdString(document),
                       QString::fromStdString(dir.file("recovery")), QString::fromStdString(log)});
            ASSERT_TRUE(run.waitForStarted());
            // A minute is far more than a start needs; the time is no part of the test.
            for (int wait = 0; wait < 3000 && readLog(log).edit == 0; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            ASSERT_GT(readLog(log).edit, 0);
            std::this_thread::sleep_for(
                std::chrono::milliseconds(std::uniform_int_distribution(0, 400)(random)));
            run.kill();
            run.waitForFinished();
        }
        const Logged logged = readLog(log);

        PimDocument onDisk(clock);
        ASSERT_TRUE(loadDocument(onDisk, document)) << "never a broken file";
        const auto saved = static_cast<int>(onDisk.tasks().size());
        EXPECT_TRUE(saved == logged.saved || saved == logged.saving)
            << saved << " tasks on disk, last save " << logged.saved << ", under way "
            << logged.saving;

        // The next start over the killed one's files, answering "Restore".
        prompts.messages.clear();
        prompts.answers = {MessageAnswer::Yes};
        start({document}, nullptr, dir.file("recovery"));
        const auto restored = static_cast<int>(workspace->document().tasks().size());
        const bool copyOffered = !prompts.messages.empty();
        int n = 0;  // the tasks are "edit 1" to "edit N", each once
        for (const auto& [id, task] : workspace->document().tasks())
            EXPECT_EQ(task.Description, "edit " + std::to_string(++n));
        EXPECT_GE(restored, std::max(logged.kept, logged.saved));
        EXPECT_LE(restored, logged.edit + 1) << "at most the edit being logged";
        EXPECT_TRUE(copyOffered || restored == saved) << restored << " restored, " << saved;
        offered += copyOffered;
        midSave += logged.saving != logged.saved;
        edits += logged.edit;
        prompts.answers = {MessageAnswer::No};  // leave without saving: no copy stays
        frame->close();
    }
    // What the kills hit, to judge the run by.
    std::printf("%d kills after %d edits in all: %d left a copy, %d came during a save\n", count,
                edits, offered, midSave);
}

}  // namespace
