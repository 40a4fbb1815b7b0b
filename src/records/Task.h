#pragma once

#include <cstdint>
#include <string>

#include "records/DateTime.h"
#include "records/PackedText.h"

// A to-do item. Priority doubles as the completion state.
struct Task {
    enum Priorities : int32_t { High = 0, Medium = 1, Low = 2, Done = 3 };

    int32_t ID = 0;
    std::string Description;
    int32_t Priority = High;
    // Which of the two dates name the later of the two instants of an hour the clocks
    // repeat (kLater... bits). The file's seconds say it, so it is held in memory only.
    uint8_t laterOfTwo = 0;
    static constexpr uint8_t kLaterDue = 1, kLaterDone = 2;
    DateTime DueDate;   // when the task is due
    DateTime DoneDate;  // the day it was marked done; meaningful only while Priority is Done
    // Beyond version 16: the UID it came with, or was given when first exported or synced;
    // "" for none yet.
    PackedText uid;

    // A new task as the program creates it: High priority, due at `now`, not done.
    [[nodiscard]] static Task createdAt(DateTime now);
    // Whether the date of `bit` names the later instant of a repeated hour.
    [[nodiscard]] bool later(uint8_t bit) const { return (laterOfTwo & bit) != 0; }
    // Clears the later-of-two bit of each date that differs from `before`'s, as an
    // appointment does.
    void forgetLaterWhereChanged(const Task& before);
    [[nodiscard]] bool isDone() const { return Priority == Done; }
    // "High", "Medium", "Low", "Done" in the user's language; "" for any other number.
    [[nodiscard]] static const char* priorityName(int32_t priority);
    // The priority lists and reports show: a number from another program that none of the
    // four names is shown as Low, so that no task is hidden; the record keeps its number.
    [[nodiscard]] static int32_t listedPriority(int32_t priority) {
        return priority >= High && priority <= Done ? priority : Low;
    }

    bool operator==(const Task&) const = default;
};
