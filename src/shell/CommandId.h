#pragma once

// Command numbers of the menus, toolbar and accelerators. They are stable: later
// handlers and the help texts refer to them.
namespace cmd {

// File
inline constexpr int kNew = 57600;
inline constexpr int kOpen = 57601;
inline constexpr int kSave = 57603;
inline constexpr int kSaveAs = 57604;
inline constexpr int kPageSetup = 57605;
inline constexpr int kPrint = 57607;
inline constexpr int kPrintPreview = 57609;
inline constexpr int kRecentFirst = 57616;
inline constexpr int kRecentLast = 57631;
inline constexpr int kExit = 57665;
inline constexpr int kBackup = 32786;
inline constexpr int kCompact = 32787;
inline constexpr int kRestoreBackup = 32900;
inline constexpr int kImportTasks = 32813;
inline constexpr int kImportPhoneBook = 32814;
inline constexpr int kImportAppointments = 32815;
inline constexpr int kExportTasks = 32801;
inline constexpr int kExportPhoneBook = 32781;
inline constexpr int kExportAppointments = 32783;
// vCard and iCalendar, beside the delimited text commands.
inline constexpr int kImportVCard = 32840;
inline constexpr int kImportICalendar = 32841;
inline constexpr int kExportVCard = 32842;
inline constexpr int kExportICalendar = 32843;
// CalDAV/CardDAV sync of the document with its account.
inline constexpr int kSynchronize = 32910;
inline constexpr int kSyncAccounts = 32911;

// Tasks, Phone Book, Appointments
inline constexpr int kTaskAdd = 32790;
inline constexpr int kTaskDelete = 32791;
inline constexpr int kTaskEdit = 32792;
inline constexpr int kTaskComplete = 32793;
inline constexpr int kPersonAdd = 32775;
inline constexpr int kPersonDelete = 32776;
inline constexpr int kPersonEdit = 32777;
inline constexpr int kEmailGroup = 32836;
// The phone book's detail buttons.
inline constexpr int kDialHomePhone = 1004;
inline constexpr int kDialWorkPhone = 1005;
inline constexpr int kDialPager = 1006;
inline constexpr int kMailPerson = 1008;
inline constexpr int kDialCellPhone = 1009;
inline constexpr int kOpenWebPage = 1010;
inline constexpr int kAppointmentAdd = 32797;
inline constexpr int kAppointmentDelete = 32798;
inline constexpr int kAppointmentEdit = 32799;

// Edit
inline constexpr int kUndo = 57643;
inline constexpr int kRedo = 57644;
inline constexpr int kFind = 57636;
inline constexpr int kEditGroups = 32834;
inline constexpr int kEditUser = 32771;
inline constexpr int kAlarmSound = 32789;
inline constexpr int kOpenLastFile = 32831;
inline constexpr int kAudibleAlarm = 32832;
inline constexpr int kBackupsKept = 32901;
inline constexpr int kBirthdayReminders = 32920;

// Report
inline constexpr int kReportDaily = 32778;
inline constexpr int kReportDailyTasks = 32780;
inline constexpr int kReportDailyAppointments = 32779;
inline constexpr int kReportWeekly = 32830;
inline constexpr int kReportMonthly = 32829;
inline constexpr int kReportEnvelopes = 32782;
inline constexpr int kReportPhoneBook = 32784;
inline constexpr int kReportFont = 32785;

// View, Help
inline constexpr int kViewToolbar = 59392;
inline constexpr int kViewStatusBar = 59393;
inline constexpr int kHelpTopics = 57667;
inline constexpr int kAbout = 57664;
inline constexpr int kContextHelp = 57669;

// Print preview
inline constexpr int kPreviewClose = 58112;
inline constexpr int kPreviewNext = 58114;
inline constexpr int kPreviewPrevious = 58115;
inline constexpr int kPreviewZoomIn = 32819;
inline constexpr int kPreviewZoomOut = 32820;

}  // namespace cmd
