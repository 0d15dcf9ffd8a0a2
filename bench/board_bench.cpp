// The cost of a level start: single levels, and the median and worst start over levels 1 to 99.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "sudoku/board.h"

static void BM_StartLevel(benchmark::State& state) {
    level = static_cast<int32_t>(state.range(0));
    for (auto _ : state) {
        game_StartLevel();
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(BM_StartLevel)->Arg(1)->Arg(50)->Arg(99)->Unit(benchmark::kMicrosecond);

// Each iteration starts every level from 1 to 99 once; the counters give the median and the worst
// single start in microseconds of the thread's own processor time, so that another process taking
// the processor does not count.
static double threadmicros() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

static void BM_StartLevelSpread(benchmark::State& state) {
    std::vector<double> micros;
    for (auto _ : state) {
        for (level = 1; level <= 99; ++level) {
            const double start = threadmicros();
            game_StartLevel();
            micros.push_back(threadmicros() - start);
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["worst_us"] = micros.back();
}
BENCHMARK(BM_StartLevelSpread)->Unit(benchmark::kMillisecond);
