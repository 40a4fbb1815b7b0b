#include "shell/DocFileStorage.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

namespace fs = std::filesystem;

class DocFileStorageTest : public testing::Test {
protected:
    DocFileStorageTest() {
        const char* test = testing::UnitTest::GetInstance()->current_test_info()->name();
        dir = fs::temp_directory_path() /
              ("quillmate-storage-" + std::to_string(getpid()) + "-" + test);
        fs::create_directories(dir);
    }
    ~DocFileStorageTest() override { fs::remove_all(dir); }

    FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    fs::path dir;
    DocFileStorage storage;
};

TEST_F(DocFileStorageTest, SavedDocumentLoadsBack) {
    PimDocument written(clock);
    written.seedDefaultGroups();
    const std::string path = (dir / "home.pgr").string();
    ASSERT_TRUE(storage.save(written, path));

    PimDocument read(clock);
    const LoadOutcome outcome = storage.load(read, path);
    EXPECT_TRUE(outcome.loaded);
    EXPECT_EQ(read.phGroups().size(), 3u);
}

TEST_F(DocFileStorageTest, OnlyADamagedFileBringsItsOwnMessage) {
    const std::string broken = (dir / "broken.pgr").string();
    std::ofstream(broken) << "<?xml version=\"1.0\"?>\n<Pim Version=\"16\">\n<PhGroups\n";
    PimDocument doc(clock);
    doc.seedDefaultGroups();

    const LoadOutcome damaged = storage.load(doc, broken);
    EXPECT_FALSE(damaged.loaded);
    EXPECT_EQ(damaged.error.rfind("Parsing error at line ", 0), 0u) << damaged.error;

    const LoadOutcome missing = storage.load(doc, (dir / "missing.pgr").string());
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.error, "");
    EXPECT_EQ(doc.phGroups().size(), 3u);
    EXPECT_FALSE(storage.save(doc, (dir / "no-such-dir" / "x.pgr").string()));
}

}  // namespace
