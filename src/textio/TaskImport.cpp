#include "textio/TaskImport.h"
#include "platform/Translate.h"

#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "textio/ImportValues.h"

namespace {
constexpr int kTask = 0, kDueDate = 1, kPriority = 2, kType = 3;
}  // namespace

TaskImport::TaskImport(const PimDocument& document, std::vector<int> columnOf, const Locale& locale)
    : RecordImport(std::move(columnOf)),
      batch_(document.contents().store<Task>()),
      dates_(locale),
      today_(DateTime::today(document.clock())),
      working_(Task::createdAt(DateTime::now(document.clock()))) {}

const char* TaskImport::importRecord(const std::vector<std::string_view>& values) {
    working_.Description.clear();
    bool named = false;
    bool isTask = true;
    bool dated = true;
    forEachField(values, [&](int field, std::string_view value) {
        if (field == kTask) {
            if (!value.empty()) {
                working_.Description = value;
                named = true;
            }
        } else if (field == kDueDate) {
            // A task without a date is due today; one with a date that cannot be read is
            // not made due today in silence.
            const DateTime due = dates_.parseDate(value);
            dated = due.isValid() || trimmed(value).empty();
            working_.DueDate = due.isValid() ? due : today_;
        } else if (field == kPriority) {
            const int32_t priority = readInteger(value);
            working_.Priority = priority >= Task::High && priority <= Task::Done ? priority : 0;
        } else if (field == kType) {
            isTask = trimmed(value).empty() || isOneOf(trimmed(value), {"task", "todo", "to-do"});
        }
    });
    if (!isTask) return _("a section or note, not a task (its type column says so)");
    if (!named) return _("no task");
    if (!dated) return _("no due date that can be read");
    Task task = working_;
    trimInPlace(task.Description);
    return batch_.add(std::move(task)) ? nullptr : _("no identifier left");
}
