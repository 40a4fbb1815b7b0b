// Times delimited text export and import of 1,000, 10,000 and 100,000 records of each
// kind. Each figure is the best of three runs; files go to the temporary directory.
// "text" builds the export in memory, "export" also writes it atomically (with fsync),
// "import" reads, decodes and adds every record to an empty document.
//   textio_bench [records...]

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BestSeconds.h"
#include "TransferRecords.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "support/RecordingJournal.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
const FixedLocale kLocale;

void fill(PimDocument& doc, TransferKind kind, int count) {
    PimContents contents;
    addTransferRecords(contents, kind, count);
    doc.adoptContents(std::move(contents));
}

const char* kindName(TransferKind kind) {
    return kind == TransferKind::Persons ? "persons"
           : kind == TransferKind::Tasks ? "tasks"
                                         : "appointments";
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {1000, 10000, 100000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(std::atoi(argv[i]));
    }
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("textio-bench-" + std::to_string(getpid()) + ".csv"))
                                 .string();
    std::printf("%-13s %8s %8s %10s %10s %10s %10s\n", "kind", "records", "file MB", "text s",
                "export s", "import s", "undo s");
    for (const TransferKind kind :
         {TransferKind::Persons, TransferKind::Tasks, TransferKind::Appointments}) {
        for (const int count : sizes) {
            PimDocument source(kClock);
            fill(source, kind, count);
            TextTransferSpec out = makeExportSpec(kind);
            out.columnFields = out.fieldNames;
            out.firstLineHasNames = true;
            out.separator = ",";
            out.encloser = "\"";
            out.fileName = path;
            const double textSeconds =
                bestSeconds([&](int) { (void)exportText(kind, source, out, kLocale).size(); });
            const double exportSeconds = bestSeconds([&](int) {
                if (!exportFile(kind, source, out, kLocale).status) std::abort();
            });

            TextTransferSpec in = makeImportSpec(kind);
            in.columnFields = exportFieldNames(kind);
            in.columnCount = static_cast<int32_t>(in.columnFields.size());
            in.firstLineHasNames = true;
            in.separator = ",";
            in.encloser = "\"";
            in.fileName = path;
            // Documents made and destroyed outside the timing: freeing is not importing.
            std::vector<std::unique_ptr<PimDocument>> targets;
            std::vector<RecordingJournal> journals(3);
            for (int run = 0; run < 3; ++run) {
                targets.push_back(std::make_unique<PimDocument>(kClock));
                targets.back()->setJournal(&journals[size_t(run)]);
            }
            const double importSeconds = bestSeconds([&](int run) {
                if (importFile(kind, *targets[size_t(run)], in, kLocale).added != count)
                    std::abort();
            });
            // Undoing the import: its reversal names the records, which go back out of the
            // document into the journal (freed outside the timing).
            const double undoSeconds = bestSeconds([&](int run) {
                PimDocument& target = *targets[size_t(run)];
                target.apply(std::move(*journals[size_t(run)].last));
                if (target.persons().size() + target.tasks().size() +
                        target.appointments().size() !=
                    0)
                    std::abort();
            });
            std::printf("%-13s %8d %8.2f %10.4f %10.4f %10.4f %10.4f\n", kindName(kind), count,
                        double(std::filesystem::file_size(path)) / 1e6, textSeconds, exportSeconds,
                        importSeconds, undoSeconds);
        }
    }
    std::filesystem::remove(path);
    return 0;
}
