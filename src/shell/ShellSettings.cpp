#include "shell/ShellSettings.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/SettingsStore.h"

namespace {

constexpr const char* kSettings = "Settings";
constexpr const char* kAlarm = "Alarm";
constexpr const char* kUseAlarmSound = "UseAlarmSound";
constexpr const char* kAlarmSound = "AlarmSound";
constexpr const char* kBirthdayReminders = "BirthdayReminders";
constexpr const char* kBirthdayReminderDays = "BirthdayReminderDays";

// The ten placement values and the fields they fill. The odd name of the maximised
// y position is the stored one and must stay.
struct PlacementValue {
    const char* name;
    int32_t WindowPlacement::*field = nullptr;
    int32_t ScreenRect::*rectField = nullptr;
};
const std::array<PlacementValue, 10> kPlacementValues = {{
    {"wp.showCmd", &WindowPlacement::showCmd},
    {"wp.flags", &WindowPlacement::flags},
    {"wp.ptMinPosition.x", &WindowPlacement::minX},
    {"wp.ptMinPosition.y", &WindowPlacement::minY},
    {"wp.ptMaxPosition.x", &WindowPlacement::maxX},
    {"wp.wpMaxPosition.y", &WindowPlacement::maxY},
    {"wp.left", nullptr, &ScreenRect::left},
    {"wp.right", nullptr, &ScreenRect::right},
    {"wp.top", nullptr, &ScreenRect::top},
    {"wp.bottom", nullptr, &ScreenRect::bottom},
}};

int32_t& fieldOf(WindowPlacement& placement, const PlacementValue& value) {
    return value.field ? placement.*(value.field) : placement.normal.*(value.rectField);
}

}  // namespace

std::optional<WindowPlacement> ShellSettings::readPlacement() const {
    if (!store_.hasSection(kSettings)) return std::nullopt;
    WindowPlacement placement;
    placement.normal = ScreenRect{};
    for (const PlacementValue& value : kPlacementValues) {
        if (const auto number = store_.readNumber(kSettings, value.name))
            fieldOf(placement, value) = static_cast<int32_t>(*number);
    }
    return placement;
}

void ShellSettings::writePlacement(const WindowPlacement& placement) {
    WindowPlacement copy = placement;
    for (const PlacementValue& value : kPlacementValues)
        store_.writeNumber(kSettings, value.name, static_cast<uint32_t>(fieldOf(copy, value)));
}

AlarmSettings ShellSettings::readAlarmSettings() {
    AlarmSettings alarm;
    if (!store_.hasSection(kAlarm))
        store_.writeText(kAlarm, kAlarmSound, alarm.alarmSound);
    else if (auto sound = store_.readText(kAlarm, kAlarmSound))
        alarm.alarmSound = std::move(*sound);
    if (const auto use = store_.readNumber(kAlarm, kUseAlarmSound))
        alarm.useAlarmSound = *use != 0;
    else
        writeUseAlarmSound(alarm.useAlarmSound);
    // Off and unwritten until chosen, so that the stored settings stay as they were.
    if (const auto remind = store_.readNumber(kAlarm, kBirthdayReminders))
        alarm.birthdayReminders = *remind != 0;
    if (const auto days = store_.readNumber(kAlarm, kBirthdayReminderDays))
        alarm.birthdayReminderDays = static_cast<int>(std::min<uint32_t>(*days, kMostBirthdayLead));
    return alarm;
}

void ShellSettings::writeBirthdayReminders(bool remind, int daysBefore) {
    store_.writeNumber(kAlarm, kBirthdayReminders, remind ? 1 : 0);
    store_.writeNumber(kAlarm, kBirthdayReminderDays,
                       static_cast<uint32_t>(std::clamp(daysBefore, 0, kMostBirthdayLead)));
}

void ShellSettings::writeUseAlarmSound(bool use) {
    store_.writeNumber(kAlarm, kUseAlarmSound, use ? 1 : 0);
}

void ShellSettings::writeAlarmSound(const std::string& path) {
    store_.writeText(kAlarm, kAlarmSound, path);
}
