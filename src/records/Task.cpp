#include "records/Task.h"
#include "platform/Translate.h"

Task Task::createdAt(DateTime now) {
    Task task;
    task.DueDate = now;
    return task;
}

void Task::forgetLaterWhereChanged(const Task& before) {
    if (DueDate != before.DueDate) laterOfTwo = static_cast<uint8_t>(laterOfTwo & ~kLaterDue);
    if (DoneDate != before.DoneDate) laterOfTwo = static_cast<uint8_t>(laterOfTwo & ~kLaterDone);
}

const char* Task::priorityName(int32_t priority) {
    switch (priority) {
        case High:
            return _("High");
        case Medium:
            return _("Medium");
        case Low:
            return _("Low");
        case Done:
            return _("Done");
        default:
            return "";
    }
}
