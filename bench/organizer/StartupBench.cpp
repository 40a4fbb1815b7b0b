// Times the main window from its creation to a window showing a 100,000-of-each document
// with its lists filled, against loading the same file alone, offscreen, and prints the
// median and the worst of the rounds: the first round meets fresh pages the median hides.
//   startup_bench [records] [rounds]

#include <QApplication>

#include <memory>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentGenerator.h"
#include "organizer/ui/OrganizerView.h"
#include "platform/Clock.h"
#include "platform/qt/DesktopContactLauncher.h"
#include "platform/qt/QtLocale.h"
#include "shell/ui/MainFrame.h"
#include "support/MemorySettingsStore.h"
#include "workspace/DocFileStorage.h"
#include "workspace/Workspace.h"
#include "workspace/WorkspaceFakes.h"

namespace {

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void printSummary(const char* what, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    std::printf("%-22s median %8.1f ms  worst %8.1f ms\n", what, ms[ms.size() / 2], ms.back());
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const int rounds = std::max(argc > 2 ? std::atoi(argv[2]) : 15, 1);
    // The day before the generated records begin: no reminder is due, whose window
    // would wait for an answer.
    const FixedClock clock(LocalTime{2025, 12, 31, 12, 0});
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("startup-bench-" + std::to_string(getpid()) + ".pgr"))
                                 .string();
    // Made by a child process, so that the rounds start on a heap as fresh as a new
    // window's, not on the free lists the generated records leave.
    if (const pid_t maker = fork(); maker == 0) {
        PimDocument document(clock);
        generateDocument(document, count);
        _exit(saveDocument(document, path) ? 0 : 1);
    } else if (int status = 0; maker < 0 || waitpid(maker, &status, 0) != maker ||
                               !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::abort();
    }
    std::printf("%-10s %10s %10s %8s\n", "round", "window ms", "load ms", "ratio");
    std::vector<double> windows, loads, beyond;
    for (int round = 1; round <= rounds; ++round) {
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
        ShellSettings windowSettings(settings);
        DesktopContactLauncher launcher;
        auto frame = std::make_unique<MainFrame>(workspace, windowSettings, prompts);
        new OrganizerView(workspace, *frame, settings, locale, prompts, launcher);
        frame->openStartupDocument({path}, false);
        frame->show();
        QApplication::processEvents();
        const double window = secondsSince(start);
        if (workspace.document().tasks().size() != count) std::abort();
        std::printf("%-10d %10.1f %10.1f %8.2f\n", round, window * 1e3, load * 1e3, window / load);
        windows.push_back(window * 1e3);
        loads.push_back(load * 1e3);
        beyond.push_back((window - load) * 1e3);
    }
    printSummary("window", windows);
    printSummary("load alone", loads);
    printSummary("window beyond load", beyond);
    std::filesystem::remove(path);
    return 0;
}
