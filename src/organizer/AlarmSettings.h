#pragma once

#include <string>

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

// Where the alarm options are stored (section "Alarm"), their defaults, and which defaults
// are written back when missing. Every call is one short access to the store.
class AlarmSettingsStore {
public:
    explicit AlarmSettingsStore(SettingsStore& store) : store_(store) {}

    // The alarm options, defaults where none are stored.
    [[nodiscard]] AlarmSettings read() const;
    // Writes the defaults the window's start-up writes where they are missing.
    void writeMissingDefaults();
    void writeUseAlarmSound(bool use);
    void writeAlarmSound(const std::string& path);
    // `BirthdayReminders` (0 or 1) and `BirthdayReminderDays` (0 to kMostBirthdayLead).
    void writeBirthdayReminders(bool remind, int daysBefore);
    static constexpr int kMostBirthdayLead = 60;

private:
    SettingsStore& store_;
};
