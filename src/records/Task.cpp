#include "records/Task.h"

Task Task::createdAt(DateTime now) {
    Task task;
    task.DueDate = now;
    return task;
}

const char* Task::priorityName(int32_t priority) {
    switch (priority) {
        case High:
            return "High";
        case Medium:
            return "Medium";
        case Low:
            return "Low";
        case Done:
            return "Done";
        default:
            return "";
    }
}
