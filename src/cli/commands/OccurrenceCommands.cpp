#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "docfile/DocumentFile.h"
#include "platform/Translate.h"
#include "records/Occurrences.h"
#include "records/PimDocument.h"

// The appointments of a stretch of days, series worked out into their occurrences, for
// scripts that feed another calendar or a notifier of their own.

namespace {

// How many days after --from the listing ends when --to is not given.
constexpr double kDefaultDays = 30;

std::string isoDate(DateTime day) {
    return day.format("%Y-%m-%d");
}

// START-END: times of day, the end's date before its time when it ends on a later day;
// "All day" for whole days, with the last one when there are several.
std::string timesOf(const Occurrence& occurrence) {
    if (occurrence.allDay()) {
        if (occurrence.lastDay() == occurrence.firstDay()) return _("All day");
        return fillIn(_("All day to %s"), {isoDate(occurrence.lastDay())});
    }
    std::string end = occurrence.end.format("%H:%M");
    if (occurrence.end.date() != occurrence.start.date()) end = isoDate(occurrence.end) + ' ' + end;
    return occurrence.start.format("%H:%M") + '-' + end;
}

Status runOccurrences(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(args, 1, {"from", "to"}, {}, parsed); !status) return status;
    DateTime first = DateTime::today(context.clock);
    if (Status status = readDateOption(parsed, first, "from"); !status) return status;
    DateTime last = first + DateTimeSpan(kDefaultDays);
    if (Status status = readDateOption(parsed, last, "to"); !status) return status;
    if (last < first)
        return usageFailure(
            fillIn(_("%s is before %s"), {"--to " + isoDate(last), "--from " + isoDate(first)}));
    const std::string& path = parsed.positional()[0];
    PimDocument document(context.clock);
    const RecordsLeftToExit leaveRecords(context, document);
    if (Status loaded = loadDocument(document, path); !loaded) return loaded;

    std::vector<Occurrence> found;
    for (const auto& [id, appointment] : document.appointments()) {
        ExpansionBudget budget;
        const auto some = occurrencesOnDays(appointment, first, last, budget);
        found.insert(found.end(), some.begin(), some.end());
        // A partial list would pass for the whole one.
        if (budget.exhausted)
            reportWarning(context,
                          path + ": " +
                              fillIn(_("appointment %s repeats too often to be listed in full"),
                                     {std::to_string(id)}));
    }
    // Appointments come in ID order, which settles equal starts.
    std::stable_sort(found.begin(), found.end(),
                     [](const Occurrence& a, const Occurrence& b) { return a.start < b.start; });
    for (const Occurrence& occurrence : found) {
        context.out << occurrence.id() << '\t' << isoDate(occurrence.start) << '\t'
                    << timesOf(occurrence) << '\t' << lineField(occurrence.description()) << '\n';
    }
    return {};
}

const std::array<CliCommand, 1> kCommands = {{
    {"occurrences", "FILE [--from YYYY-MM-DD] [--to YYYY-MM-DD]",
     N_("list the appointments on the days from --from to --to (default today and 30 days on), "
        "a series once for each of its occurrences, in start order: ID, start date, times (\"All "
        "day\" for whole days) and description, tab-separated. An occurrence is listed once, "
        "with the day it starts, also when that lies before --from"),
     runOccurrences},
}};

}  // namespace

std::span<const CliCommand> occurrenceCommands() {
    return kCommands;
}
