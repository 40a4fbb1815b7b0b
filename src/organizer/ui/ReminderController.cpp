#include "organizer/ui/ReminderController.h"

#include <algorithm>
#include "platform/Translate.h"

#include "organizer/AlarmSettings.h"
#include "organizer/PersonDayReminders.h"
#include "organizer/ReminderText.h"
#include "organizer/Reminders.h"
#include "organizer/ui/BirthdayReminderDialog.h"
#include "organizer/ui/ReminderWindow.h"
#include "platform/SoundFile.h"
#include "platform/UserPrompts.h"
#include "platform/qt/FreedesktopNotifier.h"
#include "platform/qt/ProgramData.h"
#include "platform/qt/QtAlarmSound.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"

namespace {

constexpr int kMinuteMs = 60000;

}  // namespace

ReminderController::ReminderController(DocumentDoor& door, AlarmSettings& alarm,
                                       AlarmSettingsStore& settings, const Locale& locale,
                                       QWidget* owner)
    : QObject(owner),
      door_(door),
      document_(door.document()),
      locale_(locale),
      alarm_(alarm),
      settings_(settings),
      owner_(owner),
      notifier_(std::make_unique<FreedesktopNotifier>()),
      makeSound_([] { return std::make_unique<QtAlarmSound>(); }) {
    alarms_.rebuild(document_);
    door_.attachView(*this);
    minute_.setInterval(kMinuteMs);
    connect(&minute_, &QTimer::timeout, this, &ReminderController::check);
    minute_.start();
}

ReminderController::~ReminderController() {
    if (!closed_) door_.detachView(*this);
}

void ReminderController::documentChanged() {
    // The walk is paid with the change, as the day view's refill pays it, so that the
    // minute's tick stays small however large the document.
    alarms_.rebuild(document_);
}

void ReminderController::setNotifier(std::unique_ptr<DesktopNotifier> notifier) {
    notifier_ = std::move(notifier);
}

void ReminderController::setSoundMaker(SoundMaker maker) {
    makeSound_ = std::move(maker);
}

void ReminderController::checkSoon() {
    since_ = DateTime();
    QTimer::singleShot(0, this, &ReminderController::check);
}

void ReminderController::check() {
    // Inside a command that is still gathering its undo step (Compact asking where to
    // write), a reminder turned off would join that step; the next tick shows it.
    if (closed_ || door_.stepOpen()) return;
    const DateTime now = DateTime::now(document_.clock());
    const std::vector<Reminder> found = alarms_.dueReminders(document_, since_, now, locale_);
    // A tick inside a window of this one looks back only to here.
    since_ = now;
    // Those of appointments that are over share one window, unless one is open already.
    std::vector<Reminder> missed;
    const bool missedOpen = isOpen(missedRemindersCaption());
    for (const Reminder& reminder : found) {
        if (!reminder.missedLine.empty() && !missedOpen && isWanted(reminder, now))
            missed.push_back(reminder);
    }
    if (!missed.empty()) showMissed(missed);
    for (const Reminder& reminder : found) {
        if (!reminder.missedLine.empty() && !missedOpen) continue;
        if (open_.count(reminder.caption) != 0 || !isWanted(reminder, now)) continue;
        const bool turnOff = showWindow(reminder.caption, reminder.message);
        answered_[std::pair(reminder.id, reminder.key)] = DateTime::now(document_.clock());
        if (turnOff) turnOffReminder(door_, reminder);
    }
    showPersonDays();
}

void ReminderController::showPersonDays() {
    const DateTime today = DateTime::today(document_.clock());
    for (const PersonDayReminder& reminder :
         duePersonDayReminders(document_, today, alarm_.birthdayLead(), locale_)) {
        if (open_.count(reminder.caption) != 0) continue;
        // A window of this tick, or a tick inside it, may have shown it already.
        const Person* person = document_.persons().find(reminder.personId);
        if (person == nullptr || person->remindedYear(reminder.kind) == reminder.year) continue;
        (void)showWindow(reminder.caption, reminder.message);
        notePersonDayReminded(door_, reminder);
    }
}

bool ReminderController::isWanted(const Reminder& reminder, DateTime now) const {
    // Answered by a window opened after this tick began: it comes back at the next.
    const auto it = answered_.find(std::pair(reminder.id, reminder.key));
    if (it != answered_.end() && it->second >= now) return false;
    // An earlier window of this tick, or a tick inside it, may have turned it off.
    return stillDue(document_, reminder, now);
}

void ReminderController::showMissed(std::vector<Reminder> missed) {
    // Listed as the days went by.
    std::stable_sort(missed.begin(), missed.end(),
                     [](const Reminder& a, const Reminder& b) { return a.start < b.start; });
    std::vector<std::string> lines;
    for (const Reminder& reminder : missed)
        lines.push_back(reminder.missedLine);
    const bool turnOff = showWindow(missedRemindersCaption(), missedRemindersMessage(lines));
    const DateTime answered = DateTime::now(document_.clock());
    for (const Reminder& reminder : missed) {
        answered_[std::pair(reminder.id, reminder.key)] = answered;
        if (turnOff) turnOffReminder(door_, reminder);
    }
}

bool ReminderController::showWindow(const std::string& caption, const std::string& message) {
    std::unique_ptr<AlarmSound> sound;
    std::string soundPath;
    if (alarm_.useAlarmSound && makeSound_) {
        sound = makeSound_();
        soundPath = findSoundFile(alarm_.alarmSound, programDataDirs());
    }
    ReminderWindow window(QString::fromStdString(caption), QString::fromStdString(message),
                          std::move(sound), soundPath, owner_);
    if (notifier_) notifier_->notify(caption, message);
    open_.insert(caption);
    window.exec();
    open_.erase(caption);
    if (notifier_) notifier_->withdraw(caption);
    return window.turnOffChosen();
}

void ReminderController::chooseBirthdayReminders() {
    BirthdayReminderDialog dialog(alarm_.birthdayReminders, alarm_.birthdayReminderDays,
                                  AlarmSettingsStore::kMostBirthdayLead, owner_);
    if (dialog.exec() != QDialog::Accepted) return;
    alarm_.birthdayReminders = dialog.remind();
    alarm_.birthdayReminderDays = dialog.daysBefore();
    settings_.writeBirthdayReminders(alarm_.birthdayReminders, alarm_.birthdayReminderDays);
    check();
}

void ReminderController::chooseSound(UserPrompts& prompts) {
    FileDialogSpec spec;
    spec.initialName = alarm_.alarmSound;
    spec.defaultExtension = "wav";
    spec.filters = {{_("Wave Files (*.wav)"), "*.wav"}};
    const auto chosen = prompts.askOpenPath(spec);
    if (!chosen) return;
    alarm_.alarmSound = *chosen;
    settings_.writeAlarmSound(alarm_.alarmSound);
}
