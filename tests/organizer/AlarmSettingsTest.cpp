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

    // A missing sound under an existing section stays missing; the flag is written.
    MemorySettingsStore partial;
    partial.writeText("Alarm", "Other", "x");
    alarm = AlarmSettingsStore(partial).read();
    EXPECT_EQ(alarm.alarmSound, "beep.wav");
    EXPECT_FALSE(partial.readText("Alarm", "AlarmSound"));
    EXPECT_EQ(partial.readNumber("Alarm", "UseAlarmSound"), 1u);
}

}  // namespace
