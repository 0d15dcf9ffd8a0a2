// Settings and theme files: file numbers, formats and the reading rules.
#include "app/frame.h"
#include "app/shell.h"
#include "platform/files.h"
#include "players/players.h"
#include "players/settings.h"
#include "store/datafile.h"
#include "support.h"

#include <cstring>
#include <filesystem>

class SettingsTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        platform::make_directory("edit");
        set_window(1, 2, 3, 4);
        std::strcpy(player_name, "AB");
    }
    static void set_window(int x, int y, int w, int h) {
        window_x = x;
        window_y = y;
        window_w = w;
        window_h = h;
    }
    static void expect_window(int x, int y, int w, int h) {
        EXPECT_EQ(window_x, x);
        EXPECT_EQ(window_y, y);
        EXPECT_EQ(window_w, w);
        EXPECT_EQ(window_h, h);
    }
    static void write_plain(const char* name, const std::string& text) {
        ASSERT_TRUE(platform::file_write(name, text.data(), text.size()));
    }
};

TEST_F(SettingsTest, FileNumberCombinesTheNameBytes) {
    EXPECT_EQ(game_PlayerFileNumber(""), 85);
    EXPECT_EQ(game_PlayerFileNumber("AB"), 86);
    EXPECT_EQ(game_PlayerFileNumber("BA"), 86);
    EXPECT_EQ(game_PlayerFileNumber("\xff"), 0xAA); // bytes count unsigned
}

TEST_F(SettingsTest, PlacementRoundTripsPerScreen) {
    set_window(252, 271, 520, 546);
    EXPECT_TRUE(game_SaveSettings(Screen::start));
    set_window(9, 9, 400, 400);
    EXPECT_TRUE(game_SaveSettings(Screen::game));
    std::string text;
    ASSERT_TRUE(readdatafile("settings.txt", text));
    EXPECT_EQ(text, "x252 y271 w520 h546>");
    EXPECT_FALSE(platform::file_exists("dummy") || platform::file_exists("ready"));

    std::strcpy(player_name, "BA"); // shares AB's file
    EXPECT_TRUE(game_LoadSettings(Screen::start));
    expect_window(252, 271, 520, 546);
    EXPECT_TRUE(game_LoadSettings(Screen::game));
    expect_window(9, 9, 400, 400);
}

TEST_F(SettingsTest, ReadingRule) {
    struct Case {
        const char* text;
        bool taken;
        int x, y, w, h;
    };
    for (Case c : {Case{"x-8 y20 w520 h546>", true, 8, 20, 520, 546},
                   {"m5 x10 s7 y11>junk w99", true, 10, 11, 3, 4}, // unnamed values kept
                   {"x10 y11 w12 h13", false, 1, 2, 3, 4},         // no ">": nothing changes
                   {"w99999999999999 h>", true, 1, 2, 2147483647, 0}}) {
        set_window(1, 2, 3, 4);
        ASSERT_TRUE(writedatafile("settings.txt", c.text));
        EXPECT_EQ(game_LoadSettings(Screen::start), c.taken) << c.text;
        expect_window(c.x, c.y, c.w, c.h);
    }
    platform::file_delete("settings.txt");
    set_window(1, 2, 3, 4);
    EXPECT_FALSE(game_LoadSettings(Screen::start));
    expect_window(1, 2, 3, 4);
}

TEST_F(SettingsTest, SavesThatCannotBeWrittenReportIt) {
    std::filesystem::remove_all("edit");
    std::filesystem::create_directories("edit/settings86.txt"); // in the way of the settings file
    EXPECT_FALSE(game_SaveSettings(Screen::game));
    std::filesystem::remove_all("edit");
    EXPECT_FALSE(game_SaveTheme("AB"));
    EXPECT_TRUE(game_SaveSettings(Screen::start));
}

TEST_F(SettingsTest, ThemesAreSharedByFileNumberAndStayPlain) {
    board_theme = 3;
    EXPECT_TRUE(game_SaveTheme("AB"));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::file_read("edit\\thame86.txt", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "t3>");
    board_theme = 5;
    EXPECT_TRUE(game_LoadTheme("BA"));
    EXPECT_EQ(board_theme, 3);
}

TEST_F(SettingsTest, ThemeReadingRule) {
    struct Case {
        const char* text;
        bool taken;
        int theme;
    };
    for (Case c : {Case{"t4>", true, 4},
                   {"x9 t 6 >", true, 6},
                   {"t4", false, 0},
                   {"t7>", false, 0},
                   {"9>", true, 2}}) { // a number after no "t" is dropped
        board_theme = 2;
        write_plain("edit\\thame86.txt", c.text);
        EXPECT_EQ(game_LoadTheme("AB"), c.taken) << c.text;
        EXPECT_EQ(board_theme, c.theme) << c.text;
    }
    board_theme = 2;
    EXPECT_FALSE(game_LoadTheme("nobody"));
    EXPECT_EQ(board_theme, 0);
}

// A player's puzzle mode is shared by file number like the theme; a missing or damaged file means
// designed; "--puzzles" wins over every stored choice, and a new player plays designed.
TEST_F(SettingsTest, PuzzleModeFileAndItsFallBacks) {
    EXPECT_EQ(game_StoredPuzzleMode("AB"), PUZZLES_DESIGNED);
    EXPECT_TRUE(game_SavePuzzleMode("AB", PUZZLES_CLASSIC));
    std::vector<uint8_t> bytes;
    ASSERT_TRUE(platform::file_read("edit\\puzzles86.txt", bytes));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "p1>");
    EXPECT_EQ(game_StoredPuzzleMode("BA"), PUZZLES_CLASSIC);
    game_LoadPuzzleMode("BA");
    EXPECT_EQ(puzzle_mode, PUZZLES_CLASSIC);
    game_LoadPuzzleMode("");
    EXPECT_EQ(puzzle_mode, PUZZLES_DESIGNED);

    for (const char* damaged : {"p1", "p2>", "1>", "t1>", "", "\xff\x01p>"}) {
        write_plain("edit\\puzzles86.txt", damaged);
        EXPECT_EQ(game_StoredPuzzleMode("AB"), PUZZLES_DESIGNED) << damaged;
    }
    write_plain("edit\\puzzles86.txt", "x9 p 1 >");
    EXPECT_EQ(game_StoredPuzzleMode("AB"), PUZZLES_CLASSIC);
    std::filesystem::remove("edit/puzzles86.txt");
    std::filesystem::create_directories("edit/puzzles86.txt"); // unreadable
    EXPECT_EQ(game_StoredPuzzleMode("AB"), PUZZLES_DESIGNED);
    EXPECT_FALSE(game_SavePuzzleMode("AB", PUZZLES_CLASSIC));

    run_puzzle_mode = PUZZLES_CLASSIC;
    game_LoadPuzzleMode("");
    EXPECT_EQ(puzzle_mode, PUZZLES_CLASSIC);
    run_puzzle_mode = PUZZLES_DESIGNED;
    game_LoadPuzzleMode("CD"); // "CD" has no file of its own; the run's mode decides anyway
    EXPECT_EQ(puzzle_mode, PUZZLES_DESIGNED);
    run_puzzle_mode = -1;
}
