// The longest pause of the window's event loop while a user edits a large document (by
// default 100,000 persons, tasks and appointments) with recovery copies on: an edit every
// 100 ms, each copy asked for 2 s after the first change it would hold, as the window's
// timer does. Three runs in one process:
//  - the yardstick: the whole copy written on the window's thread;
//  - before: a thread of its own copies every record while the window waits, then writes;
//  - now: the workspace hands its thread a copy that shares the records.
// Each longest pause is printed in milliseconds and as a ratio to the yardstick's.
//   recovery_pause_bench [records] [seconds] [folder]

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <type_traits>
#include <utility>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentGenerator.h"
#include "platform/Clock.h"
#include "records/PimContents.h"
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

// Every record of `from` copied one by one, as the window copied them before they were
// shared.
PimContents deepCopy(const PimContents& from) {
    PimContents copy;
    const auto each = [](const auto& store, auto& into) {
        for (const auto& [id, record] : store)
            into.insertLoaded(std::decay_t<decltype(record)>(record));
        into.setLastId(store.lastId());
    };
    each(from.persons, copy.persons);
    each(from.tasks, copy.tasks);
    each(from.appointments, copy.appointments);
    each(from.phGroups, copy.phGroups);
    copy.user = from.user;
    return copy;
}

// Writes copies on a thread of its own, one at a time, as the workspace did before the
// records were shared: the thread copies the records (so that it frees them too) while the
// window waits, then writes the copy.
class CopyWriter {
public:
    explicit CopyWriter(std::string path) : path_(std::move(path)) {}
    ~CopyWriter() { wait(); }
    // Starts writing `contents` unless a copy is still being written.
    void write(const Clock& clock, const PimContents& contents) {
        if (busy_) return;
        wait();
        std::promise<void> copied;
        std::future<void> waited = copied.get_future();
        busy_ = true;
        thread_ = std::thread([&, copied = std::move(copied)]() mutable {
            PimDocument document(clock);
            document.adoptContents(deepCopy(contents));
            copied.set_value();
            if (!saveDocument(document, path_)) std::abort();
            busy_ = false;
        });
        waited.wait();
    }
    void wait() {
        if (thread_.joinable()) thread_.join();
    }

private:
    std::string path_;
    std::atomic<bool> busy_ = false;
    std::thread thread_;
};

enum class Run { Yardstick, Before, Now };

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
    double yardstick = 0;
    for (const Run run : {Run::Yardstick, Run::Before, Run::Now}) {
        DocFileStorage storage;
        ScriptedPrompts prompts;
        MemorySettingsStore settings;
        Workspace workspace(clock, storage, prompts, settings);
        workspace.openAtStartup({folder + "/home.pgr"});
        Pauses pauses;
        if (run != Run::Now) {
            RecoveryCopies copies(folder + "/recovery-before");
            CopyWriter writer(folder + "/copied.pgr");
            ChangeView changes;
            workspace.attachView(changes);
            pauses = editFor(
                workspace, seconds,
                [&](std::function<void()> due) { changes.told = due ? std::move(due) : [] {}; },
                [&] {
                    if (run == Run::Before)
                        writer.write(clock, workspace.document().contents());
                    else if (!copies.keep(workspace.document(), std::nullopt))
                        std::abort();
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
        if (run == Run::Yardstick) yardstick = pauses.longest;
        static const char* const kNames[] = {"copy written on the window's thread (yardstick)",
                                             "records copied while the window waits (before)",
                                             "records shared with the copy's thread (now)"};
        std::printf(
            "%zu of each, %s: %d edits, longest pause %.1f ms (ratio %.3f; of an edit alone "
            "%.1f ms), %.0f ms in all\n",
            count, kNames[static_cast<int>(run)], pauses.edits, pauses.longest,
            pauses.longest / yardstick, pauses.longestEdit, pauses.total);
        workspace.save();
    }
    std::filesystem::remove_all(folder);
}
