#include "textio/TaskImport.h"

#include <gtest/gtest.h>

#include "platform/FixedLocale.h"
#include "textio/TextImport.h"
#include "textio/TransferTestSupport.h"

namespace {

class TaskImportTest : public ::testing::Test {
protected:
    ImportResult import(const std::string& text, std::vector<std::string> columns) {
        return importText(TransferKind::Tasks, doc,
                          transferSpec(true, TransferKind::Tasks, std::move(columns), false), text,
                          locale);
    }

    FixedClock clock{testNow()};
    PimDocument doc{clock};
    FixedLocale locale;
};

TEST_F(TaskImportTest, AppliesTheTaskRules) {
    const DateTime today = DateTime::fromFields(2026, 12, 6);
    struct Case {
        const char* line;
        const char* description;
        DateTime due;
        int priority;
    };
    const Case cases[] = {
        {"Pay rent,12/31/2026,1", "Pay rent", DateTime::fromFields(2026, 12, 31), 1},
        {"\"  Trim me \",2027-01-02T08:00, 2abc", "Trim me", DateTime::fromFields(2027, 1, 2), 2},
        {"Bad date,someday,2", "Bad date", today, 2},
        {"Empty date,,2", "Empty date", today, 2},
        {"Seven,1/1/27,7", "Seven", DateTime::fromFields(2027, 1, 1), 0},
        {"Negative,1/1/2027,-1", "Negative", DateTime::fromFields(2027, 1, 1), 0},
        {"Huge,1/1/2027,99999999999999", "Huge", DateTime::fromFields(2027, 1, 1), 0},
        {"Done,1/1/2027,3", "Done", DateTime::fromFields(2027, 1, 1), 3},
    };
    for (const Case& c : cases) {
        PimDocument one(clock);
        ASSERT_EQ(importText(TransferKind::Tasks, one,
                             transferSpec(true, TransferKind::Tasks,
                                          {"Task", "DueDate", "Priority"}, false),
                             c.line, locale)
                      .added,
                  1)
            << c.line;
        const Task& t = *one.tasks().find(1);
        EXPECT_EQ(t.Description, c.description) << c.line;
        EXPECT_EQ(t.DueDate, c.due) << c.line;
        EXPECT_EQ(t.Priority, c.priority) << c.line;
        EXPECT_TRUE(t.DoneDate.isNull()) << c.line;
    }
}

TEST_F(TaskImportTest, UnmappedFieldsKeepTheDefaultsOfTheImportMoment) {
    const ImportResult result = import("x,First\ny,\nz,Second\n", {"", "Task"});
    EXPECT_EQ(result.added, 2);
    ASSERT_EQ(result.skipped.size(), 1u);
    EXPECT_EQ(result.skipped[0].line, 2u);
    for (const auto& [id, task] : doc.tasks()) {
        EXPECT_EQ(task.DueDate, DateTime::fromFields(2026, 12, 6, 10, 0));
        EXPECT_EQ(task.Priority, Task::High);
    }
    EXPECT_EQ(doc.tasks().find(2)->Description, "Second");
}

}  // namespace
