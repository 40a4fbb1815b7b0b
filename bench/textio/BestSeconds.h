#pragma once

#include <algorithm>
#include <chrono>

// The best time of `runs` runs of `work(run)`, in seconds; run counts from 0.
template <class Work>
double bestSeconds(Work work, int runs = 3) {
    double best = 1e9;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        work(run);
        const auto stop = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double>(stop - start).count());
    }
    return best;
}
