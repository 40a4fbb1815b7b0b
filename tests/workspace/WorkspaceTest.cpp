#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"
#include "support/ScratchDir.h"
#include "support/SeededDocument.h"
#include "workspace/DocFileStorage.h"
#include "workspace/WorkspaceFakes.h"

namespace {

class WorkspaceTest : public testing::Test {
protected:
    void addTask(Workspace& workspace, const char* text = "") {
        Task task = Task::createdAt(DateTime::now(clock));
        task.Description = text;
        workspace.runStep(UndoStep::AddTask, [&](PimDocument& document) { document.add(task); });
    }

    ScratchDir dir;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const std::string path = dir.file("home.pgr");
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    DocFileStorage storage;
};

// No window: the workspace alone opens a file, takes changes through its door as named
// steps, undoes one, saves, tells its listeners each of these, and opens the file again at
// the next start. What a save keeps of the file it replaces is the storage's own rule.
TEST_F(WorkspaceTest, ASessionWithoutAWindowOpensEditsUndoesSavesAndReopens) {
    ASSERT_TRUE(saveSeededDocument(clock, path));
    {
        Workspace workspace(clock, storage, prompts, settings);
        int told = 0;
        std::vector<DocumentEvent> heard;
        workspace.onCommandStatesChanged([&told] { ++told; });
        workspace.onDocumentEvent([&heard](DocumentEvent event) { heard.push_back(event); });
        workspace.openAtStartup({path});
        EXPECT_EQ(workspace.document().path(), path);
        EXPECT_EQ(workspace.recentFiles().entries(), std::vector<std::string>{path});

        for (const char* text : {"kept", "taken back"})
            addTask(workspace, text);
        EXPECT_EQ(told, 3) << "the start and each step";
        EXPECT_EQ(workspace.history().undoName(), "Add Task");
        workspace.undo();
        EXPECT_EQ(std::tuple(workspace.document().isModified(), workspace.document().tasks().size(),
                             workspace.history().redoName()),
                  std::tuple(true, 1u, "Add Task"));

        workspace.save();
        EXPECT_FALSE(workspace.document().isModified());
        using enum DocumentEvent;
        EXPECT_GE(std::erase(heard, Changed), 3u) << "each step and the undo";
        EXPECT_EQ(heard, (std::vector{Opened, Saved}));
        workspace.toggleOpenLastFile();
        EXPECT_TRUE(workspace.close());
    }
    EXPECT_TRUE(prompts.messages.empty());

    Workspace again(clock, storage, prompts, settings);
    again.openAtStartup({});
    EXPECT_EQ(again.document().path(), path);
    ASSERT_EQ(again.document().tasks().size(), 1u);
    EXPECT_EQ(again.document().tasks().begin()->second.Description, "kept");
    EXPECT_FALSE(again.history().canUndo());
}

// Restore Backup keeps the version on disk first, whatever the setting, and restores
// nothing when it cannot.
TEST_F(WorkspaceTest, RestoringABackupKeepsTheCurrentVersionOrRestoresNothing) {
    const std::string older = dir.file("older.pgr");
    {
        PimDocument seed(clock);
        ASSERT_TRUE(saveDocument(seed, path));
        seed.add(Task::createdAt(DateTime::now(clock)));
        ASSERT_TRUE(saveDocument(seed, older));
    }
    writeBytes(dir.file("blocker"), "not a folder");
    struct Case {
        const char* label;
        std::string folder;
        size_t tasksAfter;
    };
    for (const Case& c : {Case{"kept", dir.file("backups"), 1},
                          Case{"cannot keep", dir.file("blocker/backups"), 0}}) {
        prompts.messages.clear();
        Workspace workspace(clock, storage, prompts, settings);
        const RotatingBackups backups(c.folder, [] { return 0; });
        workspace.setBackups(backups);
        workspace.openAtStartup({path});
        workspace.restoreBackup(BackupVersion{1, older, 0});
        EXPECT_EQ(workspace.document().tasks().size(), c.tasksAfter) << c.label;
        if (c.tasksAfter == 0) {
            ASSERT_EQ(prompts.messages.size(), 1u) << c.label;
            EXPECT_TRUE(prompts.messages[0].text.starts_with("Nothing was restored")) << c.label;
        } else {
            ASSERT_EQ(backups.versions(path).size(), 1u) << c.label;
            EXPECT_EQ(fileBytes(backups.versions(path)[0].file), fileBytes(path)) << c.label;
        }
    }
}

// The version chosen is read before the save question, whose save may drop it.
TEST_F(WorkspaceTest, TheVersionChosenSurvivesTheSaveQuestion) {
    ASSERT_TRUE(saveDocument(PimDocument(clock), path));
    prompts.answers.push_back(MessageAnswer::Yes);
    const RotatingBackups backups(dir.file("backups"), [] { return 1; });
    storage.keepBackups(backups);
    Workspace workspace(clock, storage, prompts, settings);
    workspace.setBackups(backups);
    workspace.openAtStartup({path});
    addTask(workspace);
    workspace.save();
    ASSERT_EQ(backups.versions(path).size(), 1u);
    addTask(workspace);

    workspace.restoreBackup(backups.versions(path)[0]);
    EXPECT_EQ(prompts.messages.size(), 1u) << "only the save question";
    EXPECT_TRUE(workspace.document().tasks().empty());
}

// As the command line uses it: the quiet file operations ask nothing, leave the recent
// files and settings alone, and a write over another program's change fails, writing
// nothing, unless told to overwrite.
TEST_F(WorkspaceTest, QuietFileOperationsAskNothingAndKeepAnotherProgramsChange) {
    ASSERT_TRUE(saveSeededDocument(clock, path));
    Workspace workspace(clock, storage, prompts, settings);
    std::vector<DocumentEvent> heard;
    workspace.onDocumentEvent([&heard](DocumentEvent event) {
        if (event != DocumentEvent::Changed) heard.push_back(event);
    });
    EXPECT_FALSE(workspace.openFile(dir.file("missing.pgr")));
    EXPECT_EQ(workspace.document().path(), "");
    ASSERT_TRUE(workspace.openFile(path));
    EXPECT_EQ(workspace.document().path(), path);

    addTask(workspace, "mine");
    writeBytes(path, fileBytes(path) + "\n");
    const std::string theirs = fileBytes(path);
    EXPECT_EQ(workspace.writeFile(SaveMode::KeepOtherChanges).kind(), FailureKind::Conflict);
    EXPECT_EQ(fileBytes(path), theirs);
    EXPECT_TRUE(workspace.document().isModified());
    ASSERT_TRUE(workspace.writeFile(SaveMode::Overwrite));
    EXPECT_FALSE(workspace.document().isModified());

    const std::string copy = dir.file("copy.pgr");
    ASSERT_TRUE(workspace.writeFileAs(copy, SaveMode::Overwrite));
    EXPECT_EQ(workspace.document().path(), copy);
    EXPECT_EQ(fileBytes(copy), fileBytes(path));

    using enum DocumentEvent;
    EXPECT_EQ(heard, (std::vector{Opened, Saved, Saved}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(workspace.recentFiles().entries().empty());
    EXPECT_TRUE(settings.sections().empty());
}

}  // namespace
