#include "shell/DocFileStorage.h"

#include <gtest/gtest.h>

#include "docfile/DocumentFile.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/ScratchDir.h"

namespace {

TEST(DocFileStorage, ASaveKeepsChangesAnotherProgramMadeSinceTheFileWasRead) {
    ScratchDir dir;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    const std::string path = dir.file("home.pgr");
    PimDocument theirs(clock);
    theirs.seedDefaultGroups();
    ASSERT_TRUE(saveDocument(theirs, path));

    DocFileStorage storage;
    PimDocument ours(clock);
    ASSERT_TRUE(storage.load(ours, path));
    ours.add(Task::createdAt(DateTime::now(clock)));
    ASSERT_TRUE(storage.save(ours, path, SaveMode::KeepOtherChanges)) << "nothing changed yet";
    ASSERT_TRUE(storage.save(ours, path, SaveMode::KeepOtherChanges)) << "its own save is known";

    // A script adds a person while the window has the file open.
    theirs.add(Person{});
    ASSERT_TRUE(saveDocument(theirs, path));
    const std::string scripted = fileBytes(path);
    const Status refused = storage.save(ours, path, SaveMode::KeepOtherChanges);
    EXPECT_EQ(refused.kind(), FailureKind::Conflict);
    EXPECT_EQ(fileBytes(path), scripted);

    ASSERT_TRUE(storage.save(ours, path, SaveMode::Overwrite));
    PimDocument reread(clock);
    ASSERT_TRUE(storage.load(reread, path));
    EXPECT_EQ(reread.tasks().size(), 1u);
    EXPECT_TRUE(storage.save(ours, path, SaveMode::KeepOtherChanges));

    // A save takes the lock a command-line import holds while it changes the file.
    FileLock held;
    ASSERT_TRUE(held.lock(path, std::chrono::milliseconds(0)));
    const std::string locked = fileBytes(path);
    ours.add(Person{});
    DocFileStorage impatient(std::chrono::milliseconds(0));
    EXPECT_EQ(impatient.save(ours, path, SaveMode::Overwrite).kind(), FailureKind::Busy);
    EXPECT_EQ(fileBytes(path), locked);
}

}  // namespace
