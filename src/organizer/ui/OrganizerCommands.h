#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "organizer/ContactActions.h"
#include "organizer/PhoneBookRows.h"
#include "records/DateTime.h"
#include "records/RecordKind.h"

class DayView;
class Locale;
class PhoneBookPanel;
class PhoneBookView;
class DocumentDoor;
class QWidget;
class ReminderController;
class UserPrompts;

// The commands the organizer view carries out: the editors of tasks, appointments,
// persons, the owner and the groups (each changes the document only when confirmed),
// deleting, and calling, mailing or opening the selected person's details.
class OrganizerCommands {
public:
    // What the commands work on; all of it belongs to the organizer view.
    struct Parts {
        QWidget& parent;     // of the editors
        DocumentDoor& door;  // every change goes through it
        DayView& day;
        PhoneBookView& phoneBook;
        PhoneBookPanel& phoneBookPanel;
        ContactActions& contacts;
        ReminderController& reminders;
        UserPrompts& prompts;
        const Locale& locale;
        std::function<void()> selectionChanged;  // a command changed what is selected
    };

    explicit OrganizerCommands(Parts parts) : p_(std::move(parts)) {}

    // The handlers of the commands, by command id.
    [[nodiscard]] std::map<int, std::function<void()>> handlers();
    // Opens the person editor on a person (a double click on its birthday).
    void editPersonOf(int32_t personId);
    // Marks the task of a row of the day's list done (a double click on it).
    void completeTaskAt(int row);

private:
    void addTask();
    void editTask();
    void addAppointment();
    void editAppointment();
    // Edits one occurrence of a series, then asks which occurrences the change takes.
    void editOccurrence(int32_t id, DateTime key);
    // Deletes the selected appointment; of a series, asks which occurrences go.
    void deleteAppointment();
    void addPerson();
    void editPerson();
    void editUser();
    void deletePerson();
    // Whether the user may change or delete the record here; says why not when not.
    bool mayChange(RecordKind kind, int32_t id);
    // Dials, mails or opens the selected person's detail.
    void contact(PersonDetail detail);

    Parts p_;
};
