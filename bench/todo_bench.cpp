// The cost of sorting a full task list (999 tasks) and of one countdown of each repeat kind.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "platform/headless/headless.h"
#include "todo/dates.h"
#include "todo/tasks.h"

namespace {

constexpr platform::SYSTEMTIME NOW{2008, 5, 3, 14, 12, 0, 0, 0};

// 999 tasks of every kind over two years around now, newest first.
std::string taskfile() {
    std::string text = "Bench_t\r\n";
    uint64_t first = toticks(NOW) - 365 * TICKS_PER_DAY;
    for (int i = 0; i < 999; ++i) {
        platform::SYSTEMTIME w =
            fromticks(first + static_cast<uint64_t>(998 - i) * 73 * TICKS_PER_DAY / 100);
        char line[200];
        snprintf(line, sizeof line,
                 "TASK %d_x %d_D %d_M %d_Y %d_h %d_m 0_s %d_? 0_j 0_a 0_n 0_e 0_f|\r\n", i, w.wDay,
                 w.wMonth, w.wYear, w.wHour, w.wMinute, i % 6);
        text += line;
    }
    return text;
}

// Runs `body` inside a fresh temporary folder with the local time at NOW.
template <class Body> void infolder(Body body) {
    std::filesystem::path previous = std::filesystem::current_path();
    const std::string folder = platform::enter_temporary_folder("gridhollow-todo-bench");
    platform::headless::set_local_time(NOW);
    body();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(folder);
}

} // namespace

// Every task moves: the sort, the rewrite through "writting.txt" and the replacing rename.
static void BM_SortTasks999Reversed(benchmark::State& state) {
    const std::string text = taskfile();
    infolder([&] {
        for (auto _ : state) {
            state.PauseTiming();
            platform::file_write(TODO_FILE, text.data(), text.size());
            state.ResumeTiming();
            sorttasks();
        }
    });
}
BENCHMARK(BM_SortTasks999Reversed)->Unit(benchmark::kMicrosecond);

// Already in order: read, count down and sort, nothing written.
static void BM_SortTasks999InOrder(benchmark::State& state) {
    const std::string text = taskfile();
    infolder([&] {
        platform::file_write(TODO_FILE, text.data(), text.size());
        sorttasks();
        for (auto _ : state) sorttasks();
    });
}
BENCHMARK(BM_SortTasks999InOrder)->Unit(benchmark::kMicrosecond);

static void BM_Countdown(benchmark::State& state) {
    const int kind = static_cast<int>(state.range(0));
    const platform::SYSTEMTIME when{2006, 1, 0, 31, 9, 30, 0, 0};
    for (auto _ : state) {
        platform::SYSTEMTIME w = when;
        benchmark::DoNotOptimize(countdown(w, kind, NOW));
    }
    state.SetLabel(repeatlabel(kind));
}
BENCHMARK(BM_Countdown)->DenseRange(REPEAT_NORMAL, REPEAT_YEARLY);
