#include "CliFixture.h"
#include "organizer/AlarmSettings.h"
#include "platform/qt/IniSettingsStore.h"

namespace {

using AlarmCommands = CliFixture;

// Birthdays are listed as the window reminds of them: only when the user's alarm options
// turn their reminders on, and within the days chosen.
TEST_F(AlarmCommands, ListBirthdaysTheAlarmOptionsRemindOf) {
    ScratchDir config;
    const EnvGuard configHome("XDG_CONFIG_HOME", config.path().c_str());
    ASSERT_EQ(
        run(words("add-person home.pgr --first Ada --last Lovelace --birthday 1815-12-08")).code,
        0);
    const std::vector<std::string> alarms = {"alarms", doc};
    EXPECT_EQ(run(alarms).out, "");
    {
        IniSettingsStore store;
        AlarmSettingsStore(store).writeBirthdayReminders(true, 3);
    }
    const std::string listed = run(alarms).out;
    EXPECT_NE(listed.find("Lovelace"), std::string::npos) << listed;
    EXPECT_EQ(std::count(listed.begin(), listed.end(), '\n'), 1) << listed;
}

}  // namespace
