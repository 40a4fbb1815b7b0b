#include "textio/TaskImport.h"

#include <gtest/gtest.h>

#include "textio/TransferTestSupport.h"

namespace {

using TaskImportTest = ImportTest<TransferKind::Tasks>;

TEST_F(TaskImportTest, AppliesTheTaskRules) {
    const DateTime today = DateTime::fromFields(2026, 12, 6);
    struct Case {
        const char* line;
        const char* description;  // nullptr: nothing added
        DateTime due;
        int priority;
    };
    const Case cases[] = {
        {"Pay rent,12/31/2026,1", "Pay rent", DateTime::fromFields(2026, 12, 31), 1},
        {"\"  Trim me \",2027-01-02T08:00, 2abc", "Trim me", DateTime::fromFields(2027, 1, 2), 2},
        {"Bad date,someday,2", "Bad date", today, 2},
        {"Seven,1/1/27,7", "Seven", DateTime::fromFields(2027, 1, 1), 0},
        {"Huge,,99999999999999", "Huge", today, 0},
        {",1/1/2027,1", nullptr, DateTime(), 0},
    };
    for (const Case& c : cases) {
        PimDocument one(clock);
        const ImportResult result =
            importInto(one, TransferKind::Tasks, {"Task", "DueDate", "Priority"}, c.line);
        ASSERT_EQ(result.added, c.description ? 1 : 0) << c.line;
        if (!c.description) continue;
        const Task& t = *one.tasks().find(1);
        EXPECT_EQ(t.Description, c.description) << c.line;
        EXPECT_EQ(t.DueDate, c.due) << c.line;
        EXPECT_EQ(t.Priority, c.priority) << c.line;
    }

    // Fields without a column keep the defaults of a task made when the import started.
    EXPECT_EQ(import("x,First\ny,\nz,Second\n", {"", "Task"}).added, 2);
    EXPECT_EQ(doc.tasks().find(2)->DueDate, DateTime::fromFields(2026, 12, 6, 10, 0));
    EXPECT_EQ(doc.tasks().find(2)->Priority, Task::High);
}

TEST_F(TaskImportTest, RecordsBeyondTheLastIdentifierAreSkippedSayingWhy) {
    PimContents nearlyFull;
    nearlyFull.tasks.setLastId(INT32_MAX - 1);
    doc.adoptContents(std::move(nearlyFull));
    const ImportResult result = import("a\nb\nc\n", {"Task"});
    EXPECT_EQ(result.added, 1);
    ASSERT_EQ(result.skipped.size(), 2u);
    EXPECT_STREQ(result.skipped[0].reason, "no identifier left");
    EXPECT_EQ(doc.tasks().find(INT32_MAX)->Description, "a");
}

}  // namespace
