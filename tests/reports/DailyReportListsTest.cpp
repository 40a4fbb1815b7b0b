#include <gtest/gtest.h>

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "reports/DailyReportLists.h"

namespace {

TEST(DailyReportLists, FollowTheDayViewRows) {
    FixedClock clock({2026, 5, 10, 8, 0});
    PimDocument document(clock);
    Appointment a;
    a.Description = "first";
    const int32_t first = document.add(a);
    a.Description = "second";
    const int32_t second = document.add(a);
    Task t;
    t.Description = "task";
    const int32_t task = document.add(t);

    const auto row = [](int32_t id, const char* description) {
        AppointmentRow r;
        r.id = id;
        r.description = description;
        return r;
    };
    struct Case {
        std::vector<AppointmentRow> rows;
        std::vector<int32_t> ids;
    };
    const Case cases[] = {
        // One appointment on three rows in a row is one entry...
        {{row(first, "first"), row(first, "first"), row(first, "first")}, {first}},
        // ...but rows of it with another between are two.
        {{row(first, "first"), row(second, "second"), row(first, "first")}, {first, second, first}},
        // A row without a description stands for no appointment.
        {{row(second, ""), row(first, "first")}, {first}},
        // A record the document no longer holds is left out.
        {{row(99, "gone"), row(second, "second")}, {second}},
    };
    for (const Case& c : cases) {
        std::vector<int32_t> ids;
        for (const Appointment& appointment : dailyReportAppointments(document, c.rows))
            ids.push_back(appointment.ID);
        EXPECT_EQ(ids, c.ids);
    }

    TaskRow taskRow;
    taskRow.id = task;
    TaskRow missing;
    missing.id = 42;
    const auto tasks = dailyReportTasks(document, {taskRow, missing, taskRow});
    ASSERT_EQ(tasks.size(), 2u);
    EXPECT_EQ(tasks[0].Description, "task");
}

}  // namespace
