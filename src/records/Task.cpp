#include "records/Task.h"
#include "platform/Translate.h"

Task Task::createdAt(DateTime now) {
    Task task;
    task.DueDate = now;
    return task;
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
