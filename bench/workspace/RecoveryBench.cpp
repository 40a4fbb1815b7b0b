// Times writing the recovery copy of a large document (by default 100,000 persons, tasks
// and appointments), and a save that keeps the version it replaces, against a plain save
// of the same document, the yardstick: all write the same records, flushed to disk.
//   recovery_bench [records] [folder]

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "BestSeconds.h"
#include "docfile/DocumentFile.h"
#include "docfile/DocumentGenerator.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "workspace/DocFileStorage.h"
#include "workspace/RecoveryCopies.h"

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const std::string folder = argc > 2 ? argv[2] : "recovery-bench";
    std::filesystem::create_directories(folder);
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument document(clock);
    generateDocument(document, count);
    document.setPath(folder + "/home.pgr");

    RecoveryCopies copies(folder + "/recovery");
    const double save = bestSeconds(
        [&](int) {
            if (!saveDocument(document, document.path())) std::abort();
        },
        5);
    const double copy = bestSeconds(
        [&](int) {
            if (!copies.keep(document, std::nullopt)) std::abort();
        },
        5);
    copies.drop();
    // A save through the storage that keeps the version it replaces.
    DocFileStorage storage;
    storage.keepBackups(RotatingBackups(folder + "/backups", [] { return 3; }));
    const double kept = bestSeconds(
        [&](int) {
            if (!storage.save(document, document.path(), SaveMode::Overwrite)) std::abort();
        },
        5);
    std::printf(
        "%zu of each: save %.1f ms, recovery copy %.1f ms (ratio %.2f), "
        "save keeping the earlier version %.1f ms (ratio %.2f)\n",
        count, save * 1e3, copy * 1e3, copy / save, kept * 1e3, kept / save);
    std::filesystem::remove_all(folder);
}
