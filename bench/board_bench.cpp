// The cost of a level start: single levels, and the median and worst start over levels 1 to 99.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
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
// single start in microseconds.
static void BM_StartLevelSpread(benchmark::State& state) {
    std::vector<double> micros;
    for (auto _ : state) {
        for (level = 1; level <= 99; ++level) {
            const auto start = std::chrono::steady_clock::now();
            game_StartLevel();
            const auto end = std::chrono::steady_clock::now();
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["worst_us"] = micros.back();
}
BENCHMARK(BM_StartLevelSpread)->Unit(benchmark::kMillisecond);
