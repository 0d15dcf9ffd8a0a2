// The cost of a level start: single levels, and the median and worst start over levels 1 to 99;
// classic puzzles: making one per grade, and the level start that takes it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "cputime.h"
#include "players/settings.h"
#include "sudoku/board.h"
#include "sudoku/classic.h"

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

// Resident memory of the process in kilobytes.
static long residentkb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

// Making a classic puzzle of a grade, as the background does: median and worst in milliseconds of
// processor time, and the resident memory the first puzzles added.
static void BM_ClassicMake(benchmark::State& state) {
    const long before = residentkb();
    std::vector<double> micros;
    unsigned seed = 1;
    for (auto _ : state) {
        const double start = threadmicros();
        benchmark::DoNotOptimize(classicbase(static_cast<ClassicGrade>(state.range(0)), seed++));
        micros.push_back(threadmicros() - start);
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_ms"] = micros[micros.size() / 2] / 1000;
    state.counters["worst_ms"] = micros.back() / 1000;
    state.counters["rss_added_kb"] = static_cast<double>(residentkb() - before);
}
BENCHMARK(BM_ClassicMake)
    ->DenseRange(GRADE_SIMPLE, GRADE_EXPERT)
    ->Iterations(40)
    ->Unit(benchmark::kMillisecond);

// A classic level start as the player meets it: the level is played (here: a pause) while the
// background makes the next puzzle, then the level starts. Median and worst in microseconds of
// real time, waiting included.
static void BM_ClassicLevelStart(benchmark::State& state) {
    puzzle_mode = PUZZLES_CLASSIC;
    level = static_cast<int32_t>(state.range(0));
    game_StartLevel(); // the first start of the mode waits for its puzzle
    std::vector<double> micros;
    for (auto _ : state) {
        state.PauseTiming();
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        state.ResumeTiming();
        const auto start = std::chrono::steady_clock::now();
        game_StartLevel();
        micros.push_back(
            std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                .count());
    }
    puzzle_mode = PUZZLES_DESIGNED;
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["worst_us"] = micros.back();
}
BENCHMARK(BM_ClassicLevelStart)
    ->Arg(1)
    ->Arg(30)
    ->Arg(60)
    ->Arg(90)
    ->Iterations(12)
    ->UseRealTime()
    ->Unit(benchmark::kMicrosecond);
