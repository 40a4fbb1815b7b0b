#include "organizer/ui/ReminderController.h"
#include "platform/Translate.h"

#include "organizer/DayView.h"
#include "organizer/Reminders.h"
#include "organizer/ui/ReminderWindow.h"
#include "platform/SoundFile.h"
#include "platform/UserPrompts.h"
#include "platform/qt/FreedesktopNotifier.h"
#include "platform/qt/ProgramData.h"
#include "platform/qt/QtAlarmSound.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "shell/ShellSettings.h"

namespace {

constexpr int kMinuteMs = 60000;

}  // namespace

ReminderController::ReminderController(PimDocument& document, UndoHistory* history,
                                       const DayView& day, AlarmSettings& alarm,
                                       ShellSettings& settings, const Locale& locale,
                                       QWidget* owner)
    : QObject(owner),
      document_(document),
      history_(history),
      day_(day),
      locale_(locale),
      alarm_(alarm),
      settings_(settings),
      owner_(owner),
      notifier_(std::make_unique<FreedesktopNotifier>()),
      makeSound_([] { return std::make_unique<QtAlarmSound>(); }) {
    alarms_.rebuild(document_);
    document_.attachView(*this);
    minute_.setInterval(kMinuteMs);
    connect(&minute_, &QTimer::timeout, this, &ReminderController::check);
    minute_.start();
}

ReminderController::~ReminderController() {
    if (!closed_) document_.detachView(*this);
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
    QTimer::singleShot(0, this, &ReminderController::check);
}

void ReminderController::check() {
    // Inside a command that is still gathering its undo step (Compact asking where to
    // write), a reminder turned off would join that step; the next tick shows it.
    if (closed_ || (history_ != nullptr && history_->stepOpen())) return;
    const DateTime now = DateTime::now(document_.clock());
    for (const Reminder& reminder :
         alarms_.dueReminders(document_, day_.shownDate(), now, locale_)) {
        if (open_.count(reminder.caption) != 0) continue;
        // Answered by a window opened after this tick began: it comes back at the next.
        const auto which = std::pair(reminder.id, reminder.key);
        if (const auto it = answered_.find(which); it != answered_.end() && it->second >= now)
            continue;
        // An earlier window of this tick, or a tick inside it, may have turned it off.
        if (!stillDue(document_, reminder, now)) continue;

        std::unique_ptr<AlarmSound> sound;
        std::string soundPath;
        if (alarm_.useAlarmSound && makeSound_) {
            sound = makeSound_();
            soundPath = findSoundFile(alarm_.alarmSound, programDataDirs());
        }
        const QString caption = QString::fromStdString(reminder.caption);
        const QString message = QString::fromStdString(reminder.message);
        ReminderWindow window(caption, message, std::move(sound), soundPath, owner_);
        if (notifier_) notifier_->notify(reminder.caption, reminder.message);
        open_.insert(reminder.caption);
        window.exec();
        open_.erase(reminder.caption);
        answered_[which] = DateTime::now(document_.clock());
        if (notifier_) notifier_->withdraw(reminder.caption);
        if (window.turnOffChosen()) turnOffReminder(document_, history_, reminder);
    }
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
