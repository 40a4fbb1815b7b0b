// Times one reminder tick over a document of 100,000 appointments against a yardstick in
// the same run: a bare walk over the same appointments reading one field each, the least
// any pass over every appointment must do. The tick looks only at the alarm index; the
// index's rebuild (paid with each change) and the tick without an index are shown beside.
//   reminder_bench [appointments]

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "BestSeconds.h"
#include "docfile/DocumentGenerator.h"
#include "organizer/AlarmIndex.h"
#include "organizer/Reminders.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"

namespace {

constexpr int kRuns = 20;

// The best processor time of the runs: on a machine shared with other work, the wall
// clock also counts the time others had the processor.
template <class Work>
double bestCpuSeconds(Work work) {
    double best = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        timespec start{}, stop{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &start);
        work();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &stop);
        best = std::min(
            best, double(stop.tv_sec - start.tv_sec) + double(stop.tv_nsec - start.tv_nsec) * 1e-9);
    }
    return best;
}

void report(const char* what, double wall, double cpu, double walkWall, double walkCpu) {
    std::printf("%-22s %10.3f %10.3f %10.4f %10.4f\n", what, wall * 1e3, cpu * 1e3, wall / walkWall,
                cpu / walkCpu);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const FixedClock clock{LocalTime{2026, 12, 6, 10, 0, 0, 0}};
    PimDocument document(clock);
    generateDocument(document, count);
    const DateTime now = DateTime::now(clock);
    const FixedLocale locale;
    AlarmIndex index;
    index.rebuild(document);
    std::printf("%zu appointments, %zu with an alarm set\n", document.appointments().size(),
                index.size());

    // A tick a minute after the last, and the catch-up after opening, which looks back a day.
    const DateTime today = DateTime::today(clock);
    for (const DateTime since : {now - DateTimeSpan::fromParts(0, 0, 1, 0), DateTime()}) {
        size_t seen = 0;
        const auto walk = [&] {
            for (const auto& [id, appointment] : document.appointments())
                seen += appointment.DueDate >= today;
        };
        size_t due = 0;
        const auto tick = [&] { due = index.dueReminders(document, since, now, locale).size(); };
        const auto fullTick = [&] { due = dueReminders(document, since, now, locale).size(); };
        const auto rebuild = [&] { index.rebuild(document); };
        const double walkWall = bestSeconds([&](int) { walk(); }, kRuns);
        const double walkCpu = bestCpuSeconds(walk);

        std::printf("\n%s\n%-22s %10s %10s %10s %10s\n",
                    since.isNull() ? "catch-up" : "a minute after the last tick", "", "ms",
                    "cpu ms", "ratio", "cpu ratio");
        report("walk (yardstick)", walkWall, walkCpu, walkWall, walkCpu);
        report("tick", bestSeconds([&](int) { tick(); }, kRuns), bestCpuSeconds(tick), walkWall,
               walkCpu);
        report("tick without index", bestSeconds([&](int) { fullTick(); }, kRuns),
               bestCpuSeconds(fullTick), walkWall, walkCpu);
        report("index rebuild", bestSeconds([&](int) { rebuild(); }, kRuns),
               bestCpuSeconds(rebuild), walkWall, walkCpu);
        // The counts are printed so that no timed work can be left out.
        std::printf("%zu due; the walk saw %zu\n", due, seen);
    }
    return 0;
}
