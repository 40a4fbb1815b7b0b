#include "FrameFixture.h"
#include "docfile/DocumentFile.h"
#include "organizer/ui/ReminderController.h"
#include "organizer/ui/ReminderWindow.h"
#include "organizer/ui/RowImages.h"
#include "platform/AlarmSound.h"
#include "platform/DesktopNotifier.h"

namespace {

// What the fakes heard, in order: "notify TITLE | TEXT", "withdraw TITLE", "play PATH", "stop".
using Log = std::vector<std::string>;

struct FakeDesktop : DesktopNotifier, AlarmSound {
    explicit FakeDesktop(Log& heard) : log(heard) {}
    void notify(const std::string& title, const std::string& text) override {
        log.push_back("notify " + title + " | " + text);
    }
    void withdraw(const std::string& title) override { log.push_back("withdraw " + title); }
    void playLooped(const std::string& path) override {
        // The shipped beep.wav is found beside the program in the build tree.
        log.push_back(path.ends_with("/share/quillmate/beep.wav") ? "play beep.wav"
                                                                  : "play " + path);
    }
    void stop() override { log.push_back("stop"); }
    Log& log;
};

Appointment alarmed(const char* text, int hour, int minutesBefore) {
    const DateTime start = DateTime::fromFields(2026, 12, 6, hour, 0);
    return appointmentAt(text, start, start, minutesBefore);
}

class ReminderWindowTest : public FrameFixture {
protected:
    ReminderWindowTest() : FrameFixture(LocalTime{2026, 12, 6, 9, 40, 0, 0}) {}

    void SetUp() override {
        start();
        frame->show();
        reminders().setNotifier(std::make_unique<FakeDesktop>(log));
        reminders().setSoundMaker([this] { return std::make_unique<FakeDesktop>(log); });
        // The check made on opening the start-up document, before any appointment exists.
        QApplication::processEvents();
    }
    ReminderController& reminders() { return organizer->reminders(); }
    void setNow(int hour, int minute) { clock.set(LocalTime{2026, 12, 6, hour, minute, 0, 0}); }
    // Runs `answer` on the reminder window that `run` (by default the next tick) opens.
    void tickAnswering(const std::function<void(ReminderWindow*)>& answer,
                       const std::function<void()>& run = {}) {
        QTimer::singleShot(0, [answer] {
            auto* window = qobject_cast<ReminderWindow*>(QApplication::activeModalWidget());
            answer(window);
            if (window != nullptr && window->isVisible()) window->okButton()->click();
        });
        run ? run() : reminders().check();
    }

    Log log;
};

TEST_F(ReminderWindowTest, DueAlarmOpensWindowAndTurningItOffClearsTheAlarm) {
    const int32_t id = add(alarmed("Dentist", 10, 15));
    EXPECT_TRUE(reminders().timer().isActive());

    // When it is due is the reminders' rule; the window is what this test watches.
    setNow(9, 47);
    tickAnswering([](ReminderWindow* window) {
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Reminder: Dentist");
        EXPECT_EQ(window->message(), "This is your reminder for your 10:00 AM appointment.");
        EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
        EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
        QTest::keyClick(window, Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible()) << "Escape does not answer it";
        window->turnOffBox()->setChecked(true);
    });
    // The window stops its sound when answered and again when it goes.
    EXPECT_EQ(log, (Log{"notify Reminder: Dentist | This is your reminder for your 10:00 AM "
                        "appointment.",
                        "play beep.wav", "stop", "withdraw Reminder: Dentist", "stop"}));
    EXPECT_FALSE(workspace->document().appointments().find(id)->Alarm);
    EXPECT_EQ(workspace->history().undoName(), "Turn Off Reminder");
    const QVariant image =
        organizer->appointmentList()->model()->index(0, 0).data(Qt::DecorationRole);
    EXPECT_NE(image.value<QPixmap>().cacheKey(), RowImages::alarmClock().cacheKey());
}

// A second alarm opens its own window at the next tick while the first waits, and once
// answered does not open again; with the sound off only the notifications are made.
TEST_F(ReminderWindowTest, AlarmDueMeanwhileOpensAtTheNextTickAndOnlyOnce) {
    add(alarmed("Dentist", 10, 15));
    add(alarmed("Call the bank", 10, 15));
    // Next week is shown: today's alarms fire all the same.
    organizer->calendar()->setSelectedDate(QDate(2026, 12, 13));
    frame->runCommand(cmd::kAudibleAlarm);
    setNow(9, 45);
    // Should the bank's window open again once the dentist's is answered, this answers it.
    int reopened = 0;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (auto* window = qobject_cast<ReminderWindow*>(QApplication::activeModalWidget())) {
            ++reopened;
            window->okButton()->click();
        }
    });
    tickAnswering([&](ReminderWindow* dentist) {
        ASSERT_NE(dentist, nullptr);
        EXPECT_EQ(dentist->windowTitle(), "Reminder: Dentist");
        setNow(9, 46);
        tickAnswering([&](ReminderWindow* bank) {
            ASSERT_NE(bank, nullptr);
            EXPECT_EQ(bank->windowTitle(), "Reminder: Call the bank");
            EXPECT_TRUE(reminders().isOpen("Reminder: Dentist"));
            guard.start(20);
        });
    });
    EXPECT_EQ(reopened, 0);
    EXPECT_FALSE(reminders().isOpen("Reminder: Dentist"));
    EXPECT_EQ(log.size(), 4U) << "two notifications, each taken away once answered";
}

// What was missed within the last day while the program was closed shows in one window
// when the document opens; an older alarm, and selecting its day, remind of nothing.
TEST_F(ReminderWindowTest, OpeningADocumentListsTheMissedInOneWindow) {
    PimDocument saved(clock);
    saved.add(alarmed("Standup", 9, 0));
    const DateTime lastNight = DateTime::fromFields(2026, 12, 5, 20, 0);
    saved.add(appointmentAt("Choir", lastNight, lastNight, 30));
    const DateTime lastWeek = DateTime::fromFields(2026, 11, 30, 20, 0);
    saved.add(appointmentAt("Old", lastWeek, lastWeek, 30));
    ASSERT_TRUE(saveDocument(saved, dir.file("work.pgr")));
    prompts.paths = {dir.file("work.pgr")};
    frame->runCommand(cmd::kOpen);
    QStringList seen;
    const auto answer = [&](ReminderWindow* window) {
        if (window != nullptr) seen << window->windowTitle() << window->message();
    };
    tickAnswering(answer, [] { QApplication::processEvents(); });
    EXPECT_EQ(seen, (QStringList{"Missed Reminders",
                                 "These appointments are over; their reminders came due unseen:\n"
                                 "Saturday, December 5, 2026, 08:00 PM: Choir\n"
                                 "Sunday, December 6, 2026, 09:00 AM: Standup"}));
    seen.clear();
    organizer->calendar()->setSelectedDate(QDate(2026, 11, 30));
    tickAnswering(answer);
    EXPECT_TRUE(seen.isEmpty()) << "answered, and nothing for the day selected";
}

TEST_F(ReminderWindowTest, AlarmSoundAsksForAWaveFileAndStoresIt) {
    prompts.paths = {std::nullopt, std::string("/sounds/chime.wav")};
    frame->runCommand(cmd::kAlarmSound);
    EXPECT_EQ(organizer->alarmSettings().alarmSound, "beep.wav");
    frame->runCommand(cmd::kAlarmSound);
    EXPECT_EQ(organizer->alarmSettings().alarmSound, "/sounds/chime.wav");
    EXPECT_EQ(settings.readText("Alarm", "AlarmSound"), "/sounds/chime.wav");
    ASSERT_EQ(prompts.openDialogs.size(), 2U);
    EXPECT_EQ(prompts.openDialogs[0].initialName, "beep.wav");
    EXPECT_EQ(prompts.openDialogs[0].filters.at(0).pattern, "*.wav");
}

}  // namespace
