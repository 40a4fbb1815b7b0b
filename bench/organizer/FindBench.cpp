// Times Edit > Find over the 100,000-of-each document with 10,000 series: each keystroke of
// words typed and taken back, as the window searches after it (narrowing what the key
// before found, when it can), against a bare scan of the same texts (every text of every
// record visited and searched for the text as typed, without folding: the least any search
// of them must do), in turns, in one run. "first" is the time until the window can show a
// screenful of rows, texts and dates made; "all" until the last record is found.
//   find_bench [count] [series]

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "docfile/DocumentGenerator.h"
#include "organizer/FoundRow.h"
#include "organizer/RecordSearch.h"
#include "organizer/SeriesGenerator.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

namespace {

constexpr int kRuns = 5;
// What the window looks through between two paints, and the rows it shows at first.
constexpr size_t kSliceBytes = size_t{2} << 20;
constexpr size_t kScreenful = 30;

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The records holding `typed` as it stands, found by visiting each.
size_t bareScan(const PimDocument& document, std::string_view typed) {
    size_t found = 0;
    for (const auto& [id, person] : document.persons()) {
        for (const std::string_view text : person.texts()) {
            if (text.find(typed) != std::string_view::npos) {
                ++found;
                break;
            }
        }
    }
    for (const auto& [id, appointment] : document.appointments()) {
        bool hit = appointment.Description.find(typed) != std::string::npos;
        for (const ChangedOccurrence& change : appointment.schedule.get().changed)
            hit = hit || change.description.find(typed) != std::string::npos;
        found += hit;
    }
    for (const auto& [id, task] : document.tasks())
        found += task.Description.find(typed) != std::string::npos;
    return found;
}

struct Keystroke {
    double first = 0;  // ms until a screenful is shown
    double all = 0;    // ms until the last record is found
};

// One keystroke as the window takes it: the search, a slice at a time, and the texts of
// the rows shown first.
Keystroke type(const PimDocument& document, RecordSearch& search, const std::string& typed) {
    Keystroke took;
    const double start = cpuMs();
    search.start(typed);
    bool shown = false;
    while (!search.done()) {
        search.more(kSliceBytes);
        if (!shown && (search.results().size() >= kScreenful || search.done())) {
            const size_t rows = std::min(kScreenful, search.results().size());
            for (size_t i = 0; i < rows; ++i)
                (void)foundRow(document, search.results()[i], search.filter());
            took.first = cpuMs() - start;
            shown = true;
        }
    }
    took.all = cpuMs() - start;
    if (!shown) took.first = took.all;
    return took;
}

}  // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const size_t seriesCount = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
    const FixedClock clock{LocalTime{2026, 12, 7, 10, 0, 0, 0}};
    PimDocument document(clock);
    generateDocument(document, count);
    document.addMany(makeSeries(seriesCount));

    RecordSearch search(document);
    double index = 1e300;
    for (int run = 0; run < 3; ++run) {
        search.release();
        const double start = cpuMs();
        while (!search.prepare(kSliceBytes)) {
        }
        index = std::min(index, cpuMs() - start);
    }
    FindIndex held;
    held.build(document);
    std::printf(
        "%zu of each, %zu series; index of %.1f MB made in %.1f ms (once a change, in slices)\n",
        count, seriesCount, double(held.text().size()) / 1e6, index);
    held.clear();
    std::printf("%-14s %9s %9s %9s %8s %9s\n", "typed", "first ms", "all ms", "bare ms", "ratio",
                "found");

    const std::vector<std::string> keys = {
        "d",        "de",   "den",    "dent",   "denti",  "dentis", "dentist", "",      "m",
        "mu",       "mul",  "mull",   "mulle",  "muller", "mulle",  "",        "5",     "55",
        "555",      "5551", "",       "s",      "se",     "ser",    "seri",    "serie", "series",
        "series 1", "",     "krakow", "KRAKOW", "",       "zzz"};
    double worst = 0, worstFirst = 0, firstMax = 0;
    std::string previous;
    for (const std::string& typed : keys) {
        if (typed.empty()) {
            previous.clear();
            continue;
        }
        Keystroke best{1e300, 1e300};
        double bare = 1e300;
        size_t bareFound = 0;
        for (int run = 0; run < kRuns; ++run) {
            // The key before, found in full, as the window has it when the key comes.
            search.start(previous);
            search.finish();
            const Keystroke took = type(document, search, typed);
            best.first = std::min(best.first, took.first);
            best.all = std::min(best.all, took.all);
            const double start = cpuMs();
            bareFound = bareScan(document, typed);
            bare = std::min(bare, cpuMs() - start);
        }
        std::printf("%-14s %9.2f %9.2f %9.2f %7.2fx %9zu   (bare: %zu)\n", typed.c_str(),
                    best.first, best.all, bare, best.all / bare, search.results().size(),
                    bareFound);
        worst = std::max(worst, best.all / bare);
        worstFirst = std::max(worstFirst, best.first / bare);
        firstMax = std::max(firstMax, best.first);
        previous = typed;
    }
    std::printf("worst keystroke, all found, against the bare scan: %.2fx\n", worst);
    std::printf("worst keystroke, first screenful: %.2f ms (%.2fx the bare scan)\n", firstMax,
                worstFirst);
    document.leaveRecordsToExit();
    return 0;
}
