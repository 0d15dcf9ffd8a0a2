// Tests of the board model and the puzzle generator: the random sequence, level parameters,
// thinning, stored grids, completion and reproducible level starts.
#include <algorithm>
#include <cstdlib>
#include <set>

#include "app/frame.h"
#include "players/settings.h"
#include "screens/play_screen.h"
#include "store/datafile.h"
#include "store_support.h"
#include "sudoku/board.h"
#include "sudoku/classic.h"
#include "support.h"

namespace {

// Every row, column and box holds the digits 1 to 9.
bool validgrid(const int32_t* grid) {
    for (int unit = 0; unit < 9; ++unit) {
        std::set<int32_t> row, col, box;
        for (int i = 0; i < 9; ++i) {
            row.insert(grid[unit * 9 + i]);
            col.insert(grid[i * 9 + unit]);
            box.insert(grid[(unit / 3 * 3 + i / 3) * 9 + unit % 3 * 3 + i % 3]);
        }
        for (const auto& digits : {row, col, box})
            if (digits != std::set<int32_t>{1, 2, 3, 4, 5, 6, 7, 8, 9}) return false;
    }
    return true;
}

int boxcount(const int32_t* grid, int box) {
    int count = 0;
    for (int i = 0; i < 9; ++i) count += grid[(box / 3 * 3 + i / 3) * 9 + box % 3 * 3 + i % 3] != 0;
    return count;
}

// A valid grid to thin and complete: the pattern grid.
void patterngrid(int32_t* grid) {
    for (int r = 0; r < 9; ++r)
        for (int c = 0; c < 9; ++c) grid[r * 9 + c] = (3 * (r % 3) + r / 3 + c) % 9 + 1;
}

using BoardTest = GameTest;

TEST(Random, ReproducesTheClassicSequence) {
    board_generator.random_state = 1;
    for (int expected : {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464})
        EXPECT_EQ(nextrandom(), expected);
}

TEST(LevelParameters, RemovalAndChancePerLevel) {
    int32_t removal, chance;
    board_generator.random_state = 1;
    levelparameters(1, removal, chance);
    EXPECT_EQ(removal, 1);
    EXPECT_EQ(chance, 50);
    levelparameters(0, removal, chance);
    EXPECT_EQ(removal, 1);
    EXPECT_EQ(chance, 40);
    levelparameters(22, removal, chance); // last digit 2: no draw
    EXPECT_EQ(removal, 2);
    EXPECT_EQ(board_generator.random_state, 1u);

    std::set<int32_t> seen[100];
    for (uint32_t state = 1; state < 200; ++state) {
        for (int lvl : {25, 59, 85, 95, 99, 150, -5}) {
            board_generator.random_state = state;
            levelparameters(lvl, removal, chance);
            seen[std::clamp(lvl, 0, 99)].insert(removal);
        }
    }
    EXPECT_EQ(seen[25], (std::set<int32_t>{2, 3, 4}));
    EXPECT_EQ(seen[59], (std::set<int32_t>{5, 6}));
    EXPECT_EQ(seen[85], (std::set<int32_t>{7}));
    EXPECT_EQ(seen[95], (std::set<int32_t>{8}));
    EXPECT_EQ(seen[99], (std::set<int32_t>{8}));
    EXPECT_EQ(seen[0], (std::set<int32_t>{1}));
    levelparameters(150, removal, chance);
    EXPECT_EQ(chance, 1030);
}

// fillbox made one draw at a time: useddigits for each cell, then draws until a digit fits.
int plainfillbox(int32_t* grid, int box_col, int box_row) {
    uint8_t used[10];
    int count = 0;
    for (int tries = 0; count < 9 && tries < 500; ++tries) {
        count = 0;
        for (int row = 3 * box_row; row < 3 * box_row + 3; ++row) {
            for (int col = 3 * box_col; col < 3 * box_col + 3; ++col) {
                useddigits(grid, used, col, row);
                int digit = 0, draws = 0;
                do {
                    digit = nextrandom() % 9 + 1;
                    ++draws;
                } while (used[digit] != 0 && draws < 100);
                if (draws == 100) {
                    digit = 0;
                    for (int d = 9; d >= 1; --d)
                        if (used[d] == 0) digit = d;
                }
                grid[row * 9 + col] = digit;
                count += digit != 0;
            }
        }
    }
    return count;
}

TEST(UsedDigits, SeesRowColumnAndBoxButNotTheCell) {
    int32_t grid[81] = {};
    grid[0 * 9 + 4] = 7;  // row 0
    grid[8 * 9 + 1] = 3;  // column 1
    grid[2 * 9 + 2] = 9;  // box 0
    grid[0 * 9 + 1] = 5;  // the cell itself
    grid[0 * 9 + 8] = 12; // not a digit
    grid[4 * 9 + 4] = 1;  // elsewhere
    uint8_t used[10];
    useddigits(grid, used, 1, 0);
    EXPECT_EQ(std::vector<uint8_t>(used, used + 10),
              (std::vector<uint8_t>{0, 0, 0, 1, 0, 0, 0, 1, 0, 1}));
    EXPECT_EQ(grid[1], 5);
}

// The generator's fast box filling makes exactly the plain draws, over full generations with
// failing boxes, stuck cells and retries.
TEST(FillBox, MatchesFillingOneDrawAtATime) {
    for (uint32_t seed : {1u, 2u, 99u, 12345u, 0xDEADBEEFu}) {
        board_generator.random_state = seed;
        for (int attempt = 0; attempt < 60; ++attempt) {
            int32_t fast[81] = {}, plain[81] = {};
            if (attempt % 7 == 3) fast[40] = plain[40] = 15; // a stray value is no digit
            for (int box = 0; box < 9; ++box) {
                const uint32_t before = board_generator.random_state;
                const int count = fillbox(fast, box % 3, box / 3);
                const uint32_t after = board_generator.random_state;
                board_generator.random_state = before;
                ASSERT_EQ(plainfillbox(plain, box % 3, box / 3), count) << seed << " " << attempt;
                ASSERT_EQ(board_generator.random_state, after);
                ASSERT_TRUE(std::equal(fast, fast + 81, plain));
            }
        }
    }
}

TEST_F(BoardTest, OnlySomeLevelsDrawABoxToEmpty) {
    std::set<int> drawing;
    for (int lvl = 0; lvl <= 99; ++lvl) {
        level = lvl;
        empty_box = 55;
        int32_t grid[81];
        patterngrid(grid);
        thinbox(grid, 0, 0, 1, 1000);
        if (empty_box != 55) drawing.insert(lvl);
    }
    std::set<int> expected = {9, 18, 19, 28, 29};
    for (int lvl : {37, 47, 56, 65, 74, 83, 92})
        for (int l = lvl; l % 10 != 0; ++l) expected.insert(l);
    EXPECT_EQ(drawing, expected);
}

TEST_F(BoardTest, ThinningKeepsNineLessRemovalWhereTheBudgetAllows) {
    level = 50; // draws no box to empty
    for (int removal = 1; removal <= 9; ++removal) {
        int32_t grid[81];
        patterngrid(grid);
        for (int box = 0; box < 9; ++box) thinbox(grid, box % 3, box / 3, removal, 1000);
        for (int box = 0; box < 9; ++box)
            EXPECT_EQ(boxcount(grid, box), std::max(9 - removal, 1)) << removal;
    }
    // A lost roll leaves a budget of removal / 2 picks.
    for (int removal : {1, 4, 5}) {
        int32_t grid[81];
        patterngrid(grid);
        thinbox(grid, 1, 1, removal, -1);
        EXPECT_GE(boxcount(grid, 4), 9 - removal / 2);
    }
    // The box named by empty_box loses everything, once.
    int32_t grid[81];
    patterngrid(grid);
    empty_box = 4;
    for (int box = 0; box < 9; ++box) thinbox(grid, box % 3, box / 3, 2, 1000);
    EXPECT_EQ(boxcount(grid, 4), 0);
    EXPECT_EQ(boxcount(grid, 5), 7);
    EXPECT_EQ(empty_box, 100);
}

TEST_F(BoardTest, LevelOnePuzzlesLoseAtMostOneCellPerBox) {
    std::set<int> counts;
    for (int i = 0; i < 20; ++i) {
        wrong_entries = 3;
        elapsed_ticks = 500;
        picker_open = true;
        game_StartLevel();
        EXPECT_EQ(box_removal, 1);
        EXPECT_EQ(full_removal_chance, 50);
        EXPECT_EQ(wrong_entries, 0);
        EXPECT_EQ(elapsed_ticks, 0);
        EXPECT_FALSE(picker_open);
        for (int box = 0; box < 9; ++box) counts.insert(boxcount(board, box));
    }
    // A box loses its one cell when its roll is 50 or less, and none otherwise.
    EXPECT_EQ(counts, (std::set<int>{8, 9}));
}

TEST_F(BoardTest, LevelStartsCutPuzzlesFromValidGrids) {
    for (int lvl = 1; lvl <= 99; ++lvl) {
        level = lvl;
        current_screen = Screen::start;
        board[90] = 7;
        game_StartLevel();
        ASSERT_TRUE(validgrid(solution)) << lvl;
        EXPECT_EQ(current_screen, Screen::game);
        EXPECT_EQ(board[90], 0);
        for (int i = 0; i < 81; ++i)
            ASSERT_TRUE(board[i] == 0 || board[i] == solution[i]) << lvl << " cell " << i;
        if (lvl < 6) continue;
        // From level 6 on every box keeps 9 - removal digits, or none if it was emptied.
        for (int box = 0; box < 9; ++box) {
            const int count = boxcount(board, box);
            EXPECT_TRUE(count == 9 - box_removal || count == 0) << lvl << " box " << box;
        }
    }
}

TEST_F(BoardTest, SameLevelStartsGiveSamePuzzles) {
    auto play = [] {
        board_generator.random_state = 1;
        empty_box = 100;
        std::vector<int32_t> puzzles;
        for (int lvl : {1, 2, 9, 37, 92, 99}) {
            level = lvl;
            game_StartLevel();
            puzzles.insert(puzzles.end(), board, board + 81);
            puzzles.insert(puzzles.end(), solution, solution + 81);
        }
        return puzzles;
    };
    const std::vector<int32_t> first = play();
    EXPECT_EQ(play(), first);
    // The first level-1 solution from a fresh start, as every platform must make it.
    EXPECT_EQ(std::vector<int32_t>(first.begin() + 81, first.begin() + 90),
              (std::vector<int32_t>{1, 6, 9, 2, 5, 3, 4, 8, 7}));
}

// Every designed puzzle of levels 1 to 99 started in turn from a fresh run, boards and solutions,
// folded into one FNV-1a hash; between is run after each level start.
template <typename Between> uint64_t designedrun(Between between) {
    uint64_t hash = 14695981039346656037u;
    for (int lvl = 1; lvl <= 99; ++lvl) {
        level = lvl;
        game_StartLevel();
        for (const int32_t* cells : {+board, +solution})
            for (int i = 0; i < 81; ++i)
                hash = (hash ^ static_cast<uint64_t>(cells[i])) * 1099511628211u;
        between(lvl);
    }
    return hash;
}

// The designed game makes the puzzles it always made, and classic level starts between them (and
// the C library's generator that qqwing draws from) change none of them.
TEST_F(BoardTest, DesignedPuzzlesStayAsTheyWereWhateverClassicLevelsCameBetween) {
    constexpr uint64_t DESIGNED_RUN = 0x545ad7921a804c82u;
    EXPECT_EQ(designedrun([](int) {}), DESIGNED_RUN);
    board_reset();
    EXPECT_EQ(designedrun([](int lvl) {
                  if (lvl % 12 != 0) return;
                  std::srand(static_cast<unsigned>(lvl));
                  puzzle_mode = PUZZLES_CLASSIC;
                  game_StartLevel();
                  int32_t first[81];
                  ASSERT_EQ(countsolutions(board, first), 1) << lvl;
                  puzzle_mode = PUZZLES_DESIGNED;
              }),
              DESIGNED_RUN);
}

int givens(const int32_t* grid) {
    return static_cast<int>(std::count_if(grid, grid + 81, [](int32_t cell) { return cell != 0; }));
}

// Classic puzzles over many seeds: exactly one solution (by the tests' own solver), the one handed
// over with the puzzle, and the grade the level asks for; within a grade the first level gets more
// givens than the last.
TEST_F(BoardTest, ClassicPuzzlesHaveOneSolutionAndTheLevelsGradeOverManySeeds) {
    constexpr std::pair<int, int> LEVELS[] = {{1, GRADE_SIMPLE},  {20, GRADE_SIMPLE},
                                              {40, GRADE_EASY},   {60, GRADE_INTERMEDIATE},
                                              {80, GRADE_EXPERT}, {99, GRADE_EXPERT}};
    for (unsigned seed = 1; seed <= 6; ++seed) {
        for (const auto& [lvl, grade] : LEVELS) {
            ASSERT_EQ(classicgrade(lvl), grade) << lvl;
            const ClassicBase base = classicbase(classicgrade(lvl), seed * 7919 + lvl);
            int32_t grid[81], given_solution[81], first[81];
            classicpuzzle(base, lvl, grid, given_solution);
            ASSERT_EQ(countsolutions(grid, first), 1) << lvl << " seed " << seed;
            EXPECT_TRUE(std::equal(first, first + 81, given_solution)) << lvl << " seed " << seed;
            EXPECT_EQ(gradepuzzle(grid), grade) << lvl << " seed " << seed;
        }
    }
    const ClassicBase base = classicbase(GRADE_EASY, 3);
    int32_t first_level[81], last_level[81], given_solution[81];
    classicpuzzle(base, 21, first_level, given_solution);
    classicpuzzle(base, 45, last_level, given_solution);
    EXPECT_EQ(givens(last_level), givens(base.puzzle));
    EXPECT_EQ(givens(first_level), givens(base.puzzle) + base.givable_count);
    EXPECT_GT(base.givable_count, 0);
    EXPECT_EQ(gradepuzzle(first_level), GRADE_EASY);
    // The same seed makes the same puzzle.
    EXPECT_TRUE(std::equal(base.puzzle, base.puzzle + 81, classicbase(GRADE_EASY, 3).puzzle));
}

TEST_F(BoardTest, StoredGridsOfTheBuiltArchiveAreValid) {
    copy_assets();
    for (int number = 0; number < 90; ++number) {
        int32_t grid[81] = {};
        ASSERT_EQ(loadstoredgrid(grid, number), 81) << number;
        EXPECT_TRUE(validgrid(grid)) << number;
    }
    int32_t grid[81] = {};
    for (int number : {-1, 90, 99, 100}) EXPECT_EQ(loadstoredgrid(grid, number), 0);
    for (const char* temp : {"emg0.txt", "emg89.txt", "emg90.txt", "dummy", "ready"})
        EXPECT_FALSE(platform::file_exists(temp)) << temp;
}

TEST_F(BoardTest, FallsBackOnAStoredGrid) {
    copy_assets();
    board_generator.grid_attempts = 0;
    generatepuzzle(board, 3, 1000);
    EXPECT_TRUE(validgrid(solution));
    int32_t stored[81];
    loadstoredgrid(stored, 41 % 90); // the first draw is 41
    EXPECT_TRUE(std::equal(stored, stored + 81, solution));
    EXPECT_FALSE(platform::file_exists("emg41.txt"));
}

TEST_F(BoardTest, StoredGridReaderCapsAndSkips) {
    std::string values;
    for (int i = 0; i < 90; ++i) values += std::to_string(i % 9 + 1) + ",";
    const std::vector<uint8_t> locked = lockbytes("emg1.txt", {values.begin(), values.end()});
    const std::vector<uint8_t> locked3 = lockbytes("emg3.txt", {values.begin(), values.end()});
    std::string broken(locked3.begin(), locked3.end());
    broken[15 + 2 * 12] ^= 1;
    writefile("_data.loc", entry("edit\\emg0.txt", values) +
                               entry("edit\\emg1.txt", std::string(locked.begin(), locked.end())) +
                               entry("edit\\emg2.txt", "7,,8;9\r\n12") +
                               entry("edit\\emg3.txt", broken));
    int32_t grid[81];
    std::fill(grid, grid + 81, -1);
    EXPECT_EQ(loadstoredgrid(grid, 0), 81);
    EXPECT_EQ(grid[80], 9);
    EXPECT_EQ(loadstoredgrid(grid, 1), 81);
    std::fill(grid, grid + 81, -1);
    EXPECT_EQ(loadstoredgrid(grid, 2), 3); // the unended "12" is not stored
    EXPECT_EQ(grid[0], 7);
    EXPECT_EQ(grid[1], 8);
    EXPECT_EQ(grid[2], 9);
    EXPECT_EQ(grid[3], -1);
    EXPECT_EQ(loadstoredgrid(grid, 3), 0);
    EXPECT_EQ(grid[0], 7);
    EXPECT_FALSE(platform::file_exists("emg3.txt"));
    EXPECT_FALSE(platform::file_exists("dummy"));
}

TEST(BoardComplete, GivensAndRightEntriesOnly) {
    patterngrid(solution);
    std::copy(solution, solution + 81, board);
    for (int i = 0; i < 81; i += 2) board[i] += CELL_RIGHT;
    EXPECT_TRUE(boardcomplete(board));
    const int32_t digit = solution[40], other = digit % 9 + 1;
    for (int32_t code : {CELL_EMPTY, CELL_WRONG + digit, CELL_RIGHT, CELL_RIGHT + other, other}) {
        board[40] = code;
        EXPECT_FALSE(boardcomplete(board)) << code;
    }
}

} // namespace
