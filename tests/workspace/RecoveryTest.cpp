#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "support/MemorySettingsStore.h"
#include "support/ScratchDir.h"
#include "support/SeededDocument.h"
#include "workspace/DocFileStorage.h"
#include "workspace/RecoveryCopies.h"
#include "workspace/Workspace.h"
#include "workspace/WorkspaceFakes.h"

namespace {

// One run of the program: a workspace keeping recovery copies, its document opened at start.
struct ProgramRun {
    ProgramRun(const Clock& clock, MemorySettingsStore& settings, const std::string& folder,
               const std::vector<std::string>& arguments)
        : workspace(clock, storage, prompts, settings) {
        workspace.keepRecoveryCopiesIn(folder);
        workspace.openAtStartup(arguments);
    }
    // Adds `count` tasks, a step each, and keeps a recovery copy as the timer would.
    void editAndKeep(int count) {
        for (int i = 0; i < count; ++i) {
            Task task = Task::createdAt(DateTime::now(workspace.document().clock()));
            task.Description = "edit " + std::to_string(i + 1);
            workspace.runStep(UndoStep::AddTask,
                              [&](PimDocument& document) { document.add(task); });
        }
        workspace.keepRecoveryCopy();
    }

    DocFileStorage storage;
    ScriptedPrompts prompts;
    Workspace workspace;
};

size_t copiesIn(const std::string& folder) {
    size_t count = 0;
    std::error_code ignored;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ignored))
        count += entry.path().extension() == ".recovery";
    return count;
}

// The records of the recovery copy in `folder`, as the next run reads them.
PimContents copyIn(const std::string& folder) {
    LeftCopy own;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".recovery") own.file = entry.path();
    PimContents onDisk;
    EXPECT_TRUE(RecoveryCopies::read(own, onDisk, DateTime::fromFields(2026, 12, 6, 10)));
    return onDisk;
}

// Asks for a copy again, as the timer would, until `done`; five seconds at most.
void keepUntil(Workspace& workspace, const std::function<bool()>& done) {
    for (int turn = 0; turn < 1000 && !done(); ++turn) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        workspace.keepRecoveryCopy();
    }
}

class Recovery : public testing::Test {
protected:
    Recovery() { EXPECT_TRUE(saveSeededDocument(clock, path)); }
    // A run that makes `edits` changes and dies, leaving its copy.
    void dieAfter(int edits, const std::vector<std::string>& arguments) {
        ProgramRun(clock, settings, folder, arguments).editAndKeep(edits);
    }
    // The next run, answering the question with `answer`.
    std::unique_ptr<ProgramRun> nextRun(MessageAnswer answer) {
        auto next =
            std::make_unique<ProgramRun>(clock, settings, folder, std::vector<std::string>{path});
        next->prompts.answers = {answer};
        next->workspace.offerRecovery();
        return next;
    }

    ScratchDir dir;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    MemorySettingsStore settings;
    const std::string path = dir.file("home.pgr");
    const std::string folder = dir.file("state/recovery");
};

// A run that ends without closing leaves its edits; the next run restores them as one step,
// changed and not saved, over what the file holds now, saying whether that changed on disk,
// and Undo gives the file's version back.
TEST_F(Recovery, ARunThatDiesLeavesItsEditsForTheNextToRestore) {
    for (const bool changedSince : {false, true}) {
        SCOPED_TRACE(changedSince ? "file changed since" : "file as it was");
        std::filesystem::remove_all(folder);
        dieAfter(3, {path});
        ASSERT_EQ(copiesIn(folder), 1u);
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            EXPECT_TRUE(entry.path().extension() != ".recovery" ||
                        entry.status().permissions() == std::filesystem::perms(0600))
                << entry.path() << " is private";
        if (changedSince) {
            PimDocument elsewhere(clock);
            ASSERT_TRUE(loadDocument(elsewhere, path));
            elsewhere.add(Person{});
            ASSERT_TRUE(saveDocument(elsewhere, path));
        }

        const auto next = nextRun(MessageAnswer::Yes);
        ASSERT_EQ(next->prompts.messages.size(), 1u);
        const std::string& question = next->prompts.messages[0].text;
        EXPECT_NE(question.find("changes to " + path), std::string::npos);
        EXPECT_EQ(question.find(path + " was changed on disk") != std::string::npos, changedSince);
        EXPECT_EQ(next->workspace.document().tasks().size(), 3u);
        EXPECT_TRUE(next->workspace.document().persons().empty());
        EXPECT_TRUE(next->workspace.document().isModified());
        EXPECT_EQ(next->workspace.history().undoName(), "Restore");
        EXPECT_EQ(copiesIn(folder), 1u) << "the left copy gave way to this run's own";
        next->workspace.undo();
        EXPECT_TRUE(next->workspace.document().tasks().empty());
        EXPECT_EQ(next->workspace.document().persons().size(), changedSince ? 1u : 0u);
        if (changedSince) continue;
        EXPECT_FALSE(next->workspace.document().isModified());
        EXPECT_EQ(copiesIn(folder), 0u) << "back at the saved records, nothing to recover";
    }
}

// What each answer and each ending of a run does with the copy.
TEST_F(Recovery, CopiesGoWithASaveACleanCloseOrDiscardAndStayForLater) {
    struct Case {
        const char* label;
        MessageAnswer answer;
        size_t copiesAfter;
    };
    for (const Case& c : {Case{"Later keeps it", MessageAnswer::Cancel, 1},
                          Case{"Discard removes it", MessageAnswer::No, 0}}) {
        dieAfter(1, {path});
        EXPECT_TRUE(nextRun(c.answer)->workspace.document().tasks().empty()) << c.label;
        EXPECT_EQ(copiesIn(folder), c.copiesAfter) << c.label;
        std::filesystem::remove_all(folder);
    }

    ProgramRun saving(clock, settings, folder, {path});
    saving.editAndKeep(1);
    saving.workspace.save();
    EXPECT_EQ(copiesIn(folder), 0u) << "a save";

    saving.editAndKeep(1);
    saving.prompts.answers = {MessageAnswer::No};  // do not save
    EXPECT_TRUE(saving.workspace.close());
    EXPECT_EQ(copiesIn(folder), 0u) << "a clean close";
}

// Changes to a document never saved come back in a new untitled document.
TEST_F(Recovery, AnUntitledDocumentIsRecoveredToo) {
    dieAfter(2, {});
    const auto next = nextRun(MessageAnswer::Yes);
    EXPECT_NE(next->prompts.messages.at(0).text.find("an untitled document"), std::string::npos);
    EXPECT_EQ(next->workspace.document().path(), "");
    EXPECT_EQ(next->workspace.document().tasks().size(), 2u);
    EXPECT_TRUE(next->workspace.document().isModified());
}

// A clock that holds up any thread but the one that made it while it is closed: the copy's
// writer reads it, so that a test can catch a copy under way.
class GateClock : public Clock {
public:
    LocalTime localTime() const override {
        std::unique_lock lock(mutex_);
        if (std::this_thread::get_id() != owner_) {
            ++waiting_;
            changed_.notify_all();
            changed_.wait(lock, [&] { return open_; });
        }
        return {2026, 12, 6, 10, 0, 0, 0};
    }
    void open() {
        const std::lock_guard lock(mutex_);
        open_ = true;
        changed_.notify_all();
    }
    void close() {
        const std::lock_guard lock(mutex_);
        open_ = false;
    }
    // Waits until the writer is held; false when none comes (a copy written at once).
    bool awaitWriter() const {
        std::unique_lock lock(mutex_);
        return changed_.wait_for(lock, std::chrono::seconds(30), [&] { return waiting_ > 0; });
    }

private:
    const std::thread::id owner_ = std::this_thread::get_id();
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    mutable int waiting_ = 0;
    bool open_ = true;
};

// The window waits only for a copy of the records: the copy is written on a thread of its
// own, counted once the copy on disk holds every change, and the window asked back until
// it is. Edits made meanwhile are in the next copy.
TEST_F(Recovery, ACopyIsWrittenWithoutHoldingTheWindow) {
    GateClock gate;
    DocFileStorage storage;
    ScriptedPrompts prompts;
    Workspace workspace(gate, storage, prompts, settings);
    workspace.keepRecoveryCopiesIn(folder);
    workspace.openAtStartup({path});
    int askedBack = 0;
    workspace.onRecoveryDue([&] { ++askedBack; });
    const auto edit = [&](const char* text) {
        Task task = Task::createdAt(DateTime::now(gate));
        task.Description = text;
        workspace.runStep(UndoStep::AddTask, [&](PimDocument& document) { document.add(task); });
    };

    gate.close();
    edit("one");
    askedBack = 0;
    workspace.keepRecoveryCopy();
    ASSERT_EQ(copiesIn(folder), 0u) << "the window went on while the copy is written";
    ASSERT_TRUE(gate.awaitWriter());
    EXPECT_EQ(askedBack, 1) << "to hear how it went";
    edit("two");
    gate.open();
    keepUntil(workspace, [&] { return workspace.recoveryCopiesWritten() > 0; });
    EXPECT_EQ(workspace.recoveryCopiesWritten(), 1u);
    ASSERT_EQ(copiesIn(folder), 1u);
    EXPECT_EQ(copyIn(folder).tasks.size(), 2u) << "both edits";
    workspace.save();
    EXPECT_EQ(copiesIn(folder), 0u);
    EXPECT_TRUE(prompts.messages.empty());
}

// A copy that cannot be written is told once, when the thread has tried, not taken for kept.
TEST_F(Recovery, ACopyThatCannotBeWrittenIsToldOnce) {
    ProgramRun run(clock, settings, folder, {path});
    run.editAndKeep(1);
    keepUntil(run.workspace, [&] { return run.workspace.recoveryCopiesWritten() > 0; });
    // A folder full of something where the copy goes: no rename can replace it.
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".recovery") continue;
        std::filesystem::remove(entry.path());
        std::filesystem::create_directories(entry.path() / "taken");
    }
    ASSERT_EQ(run.workspace.recoveryCopiesWritten(), 1u);
    for (int edit = 0; edit < 2; ++edit) {
        run.editAndKeep(1);
        keepUntil(run.workspace, [&] { return !run.prompts.messages.empty(); });
    }
    ASSERT_EQ(run.prompts.messages.size(), 1u);
    EXPECT_TRUE(run.prompts.messages[0].text.starts_with("Unsaved changes cannot be kept"));
    EXPECT_EQ(run.workspace.recoveryCopiesWritten(), 1u);
}

// The next run may start in another folder, so a relative path would name another file.
// The copy being written shares the window's records: it holds them as they were when it
// was asked for, whatever the window changes, adds or removes meanwhile.
TEST_F(Recovery, ACopyHoldsTheRecordsAsTheyWereWhenAskedFor) {
    GateClock gate;
    PimDocument document(gate);
    for (const char* text : {"one", "two", "three"}) {
        Task task = Task::createdAt(DateTime::now(gate));
        task.Description = text;
        document.add(task);
    }
    RecoveryCopies copies(folder);
    gate.close();
    ASSERT_TRUE(copies.keepLater(document, std::nullopt));
    ASSERT_TRUE(gate.awaitWriter());
    Task changed = *document.tasks().find(1);
    changed.Description = "changed";
    document.replace(changed);
    document.remove<Task>(2);
    document.add(Task::createdAt(DateTime::now(gate)));
    gate.open();
    copies.settle();

    const PimContents onDisk = copyIn(folder);
    std::vector<std::string> texts;
    for (const auto& [id, task] : onDisk.tasks)
        texts.push_back(task.Description);
    EXPECT_EQ(texts, (std::vector<std::string>{"one", "two", "three"}));
}

TEST(RecoveryCopies, ACopyNamesItsDocumentByTheAbsolutePath) {
    ScratchDir dir;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument document(clock);
    document.setPath("home.pgr");
    {
        RecoveryCopies dying(dir.file("copies"));
        ASSERT_TRUE(dying.keep(document, std::nullopt));
    }
    const std::vector<LeftCopy> left = RecoveryCopies(dir.file("copies")).leftBehind();
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0].documentPath, std::filesystem::absolute("home.pgr").string());
}

}  // namespace
