// The next-level screen through the loop: the tally's figures and pace, the buttons (clicked and
// from the keyboard), level 99.
#include <csignal>
#include <cstring>
#include <filesystem>

#include "gfx_support.h"
#include "input/keyboard.h"
#include "players/players.h"
#include "screen_support.h"
#include "screens/next_level_screen.h"
#include "sudoku/board.h"
#include "sudoku/saved_game.h"

namespace hl = platform::headless;

class NextLevelTest : public ScreenTest {
  protected:
    // Enters the screen after a level of the given level, play time and wrong entries.
    void finish_level(int32_t lvl, int32_t ticks, int32_t wrong) {
        level = lvl;
        elapsed_ticks = ticks;
        wrong_entries = wrong;
        current_screen = Screen::next_level;
    }
    // Runs the tally to its end; returns the passes it took.
    int run_tally() {
        int passes = 0;
        while (visit.tally_phase != TALLY_DONE && passes < 5000) {
            pass();
            ++passes;
        }
        return passes;
    }
    const NextLevelVisit& visit = next_level_screen_visit();
};

TEST_F(NextLevelTest, QuickFlawlessLevelEarnsBothBonusesAStepAFrame) {
    score = 40;
    finish_level(3, 0, 0);
    int32_t previous_left = TALLY_TIME_START;
    int phase_zero_frames = 0;
    while (visit.tally_phase == TALLY_TIME) {
        pass();
        ++phase_zero_frames;
        EXPECT_LE(previous_left - visit.time_left, 360); // one step a frame at most
        previous_left = visit.time_left;
    }
    // 249 steps of 360 and 6 of 60 down to 0, then the step that ends the phase.
    EXPECT_EQ(phase_zero_frames, 256);
    EXPECT_EQ(visit.time_bonus, 1251);
    run_tally();
    EXPECT_EQ(visit.accuracy_bonus, 100);
    EXPECT_EQ(visit.level_total, 1351);
    EXPECT_EQ(visit.level_bonus, 100);
    EXPECT_EQ(score, 40 + 1360 + 100); // the total in steps of 10, then the level bonus
    EXPECT_EQ(level, 3);
    EXPECT_EQ(current_screen, Screen::next_level);
}

TEST_F(NextLevelTest, SlowCarelessLevelEarnsOnlyTheLevelBonus) {
    score = 500;
    finish_level(7, 95000, 12);
    run_tally();
    EXPECT_EQ(visit.time_bonus, 0);
    EXPECT_EQ(visit.accuracy_bonus, 0);
    EXPECT_EQ(visit.level_total, 0);
    EXPECT_EQ(visit.time_left, 95000);
    EXPECT_EQ(visit.errors_left, 12);
    EXPECT_EQ(score, 600);
}

TEST_F(NextLevelTest, ErrorsCountDownOnceASecond) {
    finish_level(1, 90000, 8);
    pass(); // the time phase ends at once
    ASSERT_EQ(visit.tally_phase, TALLY_ACCURACY);
    int frames = 0;
    while (visit.errors_left == 10 && frames < 100) {
        pass();
        ++frames;
    }
    // 60 units at 200 a second: 0.3 s, 18 frames at 60 a second (give or take the rounding).
    EXPECT_GE(frames, 18);
    EXPECT_LE(frames, 19);
    EXPECT_EQ(visit.accuracy_bonus, 10);
}

// Play on stores the level's score and the next level's board at once, as save and stop does: a
// run that ends in the next level (a crash) continues it under its own number.
TEST_F(NextLevelTest, ButtonsWaitForTheEndOfTheTallyAndPlayOnStoresTheLevel) {
    std::strcpy(player_name, "ANN");
    game_StorePlayer("ANN", 0, 4, 0);
    finish_level(4, 90000, 10);
    pass();
    click(250, 460); // play on
    click(100, 460); // save and stop
    EXPECT_EQ(level, 4);
    EXPECT_EQ(current_screen, Screen::next_level);
    run_tally();
    click(250, 460);
    EXPECT_EQ(level, 5);
    EXPECT_EQ(current_screen, Screen::game);
    EXPECT_EQ(wrong_entries, 0);
    char name[PLAYER_NAME_SIZE] = "ANN";
    int32_t stored_score = 0, stored_level = 0, saved[81], saved_solution[81];
    ASSERT_TRUE(game_LoadPlayer(0, name, &stored_score, &stored_level));
    EXPECT_EQ(stored_level, 5);
    EXPECT_EQ(stored_score, 100); // the level bonus
    EXPECT_EQ(game_LoadGame("ANN", saved, saved_solution), 162);
    EXPECT_EQ(std::memcmp(saved_solution, solution, sizeof solution), 0);
    EXPECT_TRUE(hl::message_boxes().empty());
}

TEST_F(NextLevelTest, SaveAndStopShowsASaveThatFailed) {
    std::strcpy(player_name, "ANN");
    finish_level(4, 90000, 10);
    run_tally();
    std::filesystem::create_directory("edit/ANN.txt.new"); // in the way of the saved game
    click(100, 460);
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_EQ(level, 5);
    ASSERT_EQ(hl::message_boxes().size(), 1u);
    EXPECT_EQ(hl::message_boxes()[0].caption, "game_SaveGame()");
}

TEST_F(NextLevelTest, EndingDuringTheTallyKeepsTheLevelAndEveryBonus) {
    std::strcpy(player_name, "ANN");
    game_StorePlayer("ANN", 40, 3, 0);
    score = 40;
    finish_level(3, 0, 0);
    pass(10); // the tally is under way
    hl::script({{hl::passes() + 1, hl::EventKind::end_signal, SIGTERM}});
    EXPECT_FALSE(pass());
    char name[PLAYER_NAME_SIZE] = "ANN";
    int32_t stored_score = 0, stored_level = 0;
    ASSERT_TRUE(game_LoadPlayer(0, name, &stored_score, &stored_level));
    EXPECT_EQ(stored_level, 4);
    EXPECT_EQ(stored_score, 40 + 1360 + 100); // what the whole tally gives
    int32_t saved[81], saved_solution[81];
    EXPECT_EQ(game_LoadGame("ANN", saved, saved_solution), 162);
    EXPECT_EQ(std::memcmp(saved_solution, solution, sizeof solution), 0); // the next level's
}

TEST_F(NextLevelTest, PlayingOnFromLevel99StartsLevel1) {
    finish_level(99, 90000, 10);
    run_tally();
    click(250, 460);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(current_screen, Screen::game);
}

TEST_F(NextLevelTest, EachVisitStartsTheTallyAfresh) {
    finish_level(2, 90000, 10);
    run_tally();
    current_screen = Screen::start;
    pass();
    finish_level(2, 0, 0);
    pass();
    EXPECT_EQ(visit.tally_phase, TALLY_TIME);
    EXPECT_EQ(visit.level_bonus, 0);
    EXPECT_EQ(visit.time_left, TALLY_TIME_START - 360);
}

TEST_F(NextLevelTest, GoldenFinishedTally) {
    score = 1234;
    finish_level(8, 600, 2);
    run_tally();
    point(420, 300);
    expect_golden("next_level");
    press(DIK_TAB); // the focus shows on Play on
    expect_golden("next_level_focus");
}

// The buttons from the keyboard alone, each key held as long as a person holds it: the keys do
// nothing while the tally runs; then the first shows the focus on Play on, the arrows wrap between
// the two buttons, and Enter, keypad Enter or Space presses the focused one as a click does.
TEST_F(NextLevelTest, KeysAlonePlayOnOrSaveAndStopOnceTheTallyIsDone) {
    std::strcpy(player_name, "ANN");
    game_StorePlayer("ANN", 40, 3, 0);
    for (int held : {1, 3, 10}) {
        finish_level(3, 90000, 10);
        pass();
        for (int key : {DIK_TAB, DIK_RETURN, DIK_SPACE}) press(key, held);
        EXPECT_EQ(current_screen, Screen::next_level) << held;
        EXPECT_FALSE(visit.focus.shown);
        run_tally();
        press(DIK_DOWN, held);
        ASSERT_TRUE(visit.focus.shown);
        EXPECT_EQ(visit.focus.group, NEXT_PLAY_ON);
        press(DIK_RIGHT, held);
        EXPECT_EQ(visit.focus.group, NEXT_SAVE_AND_STOP);
        press(DIK_UP, held);
        ASSERT_EQ(visit.focus.group, NEXT_PLAY_ON);
        press(held == 3 ? DIK_NUMPADENTER : DIK_RETURN, held);
        EXPECT_EQ(current_screen, Screen::game) << held;
        EXPECT_EQ(level, 4);

        std::filesystem::remove("edit/ANN.txt");
        finish_level(3, 90000, 10);
        pass(); // entered afresh
        run_tally();
        press(DIK_TAB, held);
        press(DIK_TAB, held);
        ASSERT_EQ(visit.focus.group, NEXT_SAVE_AND_STOP);
        press(DIK_SPACE, held);
        EXPECT_EQ(current_screen, Screen::start) << held;
        EXPECT_EQ(level, 4);
        EXPECT_TRUE(on_disk("edit\\ANN.txt")) << held; // the next level's game, saved
    }
}
