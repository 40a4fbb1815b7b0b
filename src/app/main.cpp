#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QSessionManager>
#include <QTranslator>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/ui/ExchangeController.h"
#include "fileio/UserFolders.h"
#include "organizer/ui/OrganizerView.h"
#include "platform/Clock.h"
#include "platform/Translate.h"
#include "platform/UserLanguage.h"
#include "platform/qt/DesktopContactLauncher.h"
#include "platform/qt/IniSettingsStore.h"
#include "platform/qt/QtLocale.h"
#include "platform/qt/QtUserPrompts.h"
#include "reports/ui/ReportController.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/WaitCursorStorage.h"
#include "sync/ui/SyncController.h"
#include "textio/ui/TextTransferController.h"
#include "workspace/DocFileStorage.h"
#include "workspace/Workspace.h"
#include "workspace/ui/DocumentFolder.h"

namespace {

constexpr const char* kSynopsis = "quillmate [--help | --version] [--] [FILE...]";
constexpr const char* kHelp =
    N_("Personal organizer: address book, tasks and appointments in one document (.pgr).\n"
       "Opens each FILE given; with none, the last document when \"Open Last File On Start\"\n"
       "is set, else a new one.\n"
       "\n"
       "Options:\n"
       "  --help     print this help and exit\n"
       "  --version  print the version and exit\n"
       "  --         every argument after it is a FILE, even one starting with \"--\"\n"
       "\n"
       "Environment:\n"
       "  QUILLMATE_NO_SPLASH=1  skip the splash window\n");

// Qt's own texts (the buttons of its dialogs) in the user's language, where the
// desktop has Qt's translations installed.
void loadQtTranslations(QApplication& app) {
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtbase);
}

// Answers --help and --version before Qt starts, so that they need no display and never
// open a window. Returns whether one was answered.
bool answeredInfoOption(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--") return false;
        if (argument == "--help") {
            std::fputs((fillIn(_("usage: %s"), {kSynopsis}) + "\n\n").c_str(), stdout);
            std::fputs(_(kHelp), stdout);
            return true;
        }
        if (argument == "--version") {
            std::printf("quillmate %s\n", QUILLMATE_VERSION);
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    useUserLanguage(QUILLMATE_LOCALE_DIR);
    if (answeredInfoOption(argc, argv)) return std::fflush(stdout) == 0 ? 0 : 1;
    QApplication app(argc, argv);
    useUserLanguageAgain();  // Qt has just set the locale from the environment
    loadQtTranslations(app);
    QApplication::setApplicationName(QStringLiteral("Quillmate"));
    QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMATE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillmate"));

    // Each argument is one document path, byte for byte as the shell passed it; a first
    // "--" only ends the options.
    std::vector<std::string> documents;
    const QStringList arguments = QApplication::arguments();
    bool optionsEnded = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!optionsEnded && arguments[i] == QStringLiteral("--")) {
            optionsEnded = true;
            continue;
        }
        documents.push_back(QFile::encodeName(arguments[i]).toStdString());
    }

    SystemClock clock;
    QtLocale locale;
    IniSettingsStore settings;
    QtUserPrompts prompts;
    DocFileStorage files;
    // Earlier versions are the user's data, kept apart from any one program's state.
    const RotatingBackups backups(userDataFolder() + "/backups", [&settings] {
        return DocumentSettings(settings).readBackupsKept();
    });
    files.keepBackups(backups);
    WaitCursorStorage storage(files);
    Workspace workspace(clock, storage, prompts, settings);
    // Recovery copies are state, not documents: only the next run of this program reads
    // them, so they go under the state folder rather than beside the user's files.
    workspace.keepRecoveryCopiesIn(userStateFolder() + "/recovery");
    workspace.setBackups(backups);
    ShellSettings windowSettings(settings);
    DesktopContactLauncher launcher;
    MainFrame frame(workspace, windowSettings, prompts);
    // The views and tools are owned by the frame.
    auto* organizer =
        new OrganizerView(workspace, frame, settings, locale, prompts, launcher);
    prompts.setOwner(&frame);
    prompts.setStartFolder([&workspace] {
        return QFile::encodeName(documentDialogFolder(workspace.document())).toStdString();
    });
    new ReportController(workspace, frame, prompts, locale, clock,
                         [organizer] { return organizer->shownGroup(); });
    new TextTransferController(workspace, frame, prompts, locale);
    new ExchangeController(workspace, frame, prompts, locale);
    new SyncController(workspace, frame, prompts, settings, clock);

    // Logging out runs the same close sequence as closing the window. The save question
    // may only be asked while the session manager grants interaction; without it, unsaved
    // changes stop the logout rather than vanish with it.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frame,
                     [&frame, &workspace](QSessionManager& manager) {
                         if (!workspace.document().isModified()) {
                             frame.close();
                         } else if (manager.allowsInteraction()) {
                             const bool closed = frame.close();
                             manager.release();
                             if (!closed) manager.cancel();
                         } else {
                             manager.cancel();
                         }
                     });

    // QUILLMATE_NO_SPLASH=1 skips the three-second splash window (tests, scripts).
    const bool splash = qEnvironmentVariableIntValue("QUILLMATE_NO_SPLASH") == 0;
    frame.openStartupDocument(documents, splash);
    frame.showWithStoredPlacement();
    const int code = QApplication::exec();
    // The window has closed, after the last save: the end of the process takes back the
    // memory of the records at once, which freeing them one by one would only delay.
    workspace.leaveRecordsToExit();
    return code;
}
