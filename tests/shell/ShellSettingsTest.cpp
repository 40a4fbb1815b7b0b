#include "shell/ShellSettings.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"

namespace {

using Section = MemorySettingsStore::Section;

TEST(ShellSettings, PlacementRoundTripsUnderItsStoredNames) {
    MemorySettingsStore store;
    ShellSettings settings(store);
    EXPECT_FALSE(settings.readPlacement());

    const WindowPlacement placement{3, 2, -1, -2, -8, -9, ScreenRect{-10, 20, 700, 500}};
    settings.writePlacement(placement);
    const Section& values = store.sections().at("Settings");
    EXPECT_EQ(values.size(), 10u);
    EXPECT_EQ(std::get<uint32_t>(values.at("wp.wpMaxPosition.y")), static_cast<uint32_t>(-9));
    EXPECT_EQ(std::get<uint32_t>(values.at("wp.left")), 0xFFFFFFF6u);
    EXPECT_EQ(std::get<uint32_t>(values.at("wp.bottom")), 500u);
    EXPECT_EQ(settings.readPlacement(), placement);
}

TEST(ShellSettings, AlarmSettingsKeepStoredValuesAndFillGaps) {
    MemorySettingsStore store;
    store.writeText("Alarm", "AlarmSound", "/sounds/bell.wav");
    store.writeNumber("Alarm", "UseAlarmSound", 0);
    AlarmSettings alarm = ShellSettings(store).readAlarmSettings();
    EXPECT_FALSE(alarm.useAlarmSound);
    EXPECT_EQ(alarm.alarmSound, "/sounds/bell.wav");

    // A missing sound under an existing section stays missing; the flag is written.
    MemorySettingsStore partial;
    partial.writeText("Alarm", "Other", "x");
    alarm = ShellSettings(partial).readAlarmSettings();
    EXPECT_EQ(alarm.alarmSound, "beep.wav");
    EXPECT_FALSE(partial.readText("Alarm", "AlarmSound"));
    EXPECT_EQ(partial.readNumber("Alarm", "UseAlarmSound"), 1u);
}

}  // namespace
