#include "cli/CliMain.h"

#include <algorithm>
#include <memory>
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "platform/Clock.h"
#include "platform/qt/QtLocale.h"

namespace {

constexpr const char* kUsage =
    "usage: quillmate-cli [--now \"YYYY-MM-DD HH:MM\"] COMMAND [ARGS...]\n"
    "       quillmate-cli --version | --help";

void printHelp(std::ostream& out) {
    out << kUsage << "\n\nScripted access to Quillmate documents (.pgr).\n\nCommands:\n";
    for (const CliCommand& command : cliCommands()) {
        out << "  " << command.name << ' ' << command.usage << "\n      " << command.summary
            << '\n';
    }
    out << "\nOptions:\n"
           "  --now \"YYYY-MM-DD HH:MM\"  fix the clock (today, now, defaults of new records)\n"
           "  --version                 print the version and exit\n"
           "  --help                    print this help and exit\n"
           "\nExit status: 0 success, 1 failure, 2 usage error.\n";
}

int usageError(std::ostream& err, const std::string& message) {
    err << "quillmate-cli: " << message << '\n' << kUsage << '\n';
    return kExitUsage;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    size_t i = 0;
    // Global options come before the command.
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        if (args[i] == "--version") {
            out << "quillmate-cli " << QUILLMATE_VERSION << '\n';
            return kExitOk;
        }
        if (args[i] == "--help") {
            printHelp(out);
            return kExitOk;
        }
        if (args[i] == "--now") {
            if (i + 1 >= args.size()) return usageError(err, "--now needs a value");
            const auto now = parseNowOption(args[++i]);
            if (!now)
                return usageError(err, "--now wants \"YYYY-MM-DD HH:MM\", not \"" + args[i] + "\"");
            clock = std::make_unique<FixedClock>(*now);
            continue;
        }
        return usageError(err, "unknown option " + args[i]);
    }
    if (i == args.size()) return usageError(err, "no command given");

    const auto commands = cliCommands();
    const auto command = std::find_if(commands.begin(), commands.end(),
                                      [&](const CliCommand& c) { return args[i] == c.name; });
    if (command == commands.end()) return usageError(err, "unknown command " + args[i]);

    const QtLocale locale;
    CliContext context{*clock, locale, out, err, *command};
    return command->run(context, std::vector<std::string>(args.begin() + i + 1, args.end()));
}
