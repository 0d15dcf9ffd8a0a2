// gridhollow_check_solver (`make check-solver`): the logical stepper against qqwing. Makes
// puzzles of each qqwing difficulty (a fixed seed, so every run checks the same puzzles), steps
// each to its end and checks that every placement is the puzzle's one solution's digit, that no
// elimination removes it, and that every Simple, Easy and Intermediate puzzle is solved by steps
// alone. Prints a table per difficulty: puzzles, solved without a guess, and how often each
// technique was used. The exit code is 1 when a check failed.
//   gridhollow_check_solver [PUZZLES_PER_DIFFICULTY]   (2000 by default)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "sudoku/classic.h"
#include "sudoku/logic.h"

namespace {

constexpr int DIFFICULTIES = GRADE_COUNT;
constexpr const char* DIFFICULTY_NAMES[DIFFICULTIES] = {"Simple", "Easy", "Intermediate", "Expert"};
constexpr int TECHNIQUES = static_cast<int>(Technique::count);

struct Tally {
    int puzzles = 0;
    int solved = 0;
    long used[TECHNIQUES] = {};
};

// An easier puzzle from a harder one: the fewest of its empty cells, in a random order, given
// back for qqwing to grade it `grade`, found by halving. False when no count gives that grade.
bool ease(const int32_t* puzzle, const int32_t* solution, int grade, int32_t* eased) {
    int order[81], empty = 0;
    for (int cell = 0; cell < 81; ++cell)
        if (!puzzle[cell]) order[empty++] = cell;
    std::shuffle(order, order + empty, std::minstd_rand(static_cast<unsigned>(std::rand())));
    const auto give = [&](int count) {
        std::copy(puzzle, puzzle + 81, eased);
        for (int k = 0; k < count; ++k) eased[order[k]] = solution[order[k]];
        return gradepuzzle(eased);
    };
    int low = 0, high = empty; // graded harder with low given back, at most grade with high
    while (high - low > 1) {
        const int middle = (low + high) / 2;
        (give(middle) > grade ? low : high) = middle;
    }
    return give(high) == grade;
}

// Steps the puzzle to its end, checking every step against the solution; false (and a message)
// at the first wrong step.
bool step_through(const int32_t* puzzle, const int32_t* solution, Tally& tally, int number) {
    uint8_t digits[81];
    std::copy(puzzle, puzzle + 81, digits);
    LogicGrid grid;
    if (!logic_start(digits, grid)) {
        std::printf("puzzle %d: the stepper refuses its givens\n", number);
        return false;
    }
    for (int placed = static_cast<int>(std::count_if(digits, digits + 81, [](int d) { return d; }));
         placed < 81;) {
        const LogicStep step = logic_next_step(grid);
        if (step.technique == Technique::none) return true;
        ++tally.used[static_cast<int>(step.technique)];
        bool right = step.cell < 0 || step.digit == solution[step.cell];
        for (int cell = 0; cell < 81; ++cell)
            right &= !(step.removed[cell] & (1 << solution[cell]));
        if (!right || !logic_apply(grid, step)) {
            std::printf("puzzle %d: %s contradicts the solution\n", number,
                        technique_name(step.technique));
            return false;
        }
        placed += step.cell >= 0;
    }
    ++tally.solved;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    const int wanted = argc > 1 ? std::atoi(argv[1]) : 2000;
    if (wanted <= 0) {
        std::fprintf(stderr, "usage: %s [PUZZLES_PER_DIFFICULTY]\n", argv[0]);
        return 2;
    }
    std::srand(31);
    Tally tallies[DIFFICULTIES];
    bool ok = true;
    int made = 0;
    for (int done = 0; done < DIFFICULTIES; ++made) {
        int32_t puzzle[81], solution[81], eased[81];
        qqwingpuzzle(puzzle, solution);
        const int grade = gradepuzzle(puzzle);
        // The made puzzle counts for its grade, and eased for each easier grade still short.
        for (int d = 0; d <= std::min(grade, DIFFICULTIES - 1); ++d) {
            Tally& tally = tallies[d];
            if (tally.puzzles == wanted || (d < grade && !ease(puzzle, solution, d, eased)))
                continue;
            ++tally.puzzles;
            const int solved_before = tally.solved;
            ok &= step_through(d < grade ? eased : puzzle, solution, tally, made);
            if (d < GRADE_EXPERT && tally.solved == solved_before) {
                std::printf("puzzle %d (%s) is not solved by steps alone\n", made,
                            DIFFICULTY_NAMES[d]);
                ok = false;
            }
            done += tally.puzzles == wanted;
        }
    }

    std::printf("%-14s %8s %16s", "difficulty", "puzzles", "solved");
    for (int t = 1; t < TECHNIQUES; ++t) {
        std::string name = technique_name(static_cast<Technique>(t));
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == ' ' || c == '-'; }, '_');
        std::printf(" %s", name.c_str());
    }
    std::printf("\n");
    for (int d = 0; d < DIFFICULTIES; ++d) {
        const Tally& tally = tallies[d];
        std::printf("%-14s %8d %7d (%5.1f%%)", DIFFICULTY_NAMES[d], tally.puzzles, tally.solved,
                    100.0 * tally.solved / tally.puzzles);
        for (int t = 1; t < TECHNIQUES; ++t) {
            std::string name = technique_name(static_cast<Technique>(t));
            std::printf(" %*ld", static_cast<int>(name.size()), tally.used[t]);
        }
        std::printf("\n");
    }
    std::printf("qqwing puzzles made: %d\n", made);
    std::printf("%s\n", ok ? "every step agrees with the solution" : "CHECK FAILED");
    return ok ? 0 : 1;
}
