// The game screen's help through the real loop: the hint's tiers on a designed and a classic
// puzzle, the notes that leave out an answer, the candidates filled, undone and tidied; none of it
// places a digit or touches the counters or the saved game.
#include <algorithm>
#include <cstring>
#include <string>

#include "gfx/sheet.h"
#include "gfx_support.h"
#include "input/keyboard.h"
#include "players/players.h"
#include "players/settings.h"
#include "screen_support.h"
#include "screens/play_hint.h"
#include "store/background_save.h"
#include "sudoku/notes.h"
#include "sudoku/saved_game.h"

namespace hl = platform::headless;

namespace {

constexpr int DIK_Y = 21, DIK_H = 35, DIK_X = 45, DIK_C = 46,
              DIK_N = 49; // where a US layout has them

// Whether the frame drew the sheet's rectangle from (left, top).
bool drawn(int left, int top) {
    return std::any_of(hl::draws().begin(), hl::draws().end(), [&](const platform::SpriteDraw& d) {
        return d.source.left == left && d.source.top == top;
    });
}

} // namespace

class HintTest : public ScreenTest {
  protected:
    void start(int mode, int lvl) {
        std::strcpy(player_name, "ANN");
        game_StorePlayer(player_name, 0, lvl, 0);
        puzzle_mode = mode;
        level = lvl;
        game_StartLevel();
        pass();
        std::copy(board, board + 81, codes);
        ticks = elapsed_ticks - frame_counter;
    }
    static void chord(int modifier, int dik, int frames) {
        hl::set_key(modifier, true);
        press(dik, frames);
        hl::set_key(modifier, false);
    }
    static bool marks_are(const uint16_t* marks) {
        return std::equal(marks, marks + 81, play_notes.marks);
    }
    // Nothing the help does places a digit, counts a wrong entry or stops the clock.
    void expect_game_untouched() {
        EXPECT_TRUE(std::equal(codes, codes + 81, board));
        EXPECT_EQ(wrong_entries, 0);
        EXPECT_EQ(elapsed_ticks - frame_counter, ticks);
    }
    int32_t codes[81] = {};
    int64_t ticks = 0;
    const HintShown& shown = hint_shown();
};

// H three times: the technique and its houses, then its reasons and the ghost digit or the struck
// candidates, then for an elimination the candidates out of the marks as one step. The candidates
// filled, undone and redone as one step each; the saved game and the notes file written meanwhile
// read back as the board and the marks are.
TEST_F(HintTest, TiersOnADesignedAndAClassicPuzzleLeaveTheGameAsItWas) {
    for (const auto& [mode, lvl] : {std::pair{PUZZLES_DESIGNED, 30}, {PUZZLES_CLASSIC, 99}}) {
        start(mode, lvl);
        uint16_t allowed[81];
        allowed_marks(board, allowed);
        press(DIK_C, 1);
        ASSERT_TRUE(marks_are(allowed));
        chord(DIK_LCONTROL, DIK_Z, 3);
        EXPECT_EQ(std::count(play_notes.marks, play_notes.marks + 81, 0), 81);
        chord(DIK_LCONTROL, DIK_Y, 10);
        EXPECT_TRUE(marks_are(allowed));

        press(DIK_H, 1);
        ASSERT_EQ(shown.tier, 1);
        const LogicStep step = shown.hint.step;
        EXPECT_TRUE(drawn(450, 100)); // its houses lit
        EXPECT_FALSE(drawn(420, 200));
        press(DIK_H, 3);
        EXPECT_EQ(shown.tier, 2);
        EXPECT_TRUE(drawn(420, 200)); // the cells that justify it
        press(DIK_H, 10);
        if (step.cell >= 0) {
            EXPECT_EQ(shown.tier, 2); // a placement shows its ghost digit and no more
            EXPECT_TRUE(drawn(RIGHT_DIGIT_STRIP_X + 20 * step.digit, DIGIT_STRIP_Y));
        } else {
            EXPECT_EQ(shown.tier, 0);
            EXPECT_FALSE(marks_are(allowed));
            chord(DIK_RCONTROL, DIK_Z, 1);
        }
        expect_game_untouched();
        saves_flush();
        int32_t saved[81], digits[81];
        const int32_t clock = elapsed_ticks;
        ASSERT_EQ(game_LoadGame(player_name, saved, digits), SAVED_GAME_VALUES);
        EXPECT_TRUE(std::equal(codes, codes + 81, saved));
        EXPECT_EQ(wrong_entries, 0);
        elapsed_ticks = clock;
        game_LoadNotes(player_name); // the whole-board steps were written and read back
        EXPECT_TRUE(marks_are(allowed));
        chord(DIK_LCONTROL, DIK_Z, 1);
        EXPECT_EQ(std::count(play_notes.marks, play_notes.marks + 81, 0), 81);
        chord(DIK_LCONTROL, DIK_Y, 1);
        if (step.cell < 0) continue;

        // Marks that leave out the answer come first; a key the screen does not use and a click
        // dismiss the hint.
        press(DIK_H, 1);
        press(DIK_Q, 3);
        EXPECT_EQ(shown.tier, 0);
        press(DIK_H, 1);
        click(static_cast<int>(cell_centre_x(step.cell)),
              static_cast<int>(cell_centre_y(step.cell)));
        EXPECT_EQ(shown.tier, 0);
        if (!play_screen_visit().notes_mode) press(DIK_N, 1);
        int other = 1; // the answer out of the marks, a digit not in them in
        while (play_notes.marks[step.cell] & mark_bit(other)) ++other;
        type(std::to_string(step.digit) + std::to_string(other));
        press(DIK_H, 3);
        EXPECT_EQ(shown.hint.kind, HintKind::notes_miss);
        EXPECT_EQ(std::string(shown.hint.text), "YOUR NOTES IN ROW " +
                                                    std::to_string(step.cell / 9 + 1) +
                                                    " LEAVE OUT THE ANSWER");
        expect_game_untouched();
    }
}

// An elimination whose candidates the player has pencilled goes out of the marks at the third
// press; tidying keeps only the digits the houses allow.
TEST_F(HintTest, EliminationsAndTidying) {
    // The first level from 40 on whose first step is an elimination.
    for (int lvl = 40;
         lvl < 100 && (shown.hint.kind != HintKind::step || shown.hint.step.cell >= 0); ++lvl) {
        start(PUZZLES_DESIGNED, lvl);
        press(DIK_C, 3);
        press(DIK_H, 10);
    }
    const LogicStep step = shown.hint.step;
    ASSERT_EQ(step.cell, -1);
    uint16_t allowed[81];
    allowed_marks(board, allowed);
    expect_golden("hint-elimination-1");
    press(DIK_H, 1);
    expect_golden("hint-elimination-2");
    press(DIK_H, 3);
    EXPECT_EQ(shown.tier, 0);
    for (int cell = 0; cell < 81; ++cell)
        EXPECT_EQ(play_notes.marks[cell], allowed[cell] & ~step.removed[cell]) << cell;
    expect_golden("hint-elimination-3");

    // A digit its row holds, pencilled into an empty cell, goes; the marks the hint took stay out.
    const int cell = static_cast<int>(std::find(board, board + 81, CELL_EMPTY) - board);
    const int32_t* row = board + cell / 9 * 9;
    const int held =
        *std::find_if(row, row + 9, [](int32_t code) { return code >= 1 && code <= 9; });
    click(static_cast<int>(cell_centre_x(cell)), static_cast<int>(cell_centre_y(cell)));
    if (!play_screen_visit().notes_mode) press(DIK_N, 1);
    type(std::to_string(held));
    ASSERT_NE(play_notes.marks[cell] & mark_bit(held), 0);
    hl::set_key_layout(hl::KeyLayout::russian); // the letter commands at their US places
    press(DIK_X, 10);
    for (int i = 0; i < 81; ++i) EXPECT_EQ(play_notes.marks[i], allowed[i] & ~step.removed[i]) << i;
    expect_game_untouched();
}

// The panel of each tier of a placement on two themes, and the candidates filled.
TEST_F(HintTest, GoldenTiersOnTwoThemesAndTheCandidates) {
    start(PUZZLES_DESIGNED, 30);
    for (int theme : {0, 4}) {
        board_theme = theme;
        press(DIK_H, 1);
        expect_golden(("hint-1-" + std::to_string(theme)).c_str());
        press(DIK_H, 3);
        expect_golden(("hint-2-" + std::to_string(theme)).c_str());
        press(DIK_N, 1); // notes mode on and off: dismissed
        press(DIK_N, 1);
    }
    board_theme = 0;
    press(DIK_C, 1);
    expect_golden("hint-candidates");
}
