#include "shell/DocFileStorage.h"

#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/ScratchDir.h"

namespace {

TEST(DocFileStorage, OnlyADamagedFileBringsItsOwnMessage) {
    const ScratchDir dir;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    DocFileStorage storage;
    PimDocument doc(clock);
    doc.seedDefaultGroups();

    writeBytes(dir.file("broken.pgr"),
               "<?xml version=\"1.0\"?>\n<Pim Version=\"16\">\n<PhGroups\n");
    const LoadOutcome damaged = storage.load(doc, dir.file("broken.pgr"));
    EXPECT_FALSE(damaged.loaded);
    EXPECT_EQ(damaged.error.rfind("Parsing error at line ", 0), 0u) << damaged.error;

    const LoadOutcome missing = storage.load(doc, dir.file("missing.pgr"));
    EXPECT_FALSE(missing.loaded);
    EXPECT_EQ(missing.error, "");
    EXPECT_EQ(doc.phGroups().size(), 3u);
    EXPECT_FALSE(storage.save(doc, dir.file("no-such-dir/x.pgr")));
}

}  // namespace
