#include "cli/CliMain.h"

#include <algorithm>
#include <memory>
#include <new>
#include <ostream>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/CliHelp.h"
#include "cli/CommandSuggestion.h"
#include "cli/commands/CommandSupport.h"
#include "platform/Clock.h"
#include "platform/Translate.h"
#include "platform/qt/QtLocale.h"

namespace {

std::string commandUsage(const CliCommand& command) {
    return fillIn(_("usage: %s"),
                  {std::string("quillmate-cli ") + command.name + ' ' + command.usage});
}

// The one place a failure becomes a message line and an exit code.
int finish(std::ostream& err, const Status& status, const CliCommand* command) {
    if (status) return kExitOk;
    err << "quillmate-cli: " << status.message() << '\n';
    if (status.kind() != FailureKind::Usage) return kExitFailure;
    if (command != nullptr)
        err << commandUsage(*command);
    else
        printCliUsage(err);
    err << '\n';
    return kExitUsage;
}

// A listing's outcome: output that never arrived (a full disk, a closed pipe) is no success,
// for help and the version as for every other listing.
int listed(std::ostream& out, std::ostream& err) {
    if (out.flush()) return kExitOk;
    return finish(
        err,
        Status::failure(FailureKind::Write, _(kStandardOutputName), _("the output was refused")),
        nullptr);
}

const CliCommand* findCommand(const std::string& name) {
    const auto commands = cliCommands();
    const auto it = std::find_if(commands.begin(), commands.end(),
                                 [&](const CliCommand& c) { return name == c.name; });
    return it == commands.end() ? nullptr : &*it;
}

Status unknownCommand(const std::string& name) {
    std::vector<std::string> names = {kCliHelpCommand.name};
    for (const CliCommand& command : cliCommands())
        names.emplace_back(command.name);
    std::string reason = fillIn(_("unknown command \"%s\""), {name});
    if (const auto nearest = nearestName(name, names))
        reason += fillIn(_("; did you mean \"%s\"?"), {*nearest});
    return Status::failure(FailureKind::Usage, "", reason);
}

// "help" alone prints the overview, "help COMMAND" that command's usage.
int runHelp(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty() || args == std::vector<std::string>{"--help"}) {
        printCliHelp(out);
        return listed(out, err);
    }
    if (args.size() > 1)
        return finish(err, Status::failure(FailureKind::Usage, "", _("help takes one command")),
                      nullptr);
    const CliCommand* command = findCommand(args[0]);
    if (command == nullptr) return finish(err, unknownCommand(args[0]), nullptr);
    out << commandUsage(*command) << "\n  " << _(command->summary) << '\n';
    return listed(out, err);
}

// Whether "--help" stands among the arguments as an option of its own, not as the value
// of the option before it ("--fields --help") nor after the end of the options.
bool asksForHelp(const std::vector<std::string>& args) {
    for (size_t i = 0; i < args.size() && args[i] != "--"; ++i) {
        if (args[i] == "--help" && (i == 0 || args[i - 1].rfind("--", 0) != 0)) return true;
    }
    return false;
}

}  // namespace

int runCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, AfterCli after) {
    const auto usage = [&](const std::string& reason) {
        return finish(err, Status::failure(FailureKind::Usage, "", reason), nullptr);
    };
    std::unique_ptr<Clock> clock = std::make_unique<SystemClock>();
    size_t i = 0;
    // Global options come before the command.
    for (; i < args.size() && args[i].rfind("--", 0) == 0; ++i) {
        if (args[i] == "--") {
            ++i;
            break;
        }
        if (args[i] == "--version") {
            out << "quillmate-cli " << QUILLMATE_VERSION << '\n';
            return listed(out, err);
        }
        if (args[i] == "--help") {
            printCliHelp(out);
            return listed(out, err);
        }
        if (args[i] == "--now") {
            if (i + 1 >= args.size()) return usage(fillIn(_("%s needs a value"), {"--now"}));
            const auto now = parseNowOption(args[++i]);
            if (!now)
                return usage(
                    fillIn(_("%s wants \"YYYY-MM-DD HH:MM\", not \"%s\""), {"--now", args[i]}));
            if (Status inRange = checkInEditorRange(
                    "--now", DateTime::fromFields(now->year, now->month, now->day));
                !inRange)
                return finish(err, inRange, nullptr);
            clock = std::make_unique<FixedClock>(*now);
            continue;
        }
        return usage(fillIn(_("unknown option %s"), {args[i]}));
    }
    if (i == args.size()) return usage(_("no command given"));

    const std::vector<std::string> rest(args.begin() + ptrdiff_t(i) + 1, args.end());
    if (args[i] == kCliHelpCommand.name) return runHelp(rest, out, err);
    const CliCommand* command = findCommand(args[i]);
    if (command == nullptr) return finish(err, unknownCommand(args[i]), nullptr);
    if (asksForHelp(rest)) return runHelp({command->name}, out, err);

    const QtLocale locale;
    CliContext context{*clock, locale, in, out, err, after == AfterCli::ProcessEnds, {}, args};
    Status status;
    try {
        status = command->run(context, rest);
    } catch (const std::bad_alloc&) {
        // Whatever the command had not yet written stays as it was.
        status = Status::failure(FailureKind::Content, "", _("not enough memory"));
    }
    // Output that never arrived (a full disk, a closed pipe) is no success; but a change
    // that is saved stays a success, or a script trying again would make it twice.
    if (status && !out.flush()) {
        if (!context.savedDocument.empty()) {
            err << "quillmate-cli: "
                << fillIn(_("%s: the change is saved, but its output was lost (%s refused it)"),
                          {context.savedDocument, _(kStandardOutputName)})
                << '\n';
            return kExitOk;
        }
        status = Status::failure(FailureKind::Write, _(kStandardOutputName),
                                 _("the output was refused"));
    }
    return finish(err, status, command);
}
