// The logical stepper's next-step search, as a hint press makes it: 2000 qqwing Expert puzzles,
// each stepped to its end (its last search finds no step when it needs a guess). The counters
// give the median and the worst single search in microseconds of the thread's own processor
// time, and the allocations all the searches made.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "allocations.h"
#include "cputime.h"
#include "sudoku/classic.h"
#include "sudoku/logic.h"

namespace {

// The Expert puzzles, made once (it takes qqwing a minute or so).
const std::vector<LogicGrid>& expert_puzzles() {
    static const std::vector<LogicGrid> puzzles = [] {
        std::vector<LogicGrid> made;
        std::srand(31);
        while (made.size() < 2000) {
            int32_t puzzle[81], solution[81];
            qqwingpuzzle(puzzle, solution);
            if (gradepuzzle(puzzle) != GRADE_EXPERT) continue;
            uint8_t digits[81];
            std::copy(puzzle, puzzle + 81, digits);
            logic_start(digits, made.emplace_back());
        }
        return made;
    }();
    return puzzles;
}

} // namespace

static void BM_LogicNextStepSpread(benchmark::State& state) {
    const std::vector<LogicGrid>& puzzles = expert_puzzles();
    std::vector<double> micros;
    micros.reserve(puzzles.size() * 81);
    long allocations = 0;
    for (auto _ : state) {
        micros.clear();
        for (LogicGrid grid : puzzles)
            for (;;) {
                const long before = allocations_so_far();
                const double start = threadmicros();
                const LogicStep step = logic_next_step(grid);
                micros.push_back(threadmicros() - start);
                allocations += allocations_so_far() - before;
                if (step.technique == Technique::none || !logic_apply(grid, step)) break;
            }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["searches"] = static_cast<double>(micros.size());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["worst_us"] = micros.back();
    state.counters["allocations"] = static_cast<double>(allocations);
}
BENCHMARK(BM_LogicNextStepSpread)->Iterations(1)->Unit(benchmark::kMillisecond);
