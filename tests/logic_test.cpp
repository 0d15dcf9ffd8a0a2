// Tests of the logical stepper: puzzles stepped to their end agree with their one solution and use
// the technique each was picked for, the designed levels agree with the grid they are judged
// against, and a step names what justifies it. `make check-solver` runs the same checks on
// thousands of qqwing's puzzles.
#include <algorithm>
#include <array>
#include <string>

#include "sudoku/board.h"
#include "sudoku/logic.h"
#include "support.h"

namespace {

using Uses = std::array<int, static_cast<size_t>(Technique::count)>;

// Steps the puzzle to its end, checking every step against the solution: a placement puts its
// digit, an elimination removes candidates but never the solution's digit, and the reasons are
// candidates or placed digits of the grid the step was found on. Returns how often each technique
// was used; solved tells whether the steps filled the grid.
Uses step_through(const int32_t* puzzle, const int32_t* solution, bool& solved,
                  const std::string& name) {
    uint8_t digits[81];
    for (int cell = 0; cell < 81; ++cell) digits[cell] = static_cast<uint8_t>(puzzle[cell]);
    LogicGrid grid;
    EXPECT_TRUE(logic_start(digits, grid)) << name;
    Uses uses{};
    for (;;) {
        const LogicStep step = logic_next_step(grid);
        if (step.technique == Technique::none) break;
        ++uses[static_cast<size_t>(step.technique)];
        const std::string where = name + ": " + technique_name(step.technique);
        EXPECT_NE(step.houses, 0u) << where;
        EXPECT_EQ(step.houses >> HOUSE_COUNT, 0u) << where;
        EXPECT_TRUE(step.cell < 0 || step.digit == solution[step.cell]) << where;
        bool removes = false;
        for (int cell = 0; cell < 81; ++cell) {
            const int has = grid.digit[cell] ? 1 << grid.digit[cell] : grid.candidates[cell];
            EXPECT_EQ(step.reasons[cell] & ~has, 0) << where << " cell " << cell;
            EXPECT_EQ(step.removed[cell] & ~grid.candidates[cell], 0) << where << " cell " << cell;
            EXPECT_EQ(step.removed[cell] & 1 << solution[cell], 0) << where << " cell " << cell;
            removes |= step.removed[cell] != 0;
        }
        EXPECT_TRUE(removes != (step.cell >= 0)) << where;
        const bool applied = logic_apply(grid, step);
        EXPECT_TRUE(applied) << where;
        if (!applied || ::testing::Test::HasFailure()) break;
    }
    solved = std::all_of(grid.digit, grid.digit + 81, [](uint8_t digit) { return digit != 0; });
    return uses;
}

// Puzzles made for these tests by qqwing, each picked as the first of its kind that needs the
// technique (the hardest it uses; none needed a hidden quad), and whether the known techniques
// solve it.
struct Case {
    Technique needs;
    const char* puzzle;
    bool solved;
};
constexpr Case CASES[] = {
    {Technique::naked_single,
     "...7......642.5.315728..........2..83.81...6...7...1......74...1.........23......", true},
    {Technique::hidden_single,
     "......8..3.1....24...94..5..2..6..8..893.....4.......5..4....6.1.6......95...23..", true},
    {Technique::pointing,
     ".681.392.....9...41..........58.1....3.4..6..8..32.19.9.....3....3...........4.5.", true},
    {Technique::claiming,
     "27.4361........6.4..3.5........24.7.....8.2.6..........6...3..2.3.2..415....75..3", true},
    {Technique::naked_pair,
     ".2..5............8483.........6.3.75635.9....8...........2.8.57.94..5.2.....7..63", true},
    {Technique::hidden_pair,
     ".9........6..2.759....1....4...6.8.7.8.27..9.......5...2.69.......7....175..4.2..", true},
    {Technique::naked_triple,
     "19..85.2.6.8..23.....3.......6.....39......7.7....38.1......2.9....3......5..1687", true},
    {Technique::hidden_triple,
     "2.36......6..8.75......438..3...6..4..9.7....4......6.8.2..5.....6.92..7.7.......", true},
    {Technique::naked_quad,
     "...7...1.6....29...25...6....3.9.8.7..13.72..58..6.1..8..6.1...7..........29.....", true},
    {Technique::x_wing,
     "..3.426.......32..6...18.3...9..4...3..1...6.82..9.7....6...4..1....7.8..4.......", true},
    {Technique::swordfish,
     ".......13...89.2..7.1..4..5.........39.7.24....8.....94....7.21..3...8.....5.....", true},
    {Technique::xy_wing,
     "..8...12....6.....16...........7...2.7..3...151..2.34.8...1365..5......44....28..", true},
    {Technique::xyz_wing,
     "1..8..925.347..1...8..5....4.....28.3.52......9......1.....95...........8......73", true},
    {Technique::x_chain,
     "9.3.1.....4.35.6.8.8.........5.3...1..........7...58..43.7..1..5...4..96.9..8...4", true},
    // Beyond the known techniques after an XY-wing.
    {Technique::xy_wing,
     "18............7......6..1.462.7..4.1.9....8....196.2......38..74....2...9.3......", false},
};

TEST(Logic, StepsAgreeWithTheSolutionAndUseTheirTechnique) {
    for (const Case& c : CASES) {
        int32_t puzzle[81], solution[81];
        for (int cell = 0; cell < 81; ++cell)
            puzzle[cell] = c.puzzle[cell] == '.' ? 0 : c.puzzle[cell] - '0';
        ASSERT_EQ(countsolutions(puzzle, solution), 1) << c.puzzle;
        bool solved = false;
        const Uses uses = step_through(puzzle, solution, solved, technique_name(c.needs));
        EXPECT_GT(uses[static_cast<size_t>(c.needs)], 0) << technique_name(c.needs);
        EXPECT_EQ(solved, c.solved) << technique_name(c.needs);
    }
}

using LogicLevelTest = GameTest;

// A designed level may have several solutions: every step holds in each, so in the one the
// entries are judged against too.
TEST_F(LogicLevelTest, DesignedLevelsAgreeWithTheJudgedGrid) {
    for (int lvl : {1, 30, 60, 99}) {
        level = lvl;
        game_StartLevel();
        bool solved = false;
        step_through(board, solution, solved, "level " + std::to_string(lvl));
    }
}

// Four 7s leave box 5 one place for a 7: the step names the box and the four 7s that rule out
// the box's other cells.
TEST(Logic, HiddenSingleNamesItsBoxAndReasons) {
    uint8_t digits[81] = {};
    for (int cell : {3, 27, 53, 77}) digits[cell] = 7;
    LogicGrid grid;
    ASSERT_TRUE(logic_start(digits, grid));
    const LogicStep step = logic_next_step(grid);
    EXPECT_EQ(std::string(technique_name(step.technique)), "HIDDEN SINGLE");
    EXPECT_EQ(step.cell, 40);
    EXPECT_EQ(step.digit, 7);
    EXPECT_EQ(step.houses, 1u << 22);
    for (int cell = 0; cell < 81; ++cell)
        EXPECT_EQ(step.reasons[cell], digits[cell] ? 1 << 7 : 0) << cell;
    // Two equal digits in a house, or a digit out of range, make no grid.
    digits[4] = 7;
    EXPECT_FALSE(logic_start(digits, grid));
    digits[4] = 10;
    EXPECT_FALSE(logic_start(digits, grid));
}

} // namespace
