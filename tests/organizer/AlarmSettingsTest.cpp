#include "organizer/AlarmSettings.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"

namespace {

TEST(AlarmSettingsStore, KeepsStoredValuesAndFillsGaps) {
    MemorySettingsStore store;
    store.writeText("Alarm", "AlarmSound", "/sounds/bell.wav");
    store.writeNumber("Alarm", "UseAlarmSound", 0);
    AlarmSettings alarm = AlarmSettingsStore(store).read();
    EXPECT_FALSE(alarm.useAlarmSound);
    EXPECT_EQ(alarm.alarmSound, "/sounds/bell.wav");

    // Reading writes nothing (the command line only reads); the window's start-up fills
    // the gaps, but a missing sound under an existing section stays missing.
    MemorySettingsStore partial;
    partial.writeText("Alarm", "Other", "x");
    AlarmSettingsStore filled(partial);
    EXPECT_EQ(filled.read().alarmSound, "beep.wav");
    EXPECT_EQ(partial.sections().at("Alarm").size(), 1u);
    filled.writeMissingDefaults();
    EXPECT_FALSE(partial.readText("Alarm", "AlarmSound"));
    EXPECT_EQ(partial.readNumber("Alarm", "UseAlarmSound"), 1u);
}

}  // namespace
