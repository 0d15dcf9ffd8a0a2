// The options screen through the loop: theme rows, the remove box, Back, Escape and Confirm, by
// the mouse and by the keyboard.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gfx_support.h"
#include "input/keyboard.h"
#include "platform/files.h"
#include "players/players.h"
#include "players/settings.h"
#include "screen_support.h"
#include "screens/options_screen.h"

namespace hl = platform::headless;

namespace {
constexpr platform::Rect MARKER{175, 425, 200, 450};
const OptionsVisit& options = options_screen_visit();

// The marker's draw of the frame, if any.
const platform::SpriteDraw* marker() {
    for (const platform::SpriteDraw& d : hl::draws())
        if (d.source.left == MARKER.left && d.source.top == MARKER.top &&
            d.source.right == MARKER.right && d.source.bottom == MARKER.bottom)
            return &d;
    return nullptr;
}
} // namespace

class OptionsTest : public ScreenTest {
  protected:
    void SetUp() override {
        ScreenTest::SetUp();
        board_theme = 3;
        current_screen = Screen::options;
        pass();
    }
};

TEST_F(OptionsTest, EntryMarksTheCurrentThemeAndDrawsTheSamples) {
    EXPECT_FLOAT_EQ(options.options_theme_row, 3);
    EXPECT_EQ(options.options_selection, 0);
    ASSERT_NE(marker(), nullptr);
    EXPECT_FLOAT_EQ(marker()->tx, 40);
    EXPECT_FLOAT_EQ(marker()->ty, 325 + 25 * 3);
    // Row 0 shows cells 0 and 1, row 6 cells 26 and 27, half size from (25, 325) down.
    int samples = 0;
    for (const platform::SpriteDraw& d : hl::draws())
        if (d.sx == 0.5f && d.sy == 0.5f) {
            ++samples;
            if (d.ty == 325 && d.tx == 25) {
                EXPECT_EQ(d.source.left, 0);
            }
            if (d.ty == 475 && d.tx == 50) {
                EXPECT_EQ(d.source.left, 350); // cell 27
            }
        }
    EXPECT_EQ(samples, 14);
}

TEST_F(OptionsTest, ThemeColumnEndsAboveTheLowestPointerRow) {
    click(50, 499);
    EXPECT_FLOAT_EQ(options.options_theme_row, 6);
    click(30, 340);
    EXPECT_FLOAT_EQ(options.options_theme_row, 0);
    click(50, 500);
    EXPECT_FLOAT_EQ(options.options_theme_row, 0);
    EXPECT_EQ(current_screen, Screen::options);
}

TEST_F(OptionsTest, RemoveBoxMovesTheMarkerToItsTick) {
    click(250, 280);
    EXPECT_TRUE(options.options_delete_mode);
    pass();
    ASSERT_NE(marker(), nullptr);
    EXPECT_FLOAT_EQ(marker()->tx, 245);
    EXPECT_FLOAT_EQ(marker()->ty, 267);
    click(250, 280);
    EXPECT_FALSE(options.options_delete_mode);
}

// The puzzle boxes: a press on a box or its label ticks it (a second tick, the theme's marker
// stays), and nothing else moves.
TEST_F(OptionsTest, PuzzleBoxesTickOneMode) {
    auto tick_at = [](float x) {
        int ticks = 0;
        for (const platform::SpriteDraw& d : hl::draws())
            ticks += d.source.left == MARKER.left && d.source.top == MARKER.top && d.tx == x &&
                     d.ty == 442;
        return ticks;
    };
    EXPECT_EQ(options.puzzle_mode, PUZZLES_DESIGNED);
    EXPECT_EQ(tick_at(262), 1);
    click(440, 458); // the end of the classic label
    EXPECT_EQ(options.puzzle_mode, PUZZLES_CLASSIC);
    EXPECT_EQ(tick_at(372), 1);
    EXPECT_EQ(tick_at(262), 0);
    EXPECT_FLOAT_EQ(marker()->ty, 325 + 25 * 3); // the theme row is still marked
    click(360, 458);                             // between the two: nothing
    click(380, 476); // Confirm's top edge, below the boxes: the warning, no tick
    EXPECT_EQ(options.puzzle_mode, PUZZLES_CLASSIC);
    click(264, 458); // the designed box
    EXPECT_EQ(options.puzzle_mode, PUZZLES_DESIGNED);
    EXPECT_FALSE(options.options_delete_mode);
    EXPECT_FLOAT_EQ(options.options_theme_row, 3);
}

TEST_F(OptionsTest, BackAndEscapeStoreNothingAndResetTheTheme) {
    click(50, 380); // theme row 2
    click(460, 480);
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_EQ(board_theme, 0);

    board_theme = 5;
    current_screen = Screen::options;
    pass();
    EXPECT_FLOAT_EQ(options.options_theme_row, 5); // a new visit starts afresh
    click(50, 380);
    press(DIK_ESCAPE);
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_EQ(board_theme, 0);
    EXPECT_TRUE(std::filesystem::is_empty("edit"));
}

TEST_F(OptionsTest, ConfirmWithoutAPlayerBlinksTheWarningForASecond) {
    point(380, 485);
    const size_t plain = hl::draws().size();
    click(380, 485);
    EXPECT_EQ(current_screen, Screen::options);
    EXPECT_GT(options.options_warning_timer, 0);
    int frames_with_text = 0, frames = 0;
    while (options.options_warning_timer > 0 && frames < 200) {
        pass();
        ++frames;
        if (hl::draws().size() >= plain + 17) ++frames_with_text; // the glyphs of the warning
    }
    EXPECT_GE(frames, 58); // one second at 60 frames a second
    EXPECT_LE(frames, 62);
    EXPECT_GE(frames_with_text, 26); // on for half of each quarter second
    EXPECT_LE(frames_with_text, 34);
    EXPECT_EQ(current_screen, Screen::options);
    EXPECT_TRUE(std::filesystem::is_empty("edit"));
}

class OptionsWithPlayersTest : public OptionsTest {
  protected:
    void SetUp() override {
        OptionsTest::SetUp();
        game_StorePlayer("ALICE", 50, 3, 0);
        game_StorePlayer("BOB", 10, 1, 0);
        current_screen = Screen::start; // the list reads the table when the screen is entered
        pass();
        current_screen = Screen::options;
        pass();
        click(200, 80); // the second row: BOB
        ASSERT_EQ(options.options_selection, 2);
        ASSERT_STREQ(list_hover_name, "BOB");
    }
    static bool has_record(const char* name) {
        char buffer[PLAYER_NAME_SIZE];
        std::snprintf(buffer, sizeof buffer, "%s", name);
        int32_t s, l;
        return game_LoadPlayer(0, buffer, &s, &l);
    }
};

// A damaged theme file that cannot be kept (a full disk) stays, and the player is told the choice
// was not stored.
TEST_F(OptionsWithPlayersTest, ConfirmStoresTheMarkedThemeOfTheChosenPlayer) {
    const std::string theme_file =
        "edit/thame" + std::to_string(game_PlayerFileNumber("BOB")) + ".txt";
    std::ofstream(theme_file) << "t\x01";
    platform::set_disk_space(0);
    click(50, 455); // theme row 5
    click(380, 486);
    platform::set_disk_space(-1);
    ASSERT_EQ(hl::message_boxes().size(), 1u);
    EXPECT_EQ(hl::message_boxes()[0].text, "the board theme and puzzle choice could not be saved");
    EXPECT_EQ(std::filesystem::file_size(theme_file), 2u);
    current_screen = Screen::options;
    pass();
    click(200, 80);
    click(50, 455);
    click(380, 486);
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_EQ(board_theme, 0);
    EXPECT_TRUE(game_LoadTheme("BOB"));
    EXPECT_EQ(board_theme, 5);
    EXPECT_FALSE(game_LoadTheme("ALICE"));
    EXPECT_TRUE(has_record("BOB"));
}

TEST_F(OptionsWithPlayersTest, ConfirmInRemoveModeRemovesThePlayerAndStoresNoTheme) {
    game_StorePlayer("CAROL", 5, 2, 0); // the third row
    click(50, 455);
    click(250, 280); // the remove box
    click(380, 486);
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_FALSE(has_record("BOB"));
    EXPECT_TRUE(has_record("ALICE"));
    EXPECT_FALSE(game_LoadTheme("BOB"));
    EXPECT_EQ(board_theme, 0);
    // The start screen reads the list afresh: its second row is CAROL's, and continues her game.
    point(200, 347);
    EXPECT_STREQ(list_hover_name, "CAROL");
    click(200, 347);
    EXPECT_EQ(current_screen, Screen::game);
    EXPECT_STREQ(player_name, "CAROL");
}

TEST_F(OptionsTest, ANameIsChosenAsItWasTyped) {
    game_StorePlayer("A/1", 20, 4, 0);
    current_screen = Screen::start;
    pass();
    current_screen = Screen::options;
    pass();
    click(200, 60); // the first row
    EXPECT_STREQ(list_hover_name, "A/1");
    click(50, 355); // theme row 1
    click(380, 486);
    EXPECT_TRUE(game_LoadTheme("A/1"));
    EXPECT_EQ(board_theme, 1);
}

TEST_F(OptionsWithPlayersTest, GoldenChosenPlayerAndTheme) {
    click(50, 380); // theme row 2
    pass(400);      // the background has faded in
    point(300, 200);
    expect_golden("options");
}

// Whole jobs from the keyboard alone, each key held as long as a person holds it: a player's row,
// a theme and a puzzle mode chosen and confirmed (the player's files on disk), then a player
// removed with the remove box and Confirm.
TEST_F(OptionsTest, KeysAloneChooseAThemeAndModeThenRemoveAPlayer) {
    game_StorePlayer("ALICE", 50, 3, 0);
    game_StorePlayer("BOB", 10, 1, 0);
    for (const char* name : {"X1", "X2", "X3"}) game_StorePlayer(name, 1, 1, 0);
    auto enter_options = [] {
        current_screen = Screen::start;
        pass();
        current_screen = Screen::options;
        pass();
    };
    auto read_file = [](const char* stem, const char* name) {
        const std::string path =
            "edit/" + std::string(stem) + std::to_string(game_PlayerFileNumber(name)) + ".txt";
        std::ifstream in(path);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const int themes[] = {2, 4, 6};
    int round = 0;
    for (int held : {1, 3, 10}) {
        enter_options();
        press(DIK_DOWN, held); // shows the focus on the first row
        press(DIK_DOWN, held);
        press(DIK_RETURN, held);
        ASSERT_EQ(options.options_selection, 2) << held;
        ASSERT_STREQ(list_hover_name, "BOB");
        press(DIK_TAB, held);
        ASSERT_EQ(options.focus.group, OPTIONS_THEMES);
        for (int step = 0; step < themes[round]; ++step) press(DIK_DOWN, held);
        press(DIK_SPACE, held);
        EXPECT_EQ(options.options_theme_row, themes[round]);
        press(DIK_TAB, held); // the remove box
        press(DIK_TAB, held); // the puzzle modes
        press(DIK_RIGHT, held);
        press(DIK_RETURN, held);
        EXPECT_EQ(options.puzzle_mode, PUZZLES_CLASSIC);
        press(DIK_TAB, held);
        ASSERT_EQ(options.focus.group, OPTIONS_CONFIRM);
        press(DIK_NUMPADENTER, held);
        ASSERT_EQ(current_screen, Screen::start) << held;
        EXPECT_EQ(read_file("thame", "BOB"), "t" + std::to_string(themes[round]) + ">");
        EXPECT_EQ(game_StoredPuzzleMode("BOB"), PUZZLES_CLASSIC);

        // The last row (X3, then X2, then X1) removed.
        enter_options();
        const int last = 5 - round;
        for (int step = 0; step < last; ++step) press(DIK_DOWN, held);
        press(DIK_RETURN, held);
        ASSERT_EQ(options.options_selection, last) << held;
        hl::set_key(DIK_LSHIFT, true); // back round: Back, Confirm, the puzzle modes, remove box
        for (int step = 0; step < 4; ++step) press(DIK_TAB, held);
        hl::set_key(DIK_LSHIFT, false);
        ASSERT_EQ(options.focus.group, OPTIONS_REMOVE);
        press(DIK_SPACE, held);
        ASSERT_TRUE(options.options_delete_mode);
        press(DIK_TAB, held);
        press(DIK_TAB, held);
        press(DIK_RETURN, held);
        ASSERT_EQ(current_screen, Screen::start);
        char removed[PLAYER_NAME_SIZE] = {'X', static_cast<char>('3' - round), '\0'};
        int32_t s, l;
        EXPECT_FALSE(game_LoadPlayer(0, removed, &s, &l)) << held;
        ++round;
    }
    char bob[PLAYER_NAME_SIZE] = "BOB";
    int32_t s, l;
    EXPECT_TRUE(game_LoadPlayer(0, bob, &s, &l));
}

TEST_F(OptionsWithPlayersTest, GoldenOptionsFocus) {
    pass(400); // the background has faded in
    point(300, 200);
    press(DIK_DOWN); // the focus shows on the first row
    expect_golden("options_focus_row");
    press(DIK_TAB);
    press(DIK_TAB);
    press(DIK_TAB);
    press(DIK_TAB); // Confirm
    expect_golden("options_focus");
}
