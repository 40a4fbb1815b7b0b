// Times the day view's refill with 100,000 tasks and 100,000 appointments in the document,
// against a bare walk over the same records (the least any refill must do), and the undo
// of a 100,000-person import with the heap it takes, against the import itself.
//   organizer_bench [records]

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BestSeconds.h"
#include "docfile/DocumentGenerator.h"
#include "organizer/DayView.h"
#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "records/UndoHistory.h"
#include "support/FixedLocale.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};

size_t heapInUse() {
    return mallinfo2().uordblks;
}

}  // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    PimDocument document(kClock);
    generateDocument(document, count);
    DocumentDoor door(document, nullptr);
    DayView day(door);

    // The busiest day of the generated appointments, and today.
    std::printf("%-26s %10s %10s %8s\n", "refill", "ms", "walk ms", "ratio");
    for (const DateTime date :
         {DateTime::today(kClock), document.appointments().begin()->second.DueDate}) {
        day.showDate(date);
        const double refill = bestSeconds([&](int) { day.refill(); }, 5);
        size_t seen = 0;
        const double walk = bestSeconds(
            [&](int) {
                for (const auto& [id, task] : document.tasks())
                    seen += task.DueDate == date;
                for (const auto& [id, appointment] : document.appointments())
                    seen += appointment.DueDate == date;
            },
            5);
        // The walk's count is printed so that the walk cannot be left out.
        std::printf("%-26s %10.2f %10.2f %8.2f   (%zu task rows, %zu appointment rows, %zu due)\n",
                    date.format("%Y-%m-%d").c_str(), refill * 1e3, walk * 1e3, refill / walk,
                    day.taskRows().size(), day.appointmentRows().size(), seen / 5);
    }

    // Undo of an import of every person, with the heap each takes.
    const FixedLocale locale;
    TextTransferSpec out = makeExportSpec(TransferKind::Persons);
    out.columnFields = out.fieldNames;
    out.separator = ",";
    out.encloser = "\"";
    const std::string text = exportText(TransferKind::Persons, document, out, locale);
    TextTransferSpec in = makeImportSpec(TransferKind::Persons);
    in.columnFields = exportFieldNames(TransferKind::Persons);
    in.columnCount = static_cast<int32_t>(in.columnFields.size());
    in.separator = ",";
    in.encloser = "\"";

    PimDocument target(kClock);
    UndoHistory history(target);
    const size_t before = heapInUse();
    const auto importStart = std::chrono::steady_clock::now();
    if (importText(TransferKind::Persons, target, in, text, locale).added != int32_t(count))
        std::abort();
    const double importSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - importStart).count();
    const size_t afterImport = heapInUse();
    const auto undoStart = std::chrono::steady_clock::now();
    history.undo();
    const double undoSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - undoStart).count();
    const size_t afterUndo = heapInUse();
    if (!target.persons().empty()) std::abort();
    std::printf("\nimport of %zu persons: %.1f ms, heap +%.1f MB\n", count, importSeconds * 1e3,
                double(afterImport - before) / 1e6);
    std::printf("undo of that import:   %.1f ms, heap %+.1f MB (ratio to import time %.3f)\n",
                undoSeconds * 1e3, (double(afterUndo) - double(afterImport)) / 1e6,
                undoSeconds / importSeconds);
    return 0;
}
