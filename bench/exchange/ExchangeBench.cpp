// Times vCard and iCalendar import and export of 100,000 records (or the counts given), each
// beside the delimited text import of the same records, which is the yardstick: the ratio is
// the exchange format's time over the yardstick's. Each figure is the best of three runs;
// texts are made in memory and read from memory, so the disk plays no part.
//   exchange_bench [records...]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "BestSeconds.h"
#include "TransferRecords.h"
#include "exchange/ICalExport.h"
#include "exchange/ICalImport.h"
#include "exchange/VCardExport.h"
#include "exchange/VCardImport.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"
#include "textio/TextExport.h"
#include "textio/TextImport.h"

namespace {

const FixedClock kClock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
const FixedLocale kLocale;

// The text benchmarks' persons, named for the list and one in ten filed in a group of its
// own kind, so that categories are written and read.
void fillPersons(PimDocument& doc, int count) {
    PimContents contents;
    contents.seedDefaultGroups();
    contents.phGroups.addNew(PhGroup{0, "Friends"});
    addTransferRecords(contents, TransferKind::Persons, count);
    for (int32_t id = 1; id <= count; ++id) {
        Person p = *contents.persons.find(id);
        p.setRName(p.displayName());
        p.PhGroups = id % 10 == 1 ? std::vector<int32_t>{4, 1} : std::vector<int32_t>{1};
        contents.persons.swap(p);
    }
    doc.adoptContents(std::move(contents));
}

void fillAppointments(PimDocument& doc, int count) {
    PimContents contents;
    addTransferRecords(contents, TransferKind::Appointments, count);
    doc.adoptContents(std::move(contents));
}

// Three empty documents to import into; made and freed outside the timing.
std::vector<std::unique_ptr<PimDocument>> targets(bool seeded) {
    std::vector<std::unique_ptr<PimDocument>> documents;
    for (int run = 0; run < 3; ++run) {
        documents.push_back(std::make_unique<PimDocument>(kClock));
        if (seeded) documents.back()->seedDefaultGroups();
    }
    return documents;
}

// The delimited text of every field of `kind`, and its import settings.
std::string csvOf(const PimDocument& doc, TransferKind kind, TextTransferSpec& in) {
    TextTransferSpec out = makeExportSpec(kind);
    out.columnFields = out.fieldNames;
    out.firstLineHasNames = true;
    out.separator = ",";
    out.encloser = "\"";
    in = makeImportSpec(kind);
    in.columnFields = exportFieldNames(kind);
    in.columnCount = static_cast<int32_t>(in.columnFields.size());
    in.firstLineHasNames = true;
    in.separator = ",";
    in.encloser = "\"";
    return exportText(kind, doc, out, kLocale);
}

void row(const char* what, int count, size_t bytes, double exportSeconds, double importSeconds,
         double yardstick) {
    std::printf("%-14s %8d %8.2f %10.4f %10.4f %10.4f %8.2f\n", what, count, double(bytes) / 1e6,
                exportSeconds, importSeconds, yardstick, importSeconds / yardstick);
}

void benchCards(int count) {
    PimDocument source(kClock);
    fillPersons(source, count);
    TextTransferSpec in;
    const std::string csv = csvOf(source, TransferKind::Persons, in);
    auto csvTargets = targets(false);
    const double yardstick = bestSeconds([&](int run) {
        if (importText(TransferKind::Persons, *csvTargets[size_t(run)], in, csv, kLocale).added !=
            count)
            std::abort();
    });
    for (const VCardVersion version : {VCardVersion::V3, VCardVersion::V4}) {
        std::string text;
        const double exportSeconds =
            bestSeconds([&](int) { text = vcardText(source, version, std::nullopt); });
        auto cardTargets = targets(true);
        const double importSeconds = bestSeconds([&](int run) {
            if (importVCardText(*cardTargets[size_t(run)], text).added != count) std::abort();
        });
        row(version == VCardVersion::V3 ? "vcard 3.0" : "vcard 4.0", count, text.size(),
            exportSeconds, importSeconds, yardstick);
    }
}

void benchCalendar(int count) {
    PimDocument source(kClock);
    fillAppointments(source, count);
    TextTransferSpec in;
    const std::string csv = csvOf(source, TransferKind::Appointments, in);
    auto csvTargets = targets(false);
    const double yardstick = bestSeconds([&](int run) {
        if (importText(TransferKind::Appointments, *csvTargets[size_t(run)], in, csv, kLocale)
                .added != count)
            std::abort();
    });
    std::string text;
    const double exportSeconds =
        bestSeconds([&](int) { text = icalendarText(source, CalendarParts::Appointments); });
    auto calendarTargets = targets(false);
    const double importSeconds = bestSeconds([&](int run) {
        if (importICalendarText(*calendarTargets[size_t(run)], text, CalendarParts::Appointments)
                .appointments != count)
            std::abort();
    });
    row("icalendar", count, text.size(), exportSeconds, importSeconds, yardstick);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes = {100000};
    if (argc > 1) {
        sizes.clear();
        for (int i = 1; i < argc; ++i)
            sizes.push_back(std::atoi(argv[i]));
    }
    std::printf("%-14s %8s %8s %10s %10s %10s %8s\n", "format", "records", "text MB", "export s",
                "import s", "csv imp s", "ratio");
    for (const int count : sizes)
        benchCards(count);
    for (const int count : sizes)
        benchCalendar(count);
    return 0;
}
