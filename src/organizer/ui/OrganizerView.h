#pragma once

#include <QWidget>

#include <functional>
#include <map>
#include <memory>

#include "organizer/AlarmSettings.h"
#include "organizer/ContactActions.h"
#include "organizer/DayView.h"
#include "organizer/FindIndex.h"
#include "organizer/FocusedList.h"
#include "organizer/PhoneBookView.h"
#include "records/DocumentView.h"
#include "workspace/SelectionFacts.h"

class DayLists;
class FindDialog;
class Locale;
class OrganizerCommands;
class PaneHelp;
class PhoneBookPanel;
class DocumentDoor;
class FrameHost;
class PimDocument;
class QCalendarWidget;
class QGroupBox;
class QLabel;
class QTreeView;
class QVBoxLayout;
class ReminderController;
class UserPrompts;
class Workspace;

// The working window inside the frame: the month calendar top left, the "Phone Book"
// frame top right, "Appointments" bottom left and "Tasks" bottom right. It holds no
// records: the lists show the rows the day view and the phone book view compute. It plugs
// into the frame as its home page and carries out the organizer's commands there.
class OrganizerView : public QWidget, public DocumentView {
    Q_OBJECT

public:
    // The view's commands change the records through the workspace's door. `settings`
    // keeps the alarm options. Messages and the editors' questions go to `prompts`; calls,
    // mails and web pages to `launcher`.
    OrganizerView(Workspace& workspace, FrameHost& frame, SettingsStore& settings,
                  const Locale& locale, UserPrompts& prompts, ContactLauncher& launcher);
    ~OrganizerView() override;

    // The size the window is designed for, from the font's dialog units.
    [[nodiscard]] QSize designedSize() const;
    // The window starts at the designed size, or what its controls need where that is more.
    [[nodiscard]] QSize sizeHint() const override;
    // What a first window gives the panes: the designed size, or more where they ask for it
    // (a longer translation, eight rows of the phone book, whole detail buttons).
    [[nodiscard]] QSize firstSize() const;

    [[nodiscard]] PhoneBookPanel* phoneBookPanel() const { return phoneBookPanel_; }
    [[nodiscard]] QTreeView* appointmentList() const { return appointmentList_; }
    [[nodiscard]] QTreeView* taskList() const { return taskList_; }
    [[nodiscard]] QCalendarWidget* calendar() const { return calendar_; }
    [[nodiscard]] QLabel* dateLabel() const { return dateLabel_; }
    [[nodiscard]] const DayView& day() const { return day_; }
    [[nodiscard]] const PhoneBookView& phoneBook() const { return phoneBook_; }

    // Goes to a record the Find window chose: a person is selected in the phone book and
    // its editor opened; an appointment's or task's day (`day`) is shown, its row selected.
    void goToFound(const FoundRecord& record, DateTime day);
    // The Find window, once Edit > Find made it; nullptr before.
    [[nodiscard]] FindDialog* findDialog() const { return find_; }

    // Adds what the view knows (selection in the focused list, alarm option) to the facts
    // the commands' rules read.
    void fillFacts(SelectionFacts& facts) const;
    // The address-book group the phone book shows.
    [[nodiscard]] int32_t shownGroup() const { return phoneBook_.groupId(); }

    [[nodiscard]] const AlarmSettings& alarmSettings() const { return alarm_; }
    // Flips the audible-alarm option and stores it.
    void toggleAudibleAlarm();
    [[nodiscard]] ReminderController& reminders() const { return *reminders_; }

    void documentChanged() override;
    void documentClosing() override;

    // The help page of the pane that holds the widget ("tasklist"), or "" for none.
    [[nodiscard]] QString helpPageFor(const QWidget* widget) const;

signals:
    // Help was asked for on a pane: the frame shows the page.
    void helpRequested(const QString& page);
    // The selection, the focused list or the shown date changed: commands may change state.
    void selectionChanged();
    // A key or a click asks for a command of the menus.
    void commandRequested(int id);
    // A right click on a list asks for the menu of that list at a screen position.
    void listMenuRequested(FocusedList list, const QPoint& globalPos);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPhoneBook();
    // Installs the view's commands in the frame and shows it there.
    void plugInto(FrameHost& frame);
    // Refills both lists from the document, or through `refill` when given.
    void refreshLists(const std::function<void()>& refill = {});
    void showSelectedDate();
    void calendarDateChosen(QDate date);
    void showFind();
    void goToPerson(int32_t id);
    QGroupBox* framed(const QString& title, QWidget* content, QVBoxLayout** layout = nullptr);

    Workspace& workspace_;
    DocumentDoor& door_;
    const PimDocument* document_;
    AlarmSettingsStore settings_;
    const Locale& locale_;
    UserPrompts& prompts_;
    AlarmSettings alarm_;
    DayView day_;
    PhoneBookView phoneBook_;
    ContactActions contacts_;

    QCalendarWidget* calendar_ = nullptr;
    QGroupBox* phoneBookFrame_ = nullptr;
    PhoneBookPanel* phoneBookPanel_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QTreeView* appointmentList_ = nullptr;
    QTreeView* taskList_ = nullptr;
    DayLists* lists_ = nullptr;
    PaneHelp* help_ = nullptr;
    ReminderController* reminders_ = nullptr;
    FindDialog* find_ = nullptr;
    std::unique_ptr<OrganizerCommands> commands_;
    int openedListener_ = -1;
};
