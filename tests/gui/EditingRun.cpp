// editing_run DOCUMENT RECOVERY_FOLDER LOG: a window that adds a task "edit N" every few
// milliseconds, saving every seventh, until killed. The log says what surely happened:
// "edit N", "kept N" (a recovery copy holds N edits on disk), "saving N"/"saved N".
#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>

#include "organizer/ui/OrganizerView.h"
#include "platform/Clock.h"
#include "platform/qt/DesktopContactLauncher.h"
#include "platform/qt/QtLocale.h"
#include "shell/ui/MainFrame.h"
#include "support/MemorySettingsStore.h"
#include "workspace/DocFileStorage.h"
#include "workspace/Workspace.h"
#include "workspace/WorkspaceFakes.h"

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fputs("usage: editing_run DOCUMENT RECOVERY_FOLDER LOG\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::FILE* log = std::fopen(argv[3], "w");
    if (log == nullptr) return 1;
    // Unbuffered: a line written is in the file when the process is killed.
    std::setvbuf(log, nullptr, _IONBF, 0);

    SystemClock clock;
    QtLocale locale{QLocale(QLocale::English, QLocale::UnitedStates)};
    MemorySettingsStore settings;
    ScriptedPrompts prompts;
    DocFileStorage storage;
    Workspace workspace(clock, storage, prompts, settings);
    workspace.keepRecoveryCopiesIn(argv[2]);
    ShellSettings windowSettings(settings);
    DesktopContactLauncher launcher;
    MainFrame frame(workspace, windowSettings, prompts);
    new OrganizerView(workspace, frame, settings, locale, prompts, launcher);
    frame.setRecoveryDelay(30);
    frame.openStartupDocument({argv[1]}, false);

    int edits = 0;
    int idle = 0;
    size_t copies = 0;
    QTimer editing;
    QObject::connect(&editing, &QTimer::timeout, [&] {
        // A copy is counted once it holds every edit there is: one counted since the last
        // edit holds them all.
        if (workspace.recoveryCopiesWritten() != copies) {
            copies = workspace.recoveryCopiesWritten();
            std::fprintf(log, "kept %d\n", edits);
        }
        // Copies are written on a thread of their own: a pause now and then lets one catch up.
        if (idle > 0) {
            --idle;
            return;
        }
        if (edits % 10 == 9) idle = 40;
        Task task = Task::createdAt(DateTime::now(clock));
        task.Description = "edit " + std::to_string(++edits);
        workspace.runStep(UndoStep::AddTask, [&](PimDocument& document) { document.add(task); });
        std::fprintf(log, "edit %d\n", edits);
        if (edits % 7 == 0) {
            std::fprintf(log, "saving %d\n", edits);
            workspace.save();
            if (!workspace.document().isModified()) std::fprintf(log, "saved %d\n", edits);
        }
    });
    editing.start(4);
    return QApplication::exec();
}
