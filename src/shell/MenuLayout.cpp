#include "shell/MenuLayout.h"

#include "platform/Translate.h"
#include "shell/CommandId.h"

namespace {

MenuItem item(int id) {
    return MenuItem{MenuItem::Kind::Command, id, "", {}};
}
MenuItem separator() {
    return MenuItem{MenuItem::Kind::Separator, 0, "", {}};
}
MenuItem submenu(const char* title, std::vector<MenuItem> items) {
    return MenuItem{MenuItem::Kind::Submenu, 0, title, std::move(items)};
}

std::vector<Menu> buildMenuBar() {
    using namespace cmd;
    return {
        {N_("&File"),
         {item(kNew), item(kOpen), item(kSave), item(kSaveAs), separator(), item(kBackup),
          item(kRestoreBackup), item(kCompact), separator(),
          submenu(N_("&Import"),
                  {item(kImportTasks), item(kImportPhoneBook), item(kImportAppointments),
                   separator(), item(kImportVCard), item(kImportICalendar)}),
          submenu(N_("&Export"),
                  {item(kExportTasks), item(kExportPhoneBook), item(kExportAppointments),
                   separator(), item(kExportVCard), item(kExportICalendar)}),
          item(kSynchronize), separator(), item(kPageSetup), separator(),
          submenu(N_("Recent &Files"), {MenuItem{MenuItem::Kind::RecentFiles, 0, "", {}}}),
          separator(), item(kExit)}},
        {N_("&Edit"),
         {item(kUndo), item(kRedo), separator(), item(kFind), separator(), item(kEditGroups),
          item(kEditUser), separator(),
          submenu(N_("&Options"),
                  {item(kAlarmSound), item(kOpenLastFile), item(kAudibleAlarm),
                   item(kBirthdayReminders), item(kBackupsKept), item(kSyncAccounts)})}},
        {N_("&View"), {item(kViewToolbar), item(kViewStatusBar)}},
        {N_("&Tasks"), {item(kTaskAdd), item(kTaskEdit), item(kTaskDelete), item(kTaskComplete)}},
        {N_("&Phone Book"),
         {item(kPersonAdd), item(kPersonEdit), item(kPersonDelete), separator(),
          item(kEmailGroup)}},
        {N_("&Appointments"),
         {item(kAppointmentAdd), item(kAppointmentEdit), item(kAppointmentDelete)}},
        {N_("&Report"),
         {item(kReportDaily), item(kReportDailyTasks), item(kReportDailyAppointments), separator(),
          item(kReportWeekly), item(kReportMonthly), separator(), item(kReportEnvelopes),
          item(kReportPhoneBook), separator(), item(kReportFont)}},
        {N_("&Help"), {item(kHelpTopics), separator(), item(kAbout)}},
    };
}

}  // namespace

const std::vector<Menu>& menuBarLayout() {
    static const std::vector<Menu> layout = buildMenuBar();
    return layout;
}

const std::vector<int>& toolbarLayout() {
    static const std::vector<int> layout = {cmd::kNew, cmd::kOpen,  cmd::kSave,
                                            0,         cmd::kUndo,  cmd::kRedo,
                                            0,         cmd::kAbout, cmd::kContextHelp};
    return layout;
}
