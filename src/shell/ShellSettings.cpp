#include "shell/ShellSettings.h"

#include <algorithm>
#include <array>
#include <utility>

#include "platform/SettingsStore.h"
#include "shell/RotatingBackups.h"

namespace {

constexpr const char* kFiles = "Files";
constexpr const char* kOpenLastFile = "OpenLastFile";
constexpr const char* kLastFileUsed = "LastFileUsed";
constexpr const char* kBackupsKept = "BackupsKept";
constexpr const char* kRecent = "Recent Document List";
constexpr const char* kDocumentCount = "DocumentCount";
constexpr const char* kSettings = "Settings";
constexpr const char* kAlarm = "Alarm";
constexpr const char* kUseAlarmSound = "UseAlarmSound";
constexpr const char* kAlarmSound = "AlarmSound";
constexpr const char* kBirthdayReminders = "BirthdayReminders";
constexpr const char* kBirthdayReminderDays = "BirthdayReminderDays";

std::string documentValueName(int i) {
    return "Document" + std::to_string(i);
}

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

std::optional<bool> ShellSettings::readOpenLastFile(bool writeBack) {
    if (!store_.hasSection(kFiles)) {
        if (writeBack) store_.writeNumber(kFiles, kOpenLastFile, 0);
        return std::nullopt;
    }
    const auto value = store_.readNumber(kFiles, kOpenLastFile);
    if (!value) return std::nullopt;
    return *value != 0;
}

void ShellSettings::writeOpenLastFile(bool open) {
    store_.writeNumber(kFiles, kOpenLastFile, open ? 1 : 0);
}

std::optional<std::string> ShellSettings::readLastFileUsed() {
    if (!store_.hasSection(kFiles)) {
        store_.writeText(kFiles, kLastFileUsed, "");
        return std::nullopt;
    }
    return store_.readText(kFiles, kLastFileUsed);
}

void ShellSettings::writeLastFileUsed(const std::string& path) {
    store_.writeText(kFiles, kLastFileUsed, path);
}

RecentFileList ShellSettings::readRecentFiles() const {
    RecentFileList list;
    const auto count = store_.readNumber(kRecent, kDocumentCount);
    if (!count) return list;
    // A stored count far out of range must not wrap into a small one.
    list.setMaximum(static_cast<int>(std::min<uint32_t>(*count, RecentFileList::kLargestMaximum)));
    for (int i = list.maximum(); i >= 1; --i) {
        if (const auto path = store_.readText(kRecent, documentValueName(i))) list.add(*path);
    }
    return list;
}

void ShellSettings::writeRecentFiles(const RecentFileList& list) {
    store_.writeNumber(kRecent, kDocumentCount, static_cast<uint32_t>(list.maximum()));
    const auto& entries = list.entries();
    for (size_t i = 0; i < entries.size(); ++i)
        store_.writeText(kRecent, documentValueName(static_cast<int>(i + 1)), entries[i]);
    // Every slot past the list goes, the last one included, so that a stale entry can
    // never come back once the maximum is raised again.
    for (int i = static_cast<int>(entries.size()) + 1; i <= RecentFileList::kLargestMaximum; ++i)
        store_.removeValue(kRecent, documentValueName(i));
}

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

int ShellSettings::readBackupsKept() const {
    const auto stored = store_.readNumber(kFiles, kBackupsKept);
    if (!stored) return RotatingBackups::kDefaultKept;
    return static_cast<int>(std::min<uint32_t>(*stored, RotatingBackups::kMostKept));
}

void ShellSettings::writeBackupsKept(int kept) {
    store_.writeNumber(kFiles, kBackupsKept,
                       static_cast<uint32_t>(std::clamp(kept, 0, RotatingBackups::kMostKept)));
}
