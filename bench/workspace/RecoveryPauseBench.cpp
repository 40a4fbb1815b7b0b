// The longest pause of the window's event loop while a user edits a large document (by
// default 100,000 persons, tasks and appointments) with recovery copies on: an edit every
// 100 ms, each copy asked for 2 s after the first change it would hold, as the window's
// timer does. Run once with the copy written on the window's thread, as it was, and once
// as the workspace keeps it now.
//   recovery_pause_bench [records] [seconds] [folder]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentGenerator.h"
#include "platform/Clock.h"
#include "support/MemorySettingsStore.h"
#include "workspace/DocFileStorage.h"
#include "workspace/Workspace.h"
#include "workspace/WorkspaceFakes.h"

namespace {

using Moment = std::chrono::steady_clock::time_point;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr std::chrono::milliseconds kEditEvery{100};
constexpr std::chrono::milliseconds kRecoveryDelay{2000};

struct Pauses {
    double longest = 0;      // milliseconds
    double longestEdit = 0;  // of the edits alone
    double total = 0;
    int edits = 0;
};

// Told of every change, as the window is.
struct ChangeView : DocumentView {
    std::function<void()> told;
    void documentChanged() override { told(); }
};

// Runs the loop for `seconds`: an edit on each tick of its timer, and `keepCopy` when the
// recovery timer, started by `due`, runs out. `hookDue` hands `due` to what asks for copies.
Pauses editFor(Workspace& workspace, double seconds,
               const std::function<void(std::function<void()>)>& hookDue,
               const std::function<void()>& keepCopy) {
    Pauses pauses;
    const Moment start = std::chrono::steady_clock::now();
    const Moment end = start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                   std::chrono::duration<double>(seconds));
    Moment nextEdit = start;
    std::optional<Moment> copyDue;
    hookDue([&] {
        if (!copyDue) copyDue = std::chrono::steady_clock::now() + kRecoveryDelay;
    });
    for (Moment now; (now = std::chrono::steady_clock::now()) < end;) {
        const bool copyNow = copyDue && *copyDue <= now;
        if (!copyNow && now < nextEdit) {
            std::this_thread::sleep_until(copyDue ? std::min(*copyDue, nextEdit) : nextEdit);
            continue;
        }
        if (copyNow) {
            copyDue.reset();
            keepCopy();
        } else {
            Task task = Task::createdAt(DateTime::now(workspace.document().clock()));
            task.Description = "edit " + std::to_string(++pauses.edits);
            workspace.runStep(UndoStep::AddTask,
                              [&](PimDocument& document) { document.add(task); });
            nextEdit += kEditEvery;
        }
        const double took = Milliseconds(std::chrono::steady_clock::now() - now).count();
        pauses.longest = std::max(pauses.longest, took);
        if (!copyNow) pauses.longestEdit = std::max(pauses.longestEdit, took);
        pauses.total += took;
    }
    hookDue(nullptr);
    return pauses;
}

}  // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 12;
    const std::string folder = argc > 3 ? argv[3] : "recovery-pause-bench";
    std::filesystem::create_directories(folder);
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    {
        PimDocument document(clock);
        generateDocument(document, count);
        if (!saveDocument(document, folder + "/home.pgr")) std::abort();
    }
    for (const bool onTheWindowsThread : {true, false}) {
        DocFileStorage storage;
        ScriptedPrompts prompts;
        MemorySettingsStore settings;
        Workspace workspace(clock, storage, prompts, settings);
        workspace.openAtStartup({folder + "/home.pgr"});
        Pauses pauses;
        if (onTheWindowsThread) {
            // As the window did before: the whole copy written when the timer runs out.
            RecoveryCopies copies(folder + "/recovery-before");
            ChangeView changes;
            workspace.attachView(changes);
            pauses = editFor(
                workspace, seconds,
                [&](std::function<void()> due) { changes.told = due ? std::move(due) : [] {}; },
                [&] {
                    if (!copies.keep(workspace.document(), std::nullopt)) std::abort();
                });
            workspace.detachView(changes);
            copies.drop();
        } else {
            workspace.keepRecoveryCopiesIn(folder + "/recovery");
            pauses = editFor(
                workspace, seconds,
                [&](std::function<void()> due) { workspace.onRecoveryDue(std::move(due)); },
                [&] { workspace.keepRecoveryCopy(); });
        }
        std::printf(
            "%zu of each, %s: %d edits, longest pause %.0f ms (of an edit alone %.0f ms), "
            "%.0f ms in all\n",
            count,
            onTheWindowsThread ? "copy written on the window's thread (before)"
                               : "copy written on its own thread (now)",
            pauses.edits, pauses.longest, pauses.longestEdit, pauses.total);
        workspace.files().save();
    }
    std::filesystem::remove_all(folder);
}
