#include "workspace/Workspace.h"

#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "shell/DocFileStorage.h"
#include "shell/ShellFakes.h"
#include "support/MemorySettingsStore.h"
#include "support/ScratchDir.h"

namespace {

// No window: the workspace alone opens a file, takes changes as named steps, undoes one,
// saves, and opens the file again at the next start.
TEST(Workspace, OpensChangesUndoesSavesAndReopensWithoutAWindow) {
    ScratchDir dir;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const std::string path = dir.file("home.pgr");
    {
        PimDocument seed(clock);
        seed.seedDefaultGroups();
        ASSERT_TRUE(saveDocument(seed, path));
    }
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    DocFileStorage storage;
    {
        Workspace workspace(clock, storage, prompts, settings);
        int told = 0;
        workspace.onCommandStatesChanged([&told] { ++told; });
        workspace.openAtStartup({path});
        EXPECT_EQ(workspace.document().path(), path);
        EXPECT_EQ(workspace.recentFiles().entries(), std::vector<std::string>{path});

        for (const char* text : {"kept", "taken back"}) {
            Task task = Task::createdAt(DateTime::now(clock));
            task.Description = text;
            workspace.runStep(UndoStep::AddTask, [&] { workspace.document().add(task); });
        }
        EXPECT_EQ(told, 3) << "the start and each step";
        EXPECT_EQ(workspace.history().undoName(), "Add Task");
        workspace.history().undo();
        ShellSnapshot state;
        workspace.fillSnapshot(state);
        EXPECT_TRUE(state.documentModified);
        EXPECT_EQ(state.taskCount, 1u);
        EXPECT_EQ(state.redoName, "Add Task");

        workspace.files().save();
        EXPECT_FALSE(workspace.document().isModified());
        workspace.toggleOpenLastFile();
        EXPECT_TRUE(workspace.files().close());
    }
    EXPECT_TRUE(prompts.messages.empty());

    Workspace again(clock, storage, prompts, settings);
    again.openAtStartup({});
    EXPECT_EQ(again.document().path(), path);
    ASSERT_EQ(again.document().tasks().size(), 1u);
    EXPECT_EQ(again.document().tasks().begin()->second.Description, "kept");
    EXPECT_FALSE(again.history().canUndo());
}

}  // namespace
