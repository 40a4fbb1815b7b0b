// Times the main window from its creation to a window showing a 100,000-of-each document
// with its lists filled, against loading the same file alone, offscreen.
//   startup_bench [records]

#include <QApplication>

#include <memory>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <unistd.h>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentGenerator.h"
#include "platform/Clock.h"
#include "platform/qt/QtLocale.h"
#include "shell/DocFileStorage.h"
#include "shell/ShellFakes.h"
#include "shell/ui/MainFrame.h"
#include "support/MemorySettingsStore.h"
#include "workspace/Workspace.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const SystemClock clock;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("startup-bench-" + std::to_string(getpid()) + ".pgr"))
                                 .string();
    {
        PimDocument document(clock);
        generateDocument(document, count);
        if (!saveDocument(document, path)) std::abort();
    }
    std::printf("%-10s %10s %10s %8s\n", "round", "window ms", "load ms", "ratio");
    for (int round = 1; round <= 3; ++round) {
        // Freeing the document is outside both timings.
        PimDocument alone(clock);
        const auto loadStart = std::chrono::steady_clock::now();
        if (!loadDocument(alone, path)) std::abort();
        const double load = secondsSince(loadStart);

        DocFileStorage storage;
        ScriptedPrompts prompts;
        MemorySettingsStore settings;
        const QtLocale locale;
        const auto start = std::chrono::steady_clock::now();
        Workspace workspace(clock, storage, prompts, settings);
        auto frame = std::make_unique<MainFrame>(workspace, prompts, locale);
        frame->openStartupDocument({path}, false);
        frame->show();
        QApplication::processEvents();
        const double window = secondsSince(start);
        if (frame->document().tasks().size() != count) std::abort();
        std::printf("%-10d %10.1f %10.1f %8.2f\n", round, window * 1e3, load * 1e3, window / load);
    }
    std::filesystem::remove(path);
    return 0;
}
