#include "shell/CommandTable.h"

#include <array>

#include "platform/Translate.h"
#include "shell/CommandId.h"

namespace {

using enum EnableRule;
using enum CommandOwner;

constexpr Command kRecentEntry{cmd::kRecentFirst, "",    "",     "Open this document",
                               "Open document",   Frame, Always, CheckRule::None};

// The texts are the program's own, spelling included.
constexpr auto kCommands = std::to_array<Command>({
    // File
    {cmd::kNew, "&New", "Ctrl+N", "Create a new document", "New", Frame, Always},
    {cmd::kOpen, "&Open...", "Ctrl+O", "Open an existing document", "Open", Frame, Always},
    {cmd::kSave, "&Save", "Ctrl+S", "Save the active document", "Save", Frame, DocumentModified},
    {cmd::kSaveAs, "Save &As...", "", "Save the active document with a new name", "Save As", Frame,
     Always},
    {cmd::kBackup, "&Backup...", "", "Back up current file", "Back up", Frame, DocumentHasPath},
    {cmd::kRestoreBackup, "&Restore Backup...", "", "Bring back an earlier version of this file",
     "Restore backup", Frame, DocumentHasPath},
    {cmd::kCompact, "&Compact", "", "Remove empty space and old tasks from file", "Compact", Frame,
     HasTask},
    {cmd::kImportTasks, "&Tasks...", "", "Import tasks from a text file", "Import tasks", Transfer,
     Always},
    {cmd::kImportPhoneBook, "&Phone Book...", "", "Import phone book from a text file",
     "Import phone book", Transfer, Always},
    {cmd::kImportAppointments, "&Appointments...", "", "Import appointments from a text file",
     "Import phone book", Transfer, Always},
    {cmd::kExportTasks, "&Tasks...", "", "Export tasks to a text file", "Export tasks", Transfer,
     HasTask},
    {cmd::kExportPhoneBook, "&Phone Book...", "", "Export phone book to a text file",
     "Export phone book", Transfer, HasPerson},
    {cmd::kExportAppointments, "&Appointments...", "", "Export appointments to a text file",
     "Export appointments", Transfer, HasAppointment},
    {cmd::kImportVCard, "&vCard...", "", "Import names from a vCard file (.vcf)", "Import vCard",
     Transfer, Always},
    {cmd::kImportICalendar, "&iCalendar...", "",
     "Import appointments and tasks from an iCalendar file (.ics)", "Import iCalendar", Transfer,
     Always},
    {cmd::kExportVCard, "&vCard...", "", "Export the phone book to a vCard file (.vcf)",
     "Export vCard", Transfer, HasPerson},
    {cmd::kExportICalendar, "&iCalendar...", "",
     "Export appointments and tasks to an iCalendar file (.ics)", "Export iCalendar", Transfer,
     Always},
    {cmd::kSynchronize, N_("S&ynchronize"), "F5",
     N_("Bring the document and its account's address book and calendar in step"),
     N_("Synchronize"), Transfer, Always},
    {cmd::kPageSetup, "Page Set&up...", "", "Change the printing options", "Page Setup", Print,
     Always},
    {cmd::kExit, "E&xit", "Ctrl+Q", "Quit the application; prompts to save documents", "Exit",
     Frame, Always},
    // Tasks
    {cmd::kTaskAdd, "&Add...", "Ctrl+Shift+T", "Add a new task", " Add task", Organizer, Always},
    {cmd::kTaskDelete, "&Delete", "", "Delete selected task", "Delete task", Organizer,
     TaskSelectedInFocus},
    {cmd::kTaskEdit, "&Edit...", "", "Edit selected task", "Edit task", Organizer,
     TaskSelectedInFocus},
    {cmd::kTaskComplete, "&Complete", "", "Mark selected task completed", "Mark complete",
     Organizer, TaskSelectedInFocus},
    // Phone Book
    {cmd::kPersonAdd, "&Add...", "Ctrl+Shift+P", "Add a name to the phone book", "Add name",
     Organizer, Always},
    {cmd::kPersonDelete, "&Delete", "", "Delete a name from the phone book", "Delete name",
     Organizer, PersonSelectedInFocus},
    {cmd::kPersonEdit, "&Edit...", "", "Edit the selected name", "Edit name", Organizer,
     PersonSelectedInFocus},
    {cmd::kEmailGroup, "Email &Group...", "", "", "", Organizer, Always},
    // Appointments
    {cmd::kAppointmentAdd, "&Add...", "Ctrl+Shift+A", "Add an appointment", " Add appointment",
     Organizer, Always},
    {cmd::kAppointmentDelete, "&Delete", "", "Delete selected appointment", "Delete appointment",
     Organizer, AppointmentSelectedInFocus},
    {cmd::kAppointmentEdit, "&Edit...", "", "Edit selected appointment", "Edit appointment",
     Organizer, AppointmentSelectedInFocus},
    // Edit
    {cmd::kUndo, "&Undo", "Ctrl+Z", "Undo the last action", "Undo", Frame, CanUndo},
    {cmd::kRedo, "&Redo", "Ctrl+Y", "Redo the previously undone action", "Redo", Frame, CanRedo},
    {cmd::kEditGroups, "&Address Book Groups...", "", "Edit Address Book Groups",
     "Edit Address Book Groups", Organizer, Always},
    {cmd::kEditUser, "U&ser...", "", "Edit user information", "User", Organizer, Always},
    {cmd::kAlarmSound, "&Alarm Sound...", "", "Change alarm sound", "Change alarm", Organizer,
     Always},
    {cmd::kSyncAccounts, N_("A&ccounts..."), "",
     N_("Set up the account the document synchronizes with"), N_("Accounts"), Transfer, Always},
    {cmd::kOpenLastFile, "&Open Last File On Start", "",
     "Open last file used when starting program", "Open last file", Frame, Always,
     CheckRule::OpenLastFile},
    {cmd::kBackupsKept, "&Backups Kept...", "", "Choose how many earlier versions each save keeps",
     "Backups kept", Frame, Always},
    {cmd::kAudibleAlarm, "A&udible Alarm", "", "Use sound with reminders", "Use audible alarm",
     Organizer, Always, CheckRule::UseAlarmSound},
    // Report
    {cmd::kReportDaily, "&Daily Tasks and Appointments", "",
     "Print out the selected date's tasks and appointments", "Print tasks and appointments", Report,
     DayHasRows},
    {cmd::kReportDailyTasks, "Daily &Tasks", "", "Print out the selected date's tasks",
     "Print tasks", Report, DayHasTasks},
    {cmd::kReportDailyAppointments, "Daily &Appointments", "",
     "Print out the selected date's appointments", "Print appointments", Report,
     DayHasAppointments},
    {cmd::kReportWeekly, "&Weekly Plan", "", "Print out the current week's calendar",
     "Print weekly calendar", Report, Always},
    {cmd::kReportMonthly, "&Monthly Plan", "", "Print out the current month's calendar",
     "Print monthly calendar", Report, Always},
    {cmd::kReportEnvelopes, "&Envelopes...", "", "Print out envelopes for the selected persons",
     "Envelopes", Report, HasPerson},
    {cmd::kReportPhoneBook, "&Phone Book...", "",
     "Print out an address book for the selected people", "Address Book", Report, HasPerson},
    {cmd::kReportFont, "Report &Font...", "", "Select font to use in reports",
     "Select reports font", Print, Always},
    // View, Help
    {cmd::kViewToolbar, "&Toolbar", "", "Show or hide the toolbar", "Toggle ToolBar", Frame, Always,
     CheckRule::ToolbarVisible},
    {cmd::kViewStatusBar, "&Status Bar", "", "Show or hide the status bar", "Toggle StatusBar",
     Frame, Always, CheckRule::StatusBarVisible},
    {cmd::kHelpTopics, "&Help Topics", "", "Display help file", "Help", Frame, Always},
    {cmd::kAbout, "&About Quillmate...", "",
     "Display program information, version number and copyright", "About", Frame, Always},
    {cmd::kContextHelp, "", "", "Display help for clicked on buttons, menus and windows", "Help",
     Frame, Always},
    // Printing
    {cmd::kPrint, "&Print...", "Ctrl+P", "Print the active document", "Print", Print, ReportChosen},
    {cmd::kPrintPreview, "Print Pre&view", "", "Display full pages", "Print Preview", Print,
     ReportChosen},
});

}  // namespace

std::string Command::plainText() const {
    std::string text;
    for (const char* c = menuText; *c != '\0'; ++c) {
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
