// Whole sessions through the real screens on the headless backend: a new player plays a level,
// goes on, leaves, comes back to the same board, picks a theme and quits; a player picks classic
// puzzles and keeps them over a restart. The files on disk are checked after each step.
#include <algorithm>
#include <cstdio>
#include <iterator>
#include <vector>

#include "app/cmdline.h"
#include "app/shell.h"
#include "input/keyboard.h"
#include "players/players.h"
#include "players/settings.h"
#include "screen_support.h"
#include "screens/next_level_screen.h"
#include "screens/options_screen.h"
#include "screens/play_screen.h"
#include "sudoku/classic.h"

namespace hl = platform::headless;

namespace {
// The stored record of a player: score and level, or -1 and -1 when there is none.
std::pair<int32_t, int32_t> record_of(const char* name) {
    char buffer[PLAYER_NAME_SIZE];
    std::snprintf(buffer, sizeof buffer, "%s", name);
    int32_t s = -1, l = -1;
    game_LoadPlayer(0, buffer, &s, &l);
    return {s, l};
}

bool board_drawn_in_theme(int theme) {
    const int cell = 14 + 2 * theme; // the theme's empty cell
    for (const platform::SpriteDraw& d : hl::draws())
        if (d.source.left == 50 * (cell % 10) && d.source.top == 50 * (cell / 10) &&
            d.source.right == d.source.left + 50)
            return true;
    return false;
}
} // namespace

using ReplayTest = ScreenTest;

TEST_F(ReplayTest, NewPlayerPlaysLeavesComesBackPicksAThemeAndQuits) {
    // New game, a name, Enter: the player is in the table at level 1.
    click(430, 400);
    ASSERT_EQ(dialog_active, 1);
    // Every fresh program makes the same first puzzle; the X server run enters its digit here.
    EXPECT_EQ(board[23], 0); // column 5, row 2
    type("ALICE");
    press(DIK_RETURN);
    pass(2);
    ASSERT_EQ(current_screen, Screen::game);
    EXPECT_STREQ(player_name, "ALICE");
    EXPECT_EQ(record_of("ALICE"), std::make_pair(0, 1));

    // The level solved by clicking, the tally, play on.
    ASSERT_TRUE(drive_solve());
    ASSERT_EQ(current_screen, Screen::next_level);
    pass(2000);
    ASSERT_EQ(next_level_screen_visit().tally_phase, TALLY_DONE);
    const int32_t earned = score;
    EXPECT_GT(earned, 100);
    click(250, 462);
    ASSERT_EQ(current_screen, Screen::game);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(record_of("ALICE"), std::make_pair(earned, 2)); // stored at once on playing on

    // A wrong digit and some play time on level 2, then Escape: the game is saved.
    const int cell = static_cast<int>(std::find(board, board + 81, 0) - board);
    ASSERT_LT(cell, 81);
    click(static_cast<int>(cell_centre_x(cell)), static_cast<int>(cell_centre_y(cell)));
    const int wrong = solution[cell] % 9 + 1; // a digit that is not the solution's
    click(static_cast<int>(picker_slot_x(wrong)), static_cast<int>(picker_slot_y(wrong)));
    ASSERT_EQ(wrong_entries, 1);
    pass(90);
    const std::vector<int32_t> saved_board(board, board + 81),
        saved_solution(solution, solution + 81);
    const int32_t saved_ticks = elapsed_ticks;
    ASSERT_GT(saved_ticks, 0);
    press(DIK_ESCAPE);
    ASSERT_EQ(current_screen, Screen::start);
    EXPECT_TRUE(on_disk("edit\\ALICE.txt"));
    EXPECT_EQ(record_of("ALICE"), std::make_pair(earned, 2));

    // Another session's leftovers in memory; continuing from the list restores everything.
    std::fill(std::begin(board), std::end(board), 0);
    wrong_entries = 7;
    elapsed_ticks = 0;
    score = 0;
    level = 1;
    pass(30);
    click(200, 335); // the list's first row
    ASSERT_EQ(current_screen, Screen::game);
    EXPECT_STREQ(player_name, "ALICE");
    EXPECT_FALSE(new_game_flag);
    EXPECT_EQ(level, 2);
    EXPECT_EQ(score, earned);
    EXPECT_EQ(std::vector<int32_t>(board, board + 81), saved_board);
    EXPECT_EQ(std::vector<int32_t>(solution, solution + 81), saved_solution);
    EXPECT_EQ(wrong_entries, 1);
    EXPECT_GE(elapsed_ticks, saved_ticks);
    press(DIK_ESCAPE);
    ASSERT_EQ(current_screen, Screen::start);

    // Options: the player, theme row 4, Confirm: the theme file is written.
    click(430, 435);
    ASSERT_EQ(current_screen, Screen::options);
    click(200, 60);
    EXPECT_EQ(options_screen_visit().options_selection, 1);
    click(50, 430);
    click(380, 486);
    ASSERT_EQ(current_screen, Screen::start);
    EXPECT_EQ(board_theme, 0);
    const std::string theme_file =
        "edit\\thame" + std::to_string(game_PlayerFileNumber("ALICE")) + ".txt";
    EXPECT_TRUE(on_disk(theme_file));

    // Continuing again shows the board in that theme.
    pass(2);
    click(200, 335);
    ASSERT_EQ(current_screen, Screen::game);
    EXPECT_EQ(board_theme, 4);
    pass();
    EXPECT_TRUE(board_drawn_in_theme(4));

    // Escape saves and returns; Escape again ends the program with code 0, the files kept.
    press(DIK_ESCAPE);
    press(DIK_ESCAPE);
    EXPECT_TRUE(ended());
    EXPECT_EQ(game_Finish(), 0);
    EXPECT_TRUE(on_disk("scores.txt"));
    EXPECT_TRUE(on_disk("edit\\ALICE.txt"));
    EXPECT_TRUE(on_disk(theme_file));
    EXPECT_EQ(record_of("ALICE"), std::make_pair(earned, 2));
}

namespace {
// The board is a puzzle with exactly one solution, the one it is judged against, of the grade.
void expect_classic_board(int grade) {
    int32_t first[81];
    ASSERT_EQ(countsolutions(board, first), 1);
    EXPECT_TRUE(std::equal(first, first + 81, solution));
    EXPECT_EQ(gradepuzzle(board), grade);
}
} // namespace

// Classic puzzles chosen on the options screen: the choice is stored, survives a restart, and a
// level-60 player without a saved game gets a classic puzzle of the level's grade.
TEST_F(ReplayTest, ClassicModeChosenInOptionsSurvivesARestart) {
    game_StorePlayer("CARLA", 500, 60, 0);
    click(430, 435);
    ASSERT_EQ(current_screen, Screen::options);
    click(200, 60);
    ASSERT_EQ(options_screen_visit().options_selection, 1);
    EXPECT_EQ(options_screen_visit().puzzle_mode, PUZZLES_DESIGNED);
    click(420, 458); // the classic label
    EXPECT_EQ(options_screen_visit().puzzle_mode, PUZZLES_CLASSIC);
    click(380, 486);
    ASSERT_EQ(current_screen, Screen::start);
    EXPECT_EQ(puzzle_mode, PUZZLES_DESIGNED); // taken when the player is picked
    EXPECT_EQ(game_StoredPuzzleMode("CARLA"), PUZZLES_CLASSIC);

    game_Finish(); // a restart
    ASSERT_TRUE(drive_start());
    click(200, 335);
    ASSERT_EQ(current_screen, Screen::game);
    EXPECT_STREQ(player_name, "CARLA");
    EXPECT_EQ(level, 60);
    EXPECT_EQ(puzzle_mode, PUZZLES_CLASSIC);
    expect_classic_board(GRADE_INTERMEDIATE);
    press(DIK_ESCAPE);

    // The options screen shows the stored choice; designed again is stored as designed.
    click(430, 435);
    click(200, 60);
    EXPECT_EQ(options_screen_visit().puzzle_mode, PUZZLES_CLASSIC);
    click(270, 458); // the designed box
    click(380, 486);
    EXPECT_EQ(game_StoredPuzzleMode("CARLA"), PUZZLES_DESIGNED);
}

// "--puzzles classic" gives a designed level-60 player a classic puzzle from the start screen.
TEST_F(ReplayTest, PuzzlesClassicOnTheCommandLineGivesOneSolution) {
    game_StorePlayer("DAN", 0, 60, 0);
    game_Finish();
    char program[] = "gridhollow", option[] = "--puzzles", mode[] = "classic",
         here[] = "--data-dir=.";
    char* argv[] = {program, option, mode, here};
    ASSERT_EQ(game_CommandLine(4, argv, stdout, stderr), -1);
    ASSERT_TRUE(drive_start());
    click(200, 335);
    run_puzzle_mode = -1;
    ASSERT_EQ(current_screen, Screen::game);
    EXPECT_EQ(level, 60);
    EXPECT_EQ(game_StoredPuzzleMode("DAN"), PUZZLES_DESIGNED);
    expect_classic_board(GRADE_INTERMEDIATE);
}
