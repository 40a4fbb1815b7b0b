#include <QApplication>
#include <QFile>
#include <QSessionManager>

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/qt/IniSettingsStore.h"
#include "platform/qt/QtLocale.h"
#include "platform/qt/QtUserPrompts.h"
#include "shell/DocFileStorage.h"
#include "shell/ui/MainFrame.h"
#include "shell/ui/WaitCursorStorage.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quillmate"));
    QApplication::setOrganizationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationVersion(QStringLiteral(QUILLMATE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("quillmate"));

    // Each argument is one document path, byte for byte as the shell passed it.
    std::vector<std::string> documents;
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i)
        documents.push_back(QFile::encodeName(arguments[i]).toStdString());

    SystemClock clock;
    QtLocale locale;
    IniSettingsStore settings;
    QtUserPrompts prompts;
    DocFileStorage files;
    WaitCursorStorage storage(files);
    MainFrame frame(clock, storage, prompts, settings, locale);
    prompts.setOwner(&frame);

    // Logging out runs the same close sequence as closing the window. The save question
    // may only be asked while the session manager grants interaction; without it, unsaved
    // changes stop the logout rather than vanish with it.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &frame,
                     [&frame](QSessionManager& manager) {
                         if (!frame.document().isModified()) {
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
    return QApplication::exec();
}
