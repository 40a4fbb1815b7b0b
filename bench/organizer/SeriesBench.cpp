// What 10,000 series cost a large document: the 100,000-of-each document is measured
// without series and with them (mixed rules, some with 100 exceptions), in one run, for
// its load, one day's lists and one reminder tick. Ratios are with-series over without.
//   series_bench [count] [series]

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "docfile/DocumentFile.h"
#include "docfile/DocumentGenerator.h"
#include "organizer/AlarmIndex.h"
#include "organizer/DayView.h"
#include "organizer/SeriesGenerator.h"
#include "platform/Clock.h"
#include "records/DocumentDoor.h"
#include "records/PimDocument.h"
#include "support/FixedLocale.h"

namespace {

constexpr int kRuns = 7;

double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

// The best processor time of two steps taken in turns, so that a busy moment of a shared
// machine does not fall on one of them alone.
template <class A, class B>
std::pair<double, double> bestOfTurns(const A& a, const B& b) {
    double bestA = 1e300, bestB = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        double start = cpuMs();
        a();
        bestA = std::min(bestA, cpuMs() - start);
        start = cpuMs();
        b();
        bestB = std::min(bestB, cpuMs() - start);
    }
    return {bestA, bestB};
}

DateTime at(int y, int mo, int d, int h = 0, int mi = 0) {
    return DateTime::fromFields(y, mo, d, h, mi);
}

void row(const char* what, std::pair<double, double> ms) {
    std::printf("%-18s %10.2f %10.2f %8.2fx\n", what, ms.first, ms.second, ms.second / ms.first);
}

}  // namespace

int main(int argc, char** argv) {
    const size_t count = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 100000;
    const size_t seriesCount = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 10000;
    const FixedClock clock{LocalTime{2026, 12, 7, 10, 0, 0, 0}};
    const std::string dir =
        std::filesystem::temp_directory_path() / ("series_bench." + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string plainPath = dir + "/plain.pgr", seriesPath = dir + "/series.pgr";

    PimDocument plain(clock), withSeries(clock);
    generateDocument(plain, count);
    generateDocument(withSeries, count);
    withSeries.addMany(makeSeries(seriesCount));
    if (!saveDocument(plain, plainPath) || !saveDocument(withSeries, seriesPath)) return 1;
    std::printf("%zu of each; %zu series; files %.1f MB and %.1f MB\n", count, seriesCount,
                double(std::filesystem::file_size(plainPath)) / 1e6,
                double(std::filesystem::file_size(seriesPath)) / 1e6);
    std::printf("%-18s %10s %10s %9s\n", "", "plain ms", "series ms", "ratio");

    row("load", bestOfTurns(
                    [&] {
                        PimDocument d(clock);
                        if (!loadDocument(d, plainPath)) std::abort();
                        d.leaveRecordsToExit();
                    },
                    [&] {
                        PimDocument d(clock);
                        if (!loadDocument(d, seriesPath)) std::abort();
                        d.leaveRecordsToExit();
                    }));

    DocumentDoor plainDoor(plain, nullptr), seriesDoor(withSeries, nullptr);
    DayView plainDay(plainDoor), seriesDay(seriesDoor);
    for (const DateTime day : {DateTime::today(clock), at(2027, 3, 1)}) {
        const std::string name = "day " + day.format("%Y-%m-%d");
        row(name.c_str(),
            bestOfTurns([&] { plainDay.showDate(day); }, [&] { seriesDay.showDate(day); }));
    }

    AlarmIndex plainIndex, seriesIndex;
    row("index rebuild",
        bestOfTurns([&] { plainIndex.rebuild(plain); }, [&] { seriesIndex.rebuild(withSeries); }));
    const FixedLocale locale;
    // A tick a minute, each following the last as the window's do: before the day's alarms,
    // at 10:00 while the morning's occurrences are ringing (each ringing reminder is work of
    // its own, its text), and when every ringing occurrence has been turned off.
    const auto ticks = [&](const char* name, DateTime from) {
        DateTime plainLast = from, seriesLast = from;
        size_t plainDue = 0, seriesDue = 0;
        const DateTimeSpan minute(1.0 / 1440);
        row(name, bestOfTurns(
                      [&] {
                          plainDue =
                              plainIndex.dueReminders(plain, plainLast, plainLast + minute, locale)
                                  .size();
                          plainLast = plainLast + minute;
                      },
                      [&] {
                          seriesDue =
                              seriesIndex
                                  .dueReminders(withSeries, seriesLast, seriesLast + minute, locale)
                                  .size();
                          seriesLast = seriesLast + minute;
                      }));
        std::printf("%-18s %10zu %10zu\n", "  reminders due", plainDue, seriesDue);
    };
    ticks("ticks from 06:00", at(2026, 12, 7, 6));
    ticks("ticks from 10:00", at(2026, 12, 7, 10));

    const DateTime later = at(2026, 12, 7, 10, 30);
    std::vector<Appointment> quiet;
    for (const auto& [id, appointment] : withSeries.appointments()) {
        if (!appointment.repeats()) continue;
        quiet.push_back(appointment);
        quiet.back().schedule.edit().remindedUntil = later;
    }
    for (Appointment& appointment : quiet)
        withSeries.replace(std::move(appointment));
    seriesIndex.rebuild(withSeries);
    ticks("ticks, all rung", later);
    std::filesystem::remove_all(dir);
    plain.leaveRecordsToExit();
    withSeries.leaveRecordsToExit();
    return 0;
}
