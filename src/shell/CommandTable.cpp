#include "shell/CommandTable.h"

#include <array>

#include "platform/Translate.h"
#include "shell/CommandId.h"

namespace {

using enum EnableRule;
using enum CommandOwner;

constexpr Command kRecentEntry{cmd::kRecentFirst,   "",    "",     N_("Open this document"),
                               N_("Open document"), Frame, Always, CheckRule::None};

// The texts are the program's own, spelling included.
constexpr auto kCommands = std::to_array<Command>({
    // File
    {cmd::kNew, N_("&New"), "Ctrl+N", N_("Create a new document"), N_("New"), Frame, Always},
    {cmd::kOpen, N_("&Open..."), "Ctrl+O", N_("Open an existing document"), N_("Open"), Frame,
     Always},
    {cmd::kSave, N_("&Save"), "Ctrl+S", N_("Save the active document"), N_("Save"), Frame,
     DocumentModified},
    {cmd::kSaveAs, N_("Save &As..."), "", N_("Save the active document with a new name"),
     N_("Save As"), Frame, Always},
    {cmd::kBackup, N_("&Backup..."), "", N_("Back up current file"), N_("Back up"), Frame,
     DocumentHasPath},
    {cmd::kRestoreBackup, N_("&Restore Backup..."), "",
     N_("Bring back an earlier version of this file"), N_("Restore backup"), Frame,
     DocumentHasPath},
    {cmd::kCompact, N_("&Compact"), "", N_("Remove empty space and old tasks from file"),
     N_("Compact"), Frame, HasTask},
    {cmd::kImportTasks, N_("&Tasks..."), "", N_("Import tasks from a text file"),
     N_("Import tasks"), Transfer, Always},
    {cmd::kImportPhoneBook, N_("&Phone Book..."), "", N_("Import phone book from a text file"),
     N_("Import phone book"), Transfer, Always},
    {cmd::kImportAppointments, N_("&Appointments..."), "",
     N_("Import appointments from a text file"), N_("Import phone book"), Transfer, Always},
    {cmd::kExportTasks, N_("&Tasks..."), "", N_("Export tasks to a text file"), N_("Export tasks"),
     Transfer, HasTask},
    {cmd::kExportPhoneBook, N_("&Phone Book..."), "", N_("Export phone book to a text file"),
     N_("Export phone book"), Transfer, HasPerson},
    {cmd::kExportAppointments, N_("&Appointments..."), "", N_("Export appointments to a text file"),
     N_("Export appointments"), Transfer, HasAppointment},
    {cmd::kImportVCard, N_("&vCard..."), "", N_("Import names from a vCard file (.vcf)"),
     N_("Import vCard"), Transfer, Always},
    {cmd::kImportICalendar, N_("&iCalendar..."), "",
     N_("Import appointments and tasks from an iCalendar file (.ics)"), N_("Import iCalendar"),
     Transfer, Always},
    {cmd::kExportVCard, N_("&vCard..."), "", N_("Export the phone book to a vCard file (.vcf)"),
     N_("Export vCard"), Transfer, HasPerson},
    {cmd::kExportICalendar, N_("&iCalendar..."), "",
     N_("Export appointments and tasks to an iCalendar file (.ics)"), N_("Export iCalendar"),
     Transfer, Always},
    {cmd::kSynchronize, N_("S&ynchronize"), "F5",
     N_("Bring the document and its account's address book and calendar in step"),
     N_("Synchronize"), Transfer, Always},
    {cmd::kPageSetup, N_("Page Set&up..."), "", N_("Change the printing options"), N_("Page Setup"),
     Print, Always},
    {cmd::kExit, N_("E&xit"), "Ctrl+Q", N_("Quit the application; prompts to save documents"),
     N_("Exit"), Frame, Always},
    // Tasks
    {cmd::kTaskAdd, N_("&Add..."), "Ctrl+Shift+T", N_("Add a new task"), N_(" Add task"), Organizer,
     Always},
    {cmd::kTaskDelete, N_("&Delete"), "", N_("Delete selected task"), N_("Delete task"), Organizer,
     TaskSelectedInFocus},
    {cmd::kTaskEdit, N_("&Edit..."), "", N_("Edit selected task"), N_("Edit task"), Organizer,
     TaskSelectedInFocus},
    {cmd::kTaskComplete, N_("&Complete"), "", N_("Mark selected task completed"),
     N_("Mark complete"), Organizer, TaskSelectedInFocus},
    // Phone Book
    {cmd::kPersonAdd, N_("&Add..."), "Ctrl+Shift+P", N_("Add a name to the phone book"),
     N_("Add name"), Organizer, Always},
    {cmd::kPersonDelete, N_("&Delete"), "", N_("Delete a name from the phone book"),
     N_("Delete name"), Organizer, PersonSelectedInFocus},
    {cmd::kPersonEdit, N_("&Edit..."), "", N_("Edit the selected name"), N_("Edit name"), Organizer,
     PersonSelectedInFocus},
    {cmd::kEmailGroup, N_("Email &Group..."), "", "", "", Organizer, Always},
    // Appointments
    {cmd::kAppointmentAdd, N_("&Add..."), "Ctrl+Shift+A", N_("Add an appointment"),
     N_(" Add appointment"), Organizer, Always},
    {cmd::kAppointmentDelete, N_("&Delete"), "", N_("Delete selected appointment"),
     N_("Delete appointment"), Organizer, AppointmentSelectedInFocus},
    {cmd::kAppointmentEdit, N_("&Edit..."), "", N_("Edit selected appointment"),
     N_("Edit appointment"), Organizer, AppointmentSelectedInFocus},
    // Edit
    {cmd::kUndo, N_("&Undo"), "Ctrl+Z", N_("Undo the last action"), N_("Undo"), Frame, CanUndo},
    {cmd::kRedo, N_("&Redo"), "Ctrl+Y", N_("Redo the previously undone action"), N_("Redo"), Frame,
     CanRedo},
    {cmd::kFind, N_("&Find..."), "Ctrl+F",
     N_("Find persons, appointments and tasks by any of their texts"), N_("Find"), Organizer,
     Always},
    {cmd::kEditGroups, N_("&Address Book Groups..."), "", N_("Edit Address Book Groups"),
     N_("Edit Address Book Groups"), Organizer, Always},
    {cmd::kEditUser, N_("U&ser..."), "", N_("Edit user information"), N_("User"), Organizer,
     Always},
    {cmd::kAlarmSound, N_("&Alarm Sound..."), "", N_("Change alarm sound"), N_("Change alarm"),
     Organizer, Always},
    {cmd::kBirthdayReminders, N_("B&irthday Reminders..."), "",
     N_("Choose whether and how many days ahead birthdays and anniversaries are reminded of"),
     N_("Birthday reminders"), Organizer, Always},
    {cmd::kSyncAccounts, N_("A&ccounts..."), "",
     N_("Set up the account the document synchronizes with"), N_("Accounts"), Transfer, Always},
    {cmd::kOpenLastFile, N_("&Open Last File On Start"), "",
     N_("Open last file used when starting program"), N_("Open last file"), Frame, Always,
     CheckRule::OpenLastFile},
    {cmd::kBackupsKept, N_("&Backups Kept..."), "",
     N_("Choose how many earlier versions each save keeps"), N_("Backups kept"), Frame, Always},
    {cmd::kAudibleAlarm, N_("A&udible Alarm"), "", N_("Use sound with reminders"),
     N_("Use audible alarm"), Organizer, Always, CheckRule::UseAlarmSound},
    // Report
    {cmd::kReportDaily, N_("&Daily Tasks and Appointments"), "",
     N_("Print out the selected date's tasks and appointments"), N_("Print tasks and appointments"),
     Report, DayHasRows},
    {cmd::kReportDailyTasks, N_("Daily &Tasks"), "", N_("Print out the selected date's tasks"),
     N_("Print tasks"), Report, DayHasTasks},
    {cmd::kReportDailyAppointments, N_("Daily &Appointments"), "",
     N_("Print out the selected date's appointments"), N_("Print appointments"), Report,
     DayHasAppointments},
    {cmd::kReportWeekly, N_("&Weekly Plan"), "", N_("Print out the current week's calendar"),
     N_("Print weekly calendar"), Report, Always},
    {cmd::kReportMonthly, N_("&Monthly Plan"), "", N_("Print out the current month's calendar"),
     N_("Print monthly calendar"), Report, Always},
    {cmd::kReportEnvelopes, N_("&Envelopes..."), "",
     N_("Print out envelopes for the selected persons"), N_("Envelopes"), Report, HasPerson},
    {cmd::kReportPhoneBook, N_("&Phone Book..."), "",
     N_("Print out an address book for the selected people"), N_("Address Book"), Report,
     HasPerson},
    {cmd::kReportFont, N_("Report &Font..."), "", N_("Select font to use in reports"),
     N_("Select reports font"), Print, Always},
    // View, Help
    {cmd::kViewToolbar, N_("&Toolbar"), "", N_("Show or hide the toolbar"), N_("Toggle ToolBar"),
     Frame, Always, CheckRule::ToolbarVisible},
    {cmd::kViewStatusBar, N_("&Status Bar"), "", N_("Show or hide the status bar"),
     N_("Toggle StatusBar"), Frame, Always, CheckRule::StatusBarVisible},
    {cmd::kHelpTopics, N_("&Help Topics"), "", N_("Display help file"), N_("Help"), Frame, Always},
    {cmd::kAbout, N_("&About Quillmate..."), "",
     N_("Display program information, version number and copyright"), N_("About"), Frame, Always},
    {cmd::kContextHelp, "", "", N_("Display help for clicked on buttons, menus and windows"),
     N_("Help"), Frame, Always},
    // Printing
    {cmd::kPrint, N_("&Print..."), "Ctrl+P", N_("Print the active document"), N_("Print"), Print,
     ReportChosen},
    {cmd::kPrintPreview, N_("Print Pre&view"), "", N_("Display full pages"), N_("Print Preview"),
     Print, ReportChosen},
});

}  // namespace

std::string Command::plainText() const {
    std::string text;
    for (const char* c = _(menuText); *c != '\0'; ++c) {
        if (*c == '&' && c[1] != '&') continue;
        text += *c;
    }
    while (!text.empty() && text.back() == '.')
        text.pop_back();
    return text;
}

std::span<const Command> CommandTable::all() {
    return kCommands;
}

const Command* CommandTable::find(int id) {
    if (id >= cmd::kRecentFirst && id <= cmd::kRecentLast) return &kRecentEntry;
    for (const Command& command : kCommands)
        if (command.id == id) return &command;
    return nullptr;
}
