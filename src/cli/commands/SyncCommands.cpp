#include <QCoreApplication>
#include <QScopeGuard>

#include <array>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliArgs.h"
#include "cli/CliCommand.h"
#include "cli/commands/CommandSupport.h"
#include "cli/commands/QtApplication.h"
#include "cli/commands/QtCommandTexts.h"
#include "cli/commands/SyncSecrets.h"
#include "platform/SecretKeeping.h"
#include "platform/Translate.h"
#include "platform/qt/IniSettingsStore.h"
#include "platform/qt/QtHttpTransport.h"
#include "records/PimDocument.h"
#include "sync/AccountAddress.h"
#include "sync/SyncAccount.h"
#include "sync/SyncSession.h"
#include "sync/SyncState.h"
#include "workspace/Workspace.h"

// The document synced with a CalDAV/CardDAV account, both ways.

namespace {

// The certificate the user trusted in the window for this document's account, when the
// address given is that account's (the port or scheme may have changed since); "" for none.
std::string windowTrustedCertificate(const std::string& documentPath, const std::string& url,
                                     const std::string& user) {
    const SyncAccount account = readSyncAccount(IniSettingsStore(), documentPath);
    if (!account.configured() || account.user != user || !samePlaceOnHost(account.url, url))
        return {};
    return account.trustedCertificate;
}

// The seconds a server may stay silent: $QUILLMATE_TIMEOUT when it holds a number above 0.
int timeoutSeconds() {
    constexpr int kSilence = 60;
    const char* given = std::getenv("QUILLMATE_TIMEOUT");
    const int seconds = given == nullptr ? 0 : std::atoi(given);
    return seconds > 0 ? seconds : kSilence;
}

void printReport(CliContext& context, const SyncReport& report, bool dryRun, bool failed) {
    const std::string prefix = dryRun ? _("dry run: ") : "";
    for (const std::string& made : report.created)
        context.out << prefix << fillIn(_("made %s"), {made}) << '\n';
    // Beside a failure, counts of nothing would read as a sync that went well.
    if (!failed || report.movedAny()) {
        for (const std::string& line : report.countLines())
            context.out << prefix << line << '\n';
    }
    for (const SyncConflict& conflict : report.conflicts)
        context.out << prefix << fillIn(_("conflict: %s"), {conflict.line()}) << '\n';
    for (const std::string& skipped : report.skipped)
        reportWarning(context, fillIn(_("skipped %s"), {skipped}));
    for (const std::string& note : report.notes)
        reportWarning(context, note);
    if (dryRun) context.out << _("dry run: nothing changed") << '\n';
}

Status runSync(CliContext& context, const std::vector<std::string>& args) {
    CliArgs parsed;
    if (Status status = parseArguments(
            args, 1, {"url", "user", "password-file", "addressbook", "calendar", "prefer"},
            {"dry-run"}, parsed);
        !status)
        return status;
    SyncRequest request;
    request.url = parsed.value("url").value_or("");
    if (request.url.empty()) return usageFailure(fillIn(_("%s is required"), {"--url"}));
    // Said without the address, which would show the password to whoever sees the output.
    if (holdsUserInfo(request.url))
        return usageFailure(fillIn(_("%s must not hold a user name or password: give them with "
                                     "%s and %s or %s"),
                                   {"--url", "--user", "--password-file FILE", kPasswordVariable}));
    if (!request.url.starts_with("http://") && !request.url.starts_with("https://"))
        return usageFailure(
            fillIn(_("%s wants an http or https address, not \"%s\""), {"--url", request.url}));
    request.addressBook = parsed.value("addressbook").value_or("");
    request.calendar = parsed.value("calendar").value_or("");
    request.dryRun = parsed.has("dry-run");
    const std::string prefer = parsed.value("prefer").value_or("server");
    if (prefer != "here" && prefer != "server")
        return usageFailure(fillIn(_("%s wants here or server, not \"%s\""), {"--prefer", prefer}));
    request.preferHere = prefer == "here";
    // The keyring, like the network, answers through Qt's event loop.
    // Qt Network waits for its answers in an event loop, which needs an application object.
    const auto application = makeQtApplication<QCoreApplication>();
    // Whatever holds the password from here on, the network library's copies too, stays out
    // of a core dump.
    const NoCoreDumps noCoreDumps;
    std::string password;
    const auto wiped = qScopeGuard([&] { wipeSecret(password); });
    const std::string user = parsed.value("user").value_or("");
    std::string warning;
    if (Status read =
            readSyncPassword(parsed.value("password-file"), request.url, user, password, warning);
        !read)
        return read;
    if (!warning.empty()) reportWarning(context, warning);

    DocumentUpdate update(context, parsed.positional()[0]);
    // The document is not locked while the network is waited for: read now, and read again
    // under its lock once the server is done, the sync's outcome merged into what it holds
    // then as the window merges it into edits made meanwhile.
    if (Status read = update.read(); !read) return read;
    // The window's session, run here and now through the command's workspace.
    Workspace& workspace = update.workspace();
    SyncSession session(workspace.door(), workspace.history());
    SyncJob job;
    warning.clear();
    if (Status prepared = session.prepare(request, job, warning); !prepared) return prepared;
    if (!warning.empty()) reportWarning(context, warning);
    QtHttpTransport transport(request.url, user, password, timeoutSeconds());
    transport.trustCertificate(
        windowTrustedCertificate(update.document().path(), request.url, user));
    job.run(transport, context.clock);
    if (!request.dryRun) {
        if (Status loaded = update.load(); !loaded) return loaded;
    }
    (void)session.finish(job);
    const SyncReport& report = job.report;
    if (report.failure == SyncFailure::Unauthorised) {
        // Nothing was done: the refusal alone says what to do.
        if (password.empty())
            return Status::failure(
                FailureKind::Read, request.url,
                fillIn(_("the server wants a password and none was given: use %s, set %s, or "
                         "save it for this address and user in the window's account settings"),
                       {"--password-file FILE", kPasswordVariable}));
        return job.status;
    }
    printReport(context, report, request.dryRun, !job.status);
    if (request.dryRun) return job.status;
    // What was done before a failure is kept on both sides, so that the next sync goes on
    // from there; the state follows once the document holds what it describes.
    if (update.document().isModified()) {
        if (Status saved = update.save(); !saved) return saved;
        session.documentSaved();
    }
    if (Status written = session.takeWriteFailure(); !written) return written;
    return job.status;
}

const std::array<CliCommand, 1> kCommands = {{{"sync", kSyncUsage, kSyncSummary, runSync}}};

}  // namespace

std::span<const CliCommand> syncCommands() {
    return kCommands;
}
