#include "organizer/ui/OrganizerCommands.h"
#include "records/DocumentDoor.h"

#include "organizer/AddressBookCommits.h"
#include "organizer/DayView.h"
#include "organizer/EditorCommits.h"
#include "organizer/OccurrenceEdits.h"
#include "organizer/PhoneBookView.h"
#include "organizer/ui/AppointmentDialog.h"
#include "organizer/ui/GroupsDialog.h"
#include "organizer/ui/OccurrenceQuestion.h"
#include "organizer/ui/PersonDialog.h"
#include "organizer/ui/PhoneBookPanel.h"
#include "organizer/ui/ReminderController.h"
#include "organizer/ui/TaskDialog.h"
#include "organizer/ui/UserDialog.h"
#include "platform/Translate.h"
#include "platform/UserPrompts.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"
#include "shell/CommandId.h"

std::map<int, std::function<void()>> OrganizerCommands::handlers() {
    return {
        {cmd::kTaskAdd, [this] { addTask(); }},
        {cmd::kTaskEdit, [this] { editTask(); }},
        {cmd::kTaskDelete,
         [this] {
             if (mayChange(RecordKind::Task, p_.day.taskSelection().id))
                 p_.day.deleteSelectedTask();
         }},
        {cmd::kTaskComplete,
         [this] {
             if (mayChange(RecordKind::Task, p_.day.taskSelection().id))
                 p_.day.completeSelectedTask();
         }},
        {cmd::kAppointmentAdd, [this] { addAppointment(); }},
        {cmd::kAppointmentEdit, [this] { editAppointment(); }},
        {cmd::kAppointmentDelete, [this] { deleteAppointment(); }},
        {cmd::kPersonAdd, [this] { addPerson(); }},
        {cmd::kPersonEdit, [this] { editPerson(); }},
        {cmd::kEditUser, [this] { editUser(); }},
        {cmd::kEditGroups, [this] { GroupsDialog::show(&p_.parent, p_.door, p_.prompts); }},
        {cmd::kPersonDelete, [this] { deletePerson(); }},
        {cmd::kDialHomePhone, [this] { contact(PersonDetail::HomePhone); }},
        {cmd::kDialWorkPhone, [this] { contact(PersonDetail::WorkPhone); }},
        {cmd::kDialPager, [this] { contact(PersonDetail::Pager); }},
        {cmd::kDialCellPhone, [this] { contact(PersonDetail::CellPhone); }},
        {cmd::kMailPerson, [this] { contact(PersonDetail::EMail); }},
        {cmd::kOpenWebPage, [this] { contact(PersonDetail::WebPage); }},
        {cmd::kEmailGroup, [this] { p_.contacts.mailGroup(p_.phoneBook.listedAddresses()); }},
        {cmd::kAlarmSound, [this] { p_.reminders.chooseSound(p_.prompts); }},
        {cmd::kBirthdayReminders, [this] { p_.reminders.chooseBirthdayReminders(); }},
    };
}

bool OrganizerCommands::mayChange(RecordKind kind, int32_t id) {
    const std::string refusal = p_.door.refusal(kind, id);
    if (refusal.empty()) return true;
    p_.prompts.showMessage(fillIn(_("This record is not changed: %s."), {refusal}),
                           _("Synchronize"), MessageIcon::Information);
    return false;
}

void OrganizerCommands::addPerson() {
    if (const auto form =
            PersonDialog::ask(&p_.parent, PersonForm::forNew(p_.door.document()), false)) {
        // The new person is selected, so that it shows where it went.
        const int32_t id = ::addPerson(p_.door, *form);
        if (id != 0) {
            p_.phoneBookPanel.refill([&] { p_.phoneBook.select(id); });
            p_.selectionChanged();
        }
    }
}

void OrganizerCommands::editPerson() {
    const Person* person =
        p_.day.focusedList() == FocusedList::Persons ? p_.phoneBook.selectedPerson() : nullptr;
    if (person == nullptr) return;
    editPersonOf(person->ID);
}

void OrganizerCommands::editPersonOf(int32_t personId) {
    const Person* person = p_.door.document().persons().find(personId);
    if (person == nullptr || !mayChange(RecordKind::Person, personId)) return;
    if (const auto form =
            PersonDialog::ask(&p_.parent, PersonForm::of(p_.door.document(), *person), true))
        updatePerson(p_.door, *form);
}

void OrganizerCommands::completeTaskAt(int row) {
    const std::vector<TaskRow>& rows = p_.day.taskRows();
    if (row < 0 || size_t(row) >= rows.size()) return;
    if (mayChange(RecordKind::Task, rows[size_t(row)].id)) p_.day.completeTaskAt(row);
}

void OrganizerCommands::editUser() {
    if (const auto user = UserDialog::ask(&p_.parent, p_.door.document().user()))
        updateUser(p_.door, *user);
}

void OrganizerCommands::deletePerson() {
    const Person* person = p_.phoneBook.selectedPerson();
    if (p_.day.focusedList() == FocusedList::Persons &&
        (person == nullptr || mayChange(RecordKind::Person, person->ID)))
        p_.phoneBook.deleteSelectedPerson();
}

void OrganizerCommands::contact(PersonDetail detail) {
    const Person* person = p_.phoneBook.selectedPerson();
    if (person == nullptr) return;
    const std::string field(detailField(*person, detail));
    if (detail == PersonDetail::EMail)
        p_.contacts.mail(field);
    else if (detail == PersonDetail::WebPage)
        p_.contacts.openWebPage(field);
    else
        p_.contacts.dial(field);
}

void OrganizerCommands::addTask() {
    if (const auto form =
            TaskDialog::ask(&p_.parent, TaskForm::forNew(p_.day.shownDate()), false, p_.locale))
        ::addTask(p_.door, *form);
}

void OrganizerCommands::editTask() {
    const Task* task = p_.day.taskCommandsApply()
                           ? p_.door.document().tasks().find(p_.day.taskSelection().id)
                           : nullptr;
    if (task == nullptr || !mayChange(RecordKind::Task, task->ID)) return;
    if (const auto form = TaskDialog::ask(&p_.parent, TaskForm::of(*task), true, p_.locale))
        updateTask(p_.door, *form);
}

void OrganizerCommands::addAppointment() {
    const auto start =
        AppointmentForm::forNew(p_.day.shownDate(), DateTime::now(p_.door.document().clock()));
    if (const auto form = AppointmentDialog::ask(&p_.parent, start, false, p_.locale))
        ::addAppointment(p_.door, *form);
}

void OrganizerCommands::editAppointment() {
    const Appointment* appointment =
        p_.day.appointmentCommandsApply()
            ? p_.door.document().appointments().find(p_.day.appointmentSelection().id)
            : nullptr;
    if (appointment == nullptr || !mayChange(RecordKind::Appointment, appointment->ID)) return;
    if (const AppointmentRow* row = p_.day.selectedAppointmentRow();
        row != nullptr && row->repeats && row->id == appointment->ID) {
        editOccurrence(row->id, row->key);
        return;
    }
    if (const auto form =
            AppointmentDialog::ask(&p_.parent, AppointmentForm::of(*appointment), true, p_.locale))
        updateAppointment(p_.door, *form);
}

void OrganizerCommands::editOccurrence(int32_t id, DateTime key) {
    const Appointment* series = p_.door.document().appointments().find(id);
    if (series == nullptr) return;
    const Occurrence occurrence = occurrenceAt(*series, key);
    if (occurrence.start.isNull()) return;
    Appointment shown = occurrenceAsAppointment(occurrence);
    // The dialog shows the series' repeat, so that it can be changed from any occurrence.
    shown.schedule.edit().rule = series->schedule.get().rule;
    const auto form =
        AppointmentDialog::ask(&p_.parent, AppointmentForm::of(shown), true, p_.locale);
    if (!form) return;
    Appointment edited = form->writtenOver(shown);
    // Moving the date alone moves the weekday the choices name; that is no change of the
    // repeat, which the series keeps by its own rules.
    RepeatForm untouched = AppointmentForm::of(shown).repeat();
    untouched.setStart(form->date());
    const bool repeatChanged = edited.schedule.get().rule != untouched.rule();
    if (!repeatChanged) {
        edited.schedule.edit().rule.reset();
        shown.schedule.edit().rule.reset();
    }
    // Confirmed unchanged: there is nothing to ask about.
    if (edited == shown) return;
    const auto action = repeatChanged ? OccurrenceQuestion::Action::ChangeRepeat
                                      : OccurrenceQuestion::Action::Change;
    const auto scope =
        OccurrenceQuestion::ask(&p_.parent, action, shown.Description,
                                shown.StartTime.formatDate(p_.locale, DateStyle::Long));
    if (scope) (void)changeOccurrences(p_.door, id, key, *scope, edited);
}

void OrganizerCommands::deleteAppointment() {
    if (!mayChange(RecordKind::Appointment, p_.day.appointmentSelection().id)) return;
    const AppointmentRow* row =
        p_.day.appointmentCommandsApply() ? p_.day.selectedAppointmentRow() : nullptr;
    // A single appointment goes without asking, as it always has.
    if (row == nullptr || !row->repeats) {
        p_.day.deleteSelectedAppointment();
        return;
    }
    // Copied: the question's own event loop may refill the rows.
    const int32_t id = row->id;
    const DateTime key = row->key;
    const auto scope =
        OccurrenceQuestion::ask(&p_.parent, OccurrenceQuestion::Action::Delete, row->description,
                                row->startTime.formatDate(p_.locale, DateStyle::Long));
    if (scope) (void)removeOccurrences(p_.door, id, key, *scope);
}
