#pragma once

#include <QObject>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "organizer/AlarmIndex.h"
#include "records/DateTime.h"
#include "records/DocumentView.h"

class AlarmSound;
class DesktopNotifier;
class Locale;
class DocumentDoor;
class PimDocument;
class AlarmSettingsStore;
class UserPrompts;
struct AlarmSettings;

// The organizer's reminders: every minute, and once right after a document is opened, it
// opens a modal reminder window for each alarm that has come due, tells the desktop's
// notifications as well, and turns an alarm off when the user asks. The alarms of
// appointments already over that came due unseen (the day before opening, or between two
// ticks) are listed together in one window. Its minute keeps
// running while any modal window is open, so a reminder that comes due meanwhile opens
// on top; no caption gets a second window while one is open. Birthdays and anniversaries,
// when the user asked for it, are reminded of some days ahead, once a year each.
class ReminderController : public QObject, public DocumentView {
    Q_OBJECT

public:
    using SoundMaker = std::function<std::unique_ptr<AlarmSound>()>;

    // `alarm` holds the view's sound options, which Alarm Sound... changes and stores;
    // `locale` names the days of a series' reminders.
    ReminderController(DocumentDoor& door, AlarmSettings& alarm, AlarmSettingsStore& settings,
                       const Locale& locale, QWidget* owner);
    ~ReminderController() override;

    // One tick: opens the windows of the alarms due now, one after the other.
    void check();
    // A tick as soon as the program is idle that looks back a day: for a document just
    // opened.
    void checkSoon();
    // Options / Alarm Sound...: asks for a wave file and stores the choice.
    void chooseSound(UserPrompts& prompts);
    // Options / Birthday Reminders...: asks whether and how early, and stores the choice.
    void chooseBirthdayReminders();

    void documentChanged() override;
    void documentClosing() override { closed_ = true; }

    void setNotifier(std::unique_ptr<DesktopNotifier> notifier);
    void setSoundMaker(SoundMaker maker);
    [[nodiscard]] const QTimer& timer() const { return minute_; }
    // Whether a reminder window with this caption is open.
    [[nodiscard]] bool isOpen(const std::string& caption) const {
        return open_.count(caption) != 0;
    }

private:
    // Whether a reminder found by this tick still wants its window.
    [[nodiscard]] bool isWanted(const Reminder& reminder, DateTime now) const;
    void showMissed(std::vector<Reminder> missed);
    // Shows the reminders of the birthdays and anniversaries due today, once a year each.
    void showPersonDays();
    // Shows a reminder window until answered; whether "Turn off reminder" was chosen.
    bool showWindow(const std::string& caption, const std::string& message);

    DocumentDoor& door_;
    const PimDocument& document_;
    const Locale& locale_;
    AlarmSettings& alarm_;
    AlarmSettingsStore& settings_;
    QWidget* owner_;
    std::unique_ptr<DesktopNotifier> notifier_;
    SoundMaker makeSound_;
    std::set<std::string> open_;
    // When the window of each appointment's occurrence (key null for one that does not
    // repeat) was answered.
    std::map<std::pair<int32_t, DateTime>, DateTime> answered_;
    AlarmIndex alarms_;
    DateTime since_;  // the last tick; null to look back a day
    bool closed_ = false;
    QTimer minute_;
};
