// Classic puzzles from the qqwing library, graded per level and made ahead on a thread of their
// own.
#include "sudoku/classic.h"

#include <qqwing.hpp>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <future>
#include <mutex>
#include <system_error>

namespace {

// The levels of each grade and the most cells its first level gets beyond the base puzzle.
struct GradeLevels {
    int first, last, extra;
};
constexpr GradeLevels GRADE_LEVELS[GRADE_COUNT] = {
    {1, 20, 24}, {21, 45, 12}, {46, 75, 8}, {76, 99, 4}};

// The made puzzles and the thread that makes them, kept for the whole run; game_Reset forgets the
// made puzzles (classic_reset). The filler is declared last, so that at exit it is waited for
// before the rest goes.
struct ClassicBackground {
    std::mutex mutex;
    std::condition_variable made; // a puzzle was made
    ClassicBase stock[GRADE_COUNT];
    bool ready[GRADE_COUNT] = {};
    int wanted = -1;       // the grade a level start waits for, made first
    bool filling = false;  // the filler runs and will look for missing grades again
    bool stopping = false; // the filler ends after its current puzzle
    unsigned seeds = 0;    // puzzles seeded so far, a part of the next seed
    std::future<void> filler;

    // At exit the filler ends after its current puzzle, and is waited for.
    ~ClassicBackground() {
        std::lock_guard lock(mutex);
        stopping = true;
    }
};
ClassicBackground classic_background;

// A new seed for every puzzle of the run, different from run to run; the caller holds the mutex.
unsigned next_seed() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    return static_cast<unsigned>(now) ^ (++classic_background.seeds * 2654435761u);
}

// Makes puzzles for the missing grades, the wanted one first, until none is missing.
void fill_stock() {
    std::unique_lock lock(classic_background.mutex);
    for (;;) {
        int grade = classic_background.wanted;
        if (grade < 0 || classic_background.ready[grade])
            grade = static_cast<int>(
                std::find(classic_background.ready, classic_background.ready + GRADE_COUNT, false) -
                classic_background.ready);
        if (classic_background.stopping || grade == GRADE_COUNT) {
            classic_background.filling = false;
            return;
        }
        const unsigned seed = next_seed();
        lock.unlock();
        const ClassicBase base = classicbase(static_cast<ClassicGrade>(grade), seed);
        lock.lock();
        classic_background.stock[grade] = base;
        classic_background.ready[grade] = true;
        classic_background.made.notify_all();
    }
}

// Starts the filler unless it runs; the caller holds the mutex. Without a thread to be had,
// nothing is made ahead.
void start_filling() {
    if (classic_background.filling) return;
    try {
        classic_background.filler = std::async(std::launch::async, fill_stock);
        classic_background.filling = true;
    } catch (const std::system_error&) {
    }
}

// One draw of the C library's generator below n.
int draw_below(int n) {
    return std::rand() % n;
}

// The empty cells of a puzzle in a random order, into order; returns how many there are.
int shuffled_empty_cells(const int32_t* puzzle, int8_t* order) {
    int empty = 0;
    for (int i = 0; i < 81; ++i)
        if (puzzle[i] == 0) order[empty++] = static_cast<int8_t>(i);
    for (int i = empty - 1; i > 0; --i) std::swap(order[i], order[draw_below(i + 1)]);
    return empty;
}

} // namespace

void qqwingpuzzle(int32_t* puzzle, int32_t* solution) {
    qqwing::SudokuBoard maker;
    maker.generatePuzzle();
    std::copy(maker.getPuzzle(), maker.getPuzzle() + 81, puzzle);
    qqwing::SudokuBoard solver;
    int cells[81];
    std::copy(puzzle, puzzle + 81, cells);
    solver.setPuzzle(cells);
    solver.solve();
    std::copy(solver.getSolution(), solver.getSolution() + 81, solution);
}

ClassicGrade classicgrade(int lvl) {
    int grade = 0;
    while (grade + 1 < GRADE_COUNT && lvl > GRADE_LEVELS[grade].last) ++grade;
    return static_cast<ClassicGrade>(grade);
}

int gradepuzzle(const int32_t* puzzle) {
    int cells[81];
    std::copy(puzzle, puzzle + 81, cells);
    qqwing::SudokuBoard solver;
    solver.setRecordHistory(true);
    if (!solver.setPuzzle(cells) || !solver.solve()) return GRADE_COUNT;
    switch (solver.getDifficulty()) {
    case qqwing::SudokuBoard::SIMPLE:
        return GRADE_SIMPLE;
    case qqwing::SudokuBoard::EASY:
        return GRADE_EASY;
    case qqwing::SudokuBoard::INTERMEDIATE:
        return GRADE_INTERMEDIATE;
    case qqwing::SudokuBoard::EXPERT:
        return GRADE_EXPERT;
    default:
        return GRADE_COUNT;
    }
}

ClassicBase classicbase(ClassicGrade grade, unsigned seed) {
    std::srand(seed);
    ClassicBase base;
    for (;;) {
        qqwingpuzzle(base.puzzle, base.solution);
        // Cells are given back from the front of the empty ones in a random order.
        int8_t order[81];
        const int empty = shuffled_empty_cells(base.puzzle, order);

        // Down to the grade: a cell whose giving makes the puzzle too easy stays empty.
        int next = 0, now = gradepuzzle(base.puzzle);
        for (; next < empty && now > grade; ++next) {
            int32_t& cell = base.puzzle[order[next]];
            cell = base.solution[order[next]];
            const int given = gradepuzzle(base.puzzle);
            if (given < grade)
                cell = 0;
            else
                now = given;
        }
        if (now != grade) continue; // easier than the grade from the start: another puzzle

        // The cells that may be given beyond it, each keeping the grade with those before it.
        int32_t more[81];
        std::copy(base.puzzle, base.puzzle + 81, more);
        base.givable_count = 0;
        for (; next < empty && base.givable_count < GRADE_LEVELS[grade].extra; ++next) {
            const int i = order[next];
            more[i] = base.solution[i];
            if (gradepuzzle(more) == grade)
                base.givable[base.givable_count++] = static_cast<int8_t>(i);
            else
                more[i] = 0;
        }
        return base;
    }
}

void classicpuzzle(const ClassicBase& base, int lvl, int32_t* grid, int32_t* solution) {
    const GradeLevels& levels = GRADE_LEVELS[classicgrade(lvl)];
    const int place = std::clamp(lvl, levels.first, levels.last) - levels.first;
    const int extra =
        levels.extra * (levels.last - levels.first - place) / (levels.last - levels.first);
    std::copy(base.puzzle, base.puzzle + 81, grid);
    std::copy(base.solution, base.solution + 81, solution);
    for (int k = 0; k < std::min(extra, base.givable_count); ++k)
        grid[base.givable[k]] = base.solution[base.givable[k]];
}

void classic_stock() {
    std::lock_guard lock(classic_background.mutex);
    start_filling();
}

ClassicBase classic_take(int lvl) {
    const int grade = classicgrade(lvl);
    std::unique_lock lock(classic_background.mutex);
    classic_background.wanted = grade;
    start_filling();
    if (!classic_background.filling &&
        !classic_background.ready[grade]) { // no thread: made here and now
        classic_background.wanted = -1;
        const unsigned seed = next_seed();
        lock.unlock();
        return classicbase(static_cast<ClassicGrade>(grade), seed);
    }
    classic_background.made.wait(lock, [grade] { return classic_background.ready[grade]; });
    classic_background.ready[grade] = false;
    classic_background.wanted = -1;
    start_filling();
    return classic_background.stock[grade];
}

void classic_reset() {
    {
        std::lock_guard lock(classic_background.mutex);
        classic_background.stopping = true;
    }
    if (classic_background.filler.valid()) classic_background.filler.wait();
    std::lock_guard lock(classic_background.mutex);
    std::fill(std::begin(classic_background.ready), std::end(classic_background.ready), false);
    classic_background.wanted = -1;
    classic_background.stopping = false;
}
