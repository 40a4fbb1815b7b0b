#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "organizer/AlarmSettings.h"
#include "organizer/DayView.h"
#include "organizer/PersonDayReminders.h"
#include "organizer/Reminders.h"
#include "platform/Translate.h"
#include "platform/qt/IniSettingsStore.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"

namespace {

// The day as the window lists it: its appointments, earliest first, then its tasks.
Status runDay(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {"date"}, {}, parsed); !status) return status;
    DateTime day = DateTime::today(context.clock);
    if (Status status = readDateOption(parsed, day); !status) return status;
    CliWorkspace files(context);
    if (Status loaded = files.read(parsed.positional()[0]); !loaded) return loaded;
    DocumentDoor& door = files.workspace().door();
    DayView view(door);
    view.showDate(day);

    context.out << _("Appointments") << '\n';
    for (const AppointmentRow& row : view.appointmentRows()) {
        context.out << appointmentTimes(row, view.shownDate(), context.locale) << '\t'
                    << lineField(row.description) << (row.alarm ? _(" [alarm]") : "") << '\n';
    }
    context.out << _("Tasks") << '\n';
    for (const TaskRow& row : view.taskRows()) {
        context.out << Task::priorityName(row.priority) << '\t' << lineField(row.description)
                    << '\t' << row.dueDate.formatDate(context.locale, DateStyle::Short) << '\n';
    }
    return {};
}

// The reminders the window would open at this moment, with those missed within the last
// day as opening the document lists them, then the birthdays and anniversaries the user's
// alarm options remind of, one line each in the order the windows open, for users who wire
// them into a notifier of their own. --date is still taken, for scripts that
// pass it, but the day selected no longer reminds of anything.
Status runAlarms(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {"date"}, {}, parsed); !status) return status;
    DateTime shown = DateTime::today(context.clock);
    if (Status status = readDateOption(parsed, shown); !status) return status;
    CliWorkspace files(context);
    if (Status loaded = files.read(parsed.positional()[0]); !loaded) return loaded;
    const PimDocument& document = files.document();
    const DateTime now = DateTime::now(context.clock);
    auto print = [&](const std::string& caption, const std::string& message) {
        context.out << lineField(caption) << '\t' << lineField(message) << '\n';
    };
    for (const Reminder& reminder : dueReminders(document, DateTime(), now, context.locale))
        print(reminder.caption, reminder.message);
    IniSettingsStore settings;
    const int lead = AlarmSettingsStore(settings).read().birthdayLead();
    for (const PersonDayReminder& reminder :
         duePersonDayReminders(document, DateTime::today(context.clock), lead, context.locale))
        print(reminder.caption, reminder.message);
    return {};
}

const std::array<CliCommand, 2> kCommands = {{
    {"day", "FILE [--date YYYY-MM-DD]",
     N_("list the appointments and tasks the window shows for a day (default today)"), runDay},
    {"alarms", "FILE [--date YYYY-MM-DD]",
     N_("list the reminders that would open now, with those missed within the last day"),
     runAlarms},
}};

}  // namespace

std::span<const CliCommand> dayCommands() {
    return kCommands;
}
