#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "cli/commands/OccurrenceLines.h"
#include "docfile/DocumentFile.h"
#include "platform/Translate.h"
#include "records/PimDocument.h"

// The appointments of a stretch of days, series worked out into their occurrences, for
// scripts that feed another calendar or a notifier of their own.

namespace {

// How many days after --from the listing ends when --to is not given.
constexpr double kDefaultDays = 30;

std::string isoDate(DateTime day) {
    return day.format("%Y-%m-%d");
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
    CliWorkspace files(context);
    if (Status loaded = files.read(path); !loaded) return loaded;
    const PimDocument& document = files.document();

    std::vector<int32_t> unfinished;
    const auto found = occurrencesBetween(document, first, last, unfinished);
    // A partial list would pass for the whole one.
    for (const int32_t id : unfinished) {
        reportWarning(context,
                      path + ": " +
                          fillIn(_("appointment %s repeats too often to be listed in full"),
                                 {std::to_string(id)}));
    }
    for (const Occurrence& occurrence : found)
        context.out << occurrenceLine(occurrence) << '\n';
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
