#include "organizer/AlarmSettings.h"

#include <algorithm>
#include <utility>

#include "platform/SettingsStore.h"

namespace {

constexpr const char* kAlarm = "Alarm";
constexpr const char* kUseAlarmSound = "UseAlarmSound";
constexpr const char* kAlarmSound = "AlarmSound";
constexpr const char* kBirthdayReminders = "BirthdayReminders";
constexpr const char* kBirthdayReminderDays = "BirthdayReminderDays";

}  // namespace

AlarmSettings AlarmSettingsStore::read() const {
    AlarmSettings alarm;
    if (auto sound = store_.readText(kAlarm, kAlarmSound)) alarm.alarmSound = std::move(*sound);
    if (const auto use = store_.readNumber(kAlarm, kUseAlarmSound)) alarm.useAlarmSound = *use != 0;
    // Off and unwritten until chosen, so that the stored settings stay as they were.
    if (const auto remind = store_.readNumber(kAlarm, kBirthdayReminders))
        alarm.birthdayReminders = *remind != 0;
    if (const auto days = store_.readNumber(kAlarm, kBirthdayReminderDays))
        alarm.birthdayReminderDays = static_cast<int>(std::min<uint32_t>(*days, kMostBirthdayLead));
    return alarm;
}

void AlarmSettingsStore::writeMissingDefaults() {
    const AlarmSettings defaults;
    // The sound only into a section of its own making: one written by hand stays as it is.
    if (!store_.hasSection(kAlarm)) writeAlarmSound(defaults.alarmSound);
    if (!store_.readNumber(kAlarm, kUseAlarmSound)) writeUseAlarmSound(defaults.useAlarmSound);
}

void AlarmSettingsStore::writeBirthdayReminders(bool remind, int daysBefore) {
    store_.writeNumber(kAlarm, kBirthdayReminders, remind ? 1 : 0);
    store_.writeNumber(kAlarm, kBirthdayReminderDays,
                       static_cast<uint32_t>(std::clamp(daysBefore, 0, kMostBirthdayLead)));
}

void AlarmSettingsStore::writeUseAlarmSound(bool use) {
    store_.writeNumber(kAlarm, kUseAlarmSound, use ? 1 : 0);
}

void AlarmSettingsStore::writeAlarmSound(const std::string& path) {
    store_.writeText(kAlarm, kAlarmSound, path);
}
