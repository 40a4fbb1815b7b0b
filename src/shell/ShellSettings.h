#pragma once

#include <optional>
#include <string>

#include "shell/RecentFileList.h"
#include "shell/WindowPlacement.h"

class SettingsStore;

// The alarm options the organizer keeps.
struct AlarmSettings {
    bool useAlarmSound = true;
    std::string alarmSound = "beep.wav";
    // Whether birthdays and anniversaries are reminded of, and how many days before.
    bool birthdayReminders = false;
    int birthdayReminderDays = 0;

    // The days before a birthday its reminder shows; -1 while they are off.
    [[nodiscard]] int birthdayLead() const { return birthdayReminders ? birthdayReminderDays : -1; }
};

// The program's per-user settings: which sections and value names hold what, their
// defaults, and which defaults are written back when missing. Every call is one short
// access to the store; nothing is cached here.
class ShellSettings {
public:
    explicit ShellSettings(SettingsStore& store) : store_(store) {}

    // `OpenLastFile`; nothing when it cannot be read. With `writeBack`, a missing
    // `Files` section is created holding the default 0.
    [[nodiscard]] std::optional<bool> readOpenLastFile(bool writeBack = true);
    void writeOpenLastFile(bool open);

    // `LastFileUsed`; nothing when it cannot be read. A missing `Files` section is
    // created holding "".
    [[nodiscard]] std::optional<std::string> readLastFileUsed();
    void writeLastFileUsed(const std::string& path);

    // The recent-file list and its maximum; empty with maximum 4 when not stored.
    [[nodiscard]] RecentFileList readRecentFiles() const;
    // Stores the maximum and the entries (`Document1` the newest) and removes the
    // values of entries that no longer exist.
    void writeRecentFiles(const RecentFileList& list);

    // The stored main-window placement; nothing when none is stored.
    [[nodiscard]] std::optional<WindowPlacement> readPlacement() const;
    void writePlacement(const WindowPlacement& placement);

    // The alarm options, writing back the defaults the organizer's start-up writes.
    [[nodiscard]] AlarmSettings readAlarmSettings();
    void writeUseAlarmSound(bool use);
    void writeAlarmSound(const std::string& path);
    // `BirthdayReminders` (0 or 1) and `BirthdayReminderDays` (0 to kMostBirthdayLead).
    void writeBirthdayReminders(bool remind, int daysBefore);
    static constexpr int kMostBirthdayLead = 60;

    // How many earlier versions each save keeps (`BackupsKept`), at most
    // RotatingBackups::kMostKept; the default when not stored.
    [[nodiscard]] int readBackupsKept() const;
    void writeBackupsKept(int kept);

private:
    SettingsStore& store_;
};
