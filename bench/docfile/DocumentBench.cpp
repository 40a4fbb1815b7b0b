// Measures loading and saving documents of 1k, 10k and 100k records of each kind.
//   document_bench [COUNT...]          the table (default counts 1000 10000 100000)
//   document_bench --load-peak FILE    (internal) loads FILE, prints the peak memory it took
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#ifdef QUILLMATE_BENCH_PUGIXML
#include "PugixmlWalk.h"
#endif

#include "DocumentGenerator.h"
#include "PlainWriter.h"
#include "docfile/DocumentFile.h"
#include "docfile/DocumentWriter.h"
#include "platform/Clock.h"
#include "records/PimDocument.h"

extern char** environ;

namespace {

constexpr int kRuns = 5;

// Processor time of this process, in milliseconds. The machine may be shared, and the
// processor time of a run suffers much less from that than its wall-clock time.
double cpuMs() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Times two steps taken in turns, so that a busy moment of a shared machine does not fall
// on one of them alone: the best of a few runs of each, in processor milliseconds. A step
// returns what it built, so that freeing it is not timed.
template <class StepA, class StepB>
std::pair<double, double> bestOfTurns(const StepA& a, const StepB& b) {
    double bestA = 1e300, bestB = 1e300;
    for (int i = 0; i < kRuns; ++i) {
        double start = cpuMs();
        {
            [[maybe_unused]] const auto result = a();
            bestA = std::min(bestA, cpuMs() - start);
        }
        start = cpuMs();
        [[maybe_unused]] const auto result = b();
        bestB = std::min(bestB, cpuMs() - start);
    }
    return {bestA, bestB};
}

// A value in kB from /proc/self/status ("VmRSS", "VmHWM").
long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key) + 1);
    }
    return -1;
}

// In a fresh process: the growth of resident memory from before the load to its peak.
int loadPeak(const char* path) {
    SystemClock clock;
    const long before = statusKb("VmRSS");
    PimDocument document(clock);
    if (!loadDocument(document, path)) return 1;
    std::printf("%ld\n", statusKb("VmHWM") - before);
    return 0;
}

double measurePeakMb(const std::string& path) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 1);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::string self = std::filesystem::read_symlink("/proc/self/exe");
    std::vector<char*> argv = {self.data(), const_cast<char*>("--load-peak"),
                               const_cast<char*>(path.c_str()), nullptr};
    pid_t pid;
    const int spawned = posix_spawn(&pid, self.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    char buffer[64] = {};
    const ssize_t n = spawned == 0 ? read(pipeFds[0], buffer, sizeof buffer - 1) : -1;
    close(pipeFds[0]);
    if (spawned == 0) waitpid(pid, nullptr, 0);
    return n > 0 ? std::atol(buffer) / 1024.0 : -1;
}

void benchmark(size_t count, const std::filesystem::path& dir) {
    SystemClock clock;
    PimDocument document(clock);
    generateDocument(document, count);
    const std::string path = dir / ("bench-" + std::to_string(count) + ".pgr");
    const std::string plainPath = dir / ("plain-" + std::to_string(count) + ".pgr");

    // Making the bytes alone: the sink takes each piece and keeps none.
    const auto [formatMs, unused] = bestOfTurns(
        [&] {
            size_t bytes = 0;
            (void)writeDocument(document, [&](std::string_view piece) {
                bytes += piece.size();
                return true;
            });
            return bytes;
        },
        [] { return 0; });
    const auto [saveMs, plainMs] = bestOfTurns(
        [&] {
            if (!saveDocument(document, path)) std::abort();
            return 0;
        },
        [&] {
            std::FILE* out = std::fopen(plainPath.c_str(), "wb");
            writePlainly(document, out);
            std::fflush(out);
            fsync(fileno(out));
            return std::fclose(out);
        });
    const double sizeMb = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    const bool same = formatDocument(document) == [&] {
        std::ifstream in(plainPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();

    const auto load = [&] {
        auto loaded = std::make_unique<PimDocument>(clock);
        if (!loadDocument(*loaded, path)) std::abort();
        return loaded;
    };
#ifdef QUILLMATE_BENCH_PUGIXML
    size_t sink = 0;
    const auto [loadMs, pugiMs] = bestOfTurns(load, [&] {
        auto xml = std::make_unique<pugi::xml_document>();
        if (!xml->load_file(path.c_str())) std::abort();
        sink += pugixmlWalk(*xml);
        return xml;
    });
    if (sink == 0) std::abort();
#else
    const auto [loadMs, unusedMs] = bestOfTurns(load, [] { return 0; });
    const double pugiMs = -1;
#endif
    const double peakMb = measurePeakMb(path);

    std::printf(
        "%7zu  %7.1f MB | save %7.1f ms (format %6.1f), plain %7.1f ms: x%.2f%s | load %7.1f ms "
        "(%5.0f MB/s, %6.2f us/record), pugixml %7.1f ms: x%.2f | peak %6.1f MB: x%.2f of file\n",
        count, sizeMb, saveMs, formatMs, plainMs, saveMs / plainMs, same ? "" : " (BYTES DIFFER)",
        loadMs, sizeMb / loadMs * 1000, loadMs * 1000 / (3.0 * count), pugiMs,
        pugiMs > 0 ? loadMs / pugiMs : 0, peakMb, peakMb / sizeMb);
    std::fflush(stdout);
    std::filesystem::remove(path);
    std::filesystem::remove(plainPath);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--load-peak") == 0) return loadPeak(argv[2]);
    std::vector<size_t> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::strtoul(argv[i], nullptr, 10));
    if (counts.empty()) counts = {1000, 10000, 100000};
    if (std::getenv("TZ") == nullptr) setenv("TZ", "Europe/Berlin", 1);
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    std::printf("records of each kind; processor time, best of %d runs taken in turns; TZ=%s\n",
                kRuns, std::getenv("TZ"));
    for (const size_t count : counts)
        benchmark(count, dir);
    return 0;
}
