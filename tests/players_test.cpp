// The players file and the list: storing, loading, sorting, removing, names with spaces, long
// tables, and the list's scrolling, toggle, hover and empty-table rules frame by frame.
#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "gfx/cursor.h"
#include "gfx_support.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"
#include "players/players.h"
#include "screens/name_check.h"
#include "screens/player_list.h"
#include "store/datafile.h"

namespace hl = platform::headless;

class PlayersTest : public DrawTest {
  protected:
    static void write_plain(const std::string& text) {
        ASSERT_TRUE(platform::file_write(PLAYERS_FILE, text.data(), text.size()));
    }
    static std::string plain() {
        std::string text;
        EXPECT_TRUE(readdatafile(PLAYERS_FILE, text));
        return text;
    }
    struct Loaded {
        bool found;
        std::string name;
        int32_t score, level;
    };
    // game_LoadPlayer by row or name; score and level stay -1 when nothing is found.
    static Loaded load(int row, const char* by_name = "") {
        char name[PLAYER_NAME_SIZE] = {};
        std::strncpy(name, by_name, PLAYER_NAME_SIZE - 1);
        int32_t score = -1, level = -1;
        const bool found = game_LoadPlayer(row, name, &score, &level);
        return {found, name, score, level};
    }
    // Records "P1,<score>,1," ... for the given scores.
    static std::string table(std::initializer_list<int> scores) {
        std::string text;
        int n = 0;
        for (int s : scores)
            text += "P" + std::to_string(++n) + "," + std::to_string(s) + ",1,\r\n";
        return text;
    }
};

TEST_F(PlayersTest, StoreAddsReplacesAndLoadsByNameOrRow) {
    EXPECT_FALSE(game_StorePlayer("ANN", 0, 1, 0)); // creates the file
    EXPECT_TRUE(players_file.saved);
    EXPECT_FALSE(game_StorePlayer("BEN", 50, 2, 0));
    EXPECT_EQ(plain(), "ANN,0,1,\r\nBEN,50,2,\r\n");
    EXPECT_TRUE(platform::file_exists(PLAYERS_WORK_FILE));
    EXPECT_TRUE(game_StorePlayer("ANN", 700, 9, 1));
    EXPECT_FALSE(game_StorePlayer("NOBODY", 1, 1, 1)); // rewritten unchanged
    EXPECT_EQ(plain(), "ANN,700,9,\r\nBEN,50,2,\r\n");

    Loaded ben = load(0, "BEN");
    EXPECT_TRUE(ben.found);
    EXPECT_EQ(ben.score, 50);
    EXPECT_EQ(ben.level, 2);
    Loaded first = load(1);
    EXPECT_EQ(first.name, "ANN");
    EXPECT_EQ(first.score, 700);
    Loaded none = load(3);
    EXPECT_FALSE(none.found);
    EXPECT_EQ(none.score, -1); // untouched
}

TEST_F(PlayersTest, NamesWithSpacesAreFoundAgain) {
    game_StorePlayer("ANN LEE", 0, 1, 0);
    EXPECT_TRUE(game_StorePlayer("ANN LEE", 90, 4, 1));
    EXPECT_EQ(plain(), "ANN LEE,90,4,\r\n");
    frame_counter = 5;
    EXPECT_EQ(game_CheckNewPlayer("ANN LEE"), NameCheck::warning);
    EXPECT_EQ(load(0, "ANN LEE").score, 90);
}

TEST_F(PlayersTest, ReaderSkipsControlBytesAndRestartsLongFieldsAndIgnoresATail) {
    write_plain("A\tN\rN,1\n2,3,\r\n" + std::string(51, 'x') + "Q,5,6,\r\nTAIL,7,");
    const Loaded ann = load(0, "ANN");
    EXPECT_EQ(ann.score, 12);
    EXPECT_EQ(ann.level, 3);
    EXPECT_EQ(load(2).name, "Q");
    EXPECT_FALSE(load(3).found);
}

TEST_F(PlayersTest, SortIsStableAndKeepsRecordsBeyondItsLimit) {
    write_plain(table({10, 20, 10, 20, 5}));
    game_SortScores();
    const std::string once = plain();
    EXPECT_EQ(once, "P2,20,1,\r\nP4,20,1,\r\nP1,10,1,\r\nP3,10,1,\r\nP5,5,1,\r\n");
    game_SortScores();
    EXPECT_EQ(plain(), once);

    std::string big;
    for (int i = 1; i <= 1003; ++i)
        big += "N" + std::to_string(i) + "," + std::to_string(i) + ",1,\r\n";
    write_plain(big);
    game_SortScores();
    EXPECT_EQ(load(1).score, 1000); // the first thousand sorted
    EXPECT_EQ(load(1000).score, 1);
    EXPECT_EQ(load(1001).score, 1001); // the rest follow in their order
    EXPECT_EQ(load(1003).score, 1003);
}

TEST_F(PlayersTest, RemoveTakesOutOneRowAndRowZeroNothing) {
    write_plain(table({3, 2, 1}));
    EXPECT_FALSE(game_RemovePlayer(0));
    EXPECT_EQ(plain(), table({3, 2, 1}));
    EXPECT_TRUE(game_RemovePlayer(2));
    EXPECT_EQ(plain(), "P1,3,1,\r\nP3,1,1,\r\n");
    EXPECT_FALSE(platform::file_exists(PLAYERS_WORK_FILE));
    EXPECT_FALSE(game_RemovePlayer(3));
}

// A file that fails its check gives back every record the damage missed (a record's bytes are its
// line and the line ends on both sides), anywhere the bytes changed; the player is told how many,
// and the next write keeps the damaged file and stores the recovered records with the change.
TEST_F(PlayersTest, DamagedFileGivesBackEveryRecordTheDamageMissedAndIsKept) {
    std::mt19937 random(29);
    for (int trial = 0; trial < 450; ++trial) {
        std::string text;
        std::vector<size_t> starts;
        for (int i = 0; i < 12; ++i) {
            starts.push_back(text.size());
            text += "P " + std::to_string(i) + "," + std::to_string(random() % 99999) + "," +
                    std::to_string(1 + random() % 99) + ",\r\n";
        }
        std::vector<uint8_t> stored = lockbytes(PLAYERS_FILE, {text.begin(), text.end()}), unlocked;
        std::set<size_t> touched;
        for (int i = 0; i < std::array{1, 3, 30}[trial % 3]; ++i) {
            const size_t at = random() % stored.size();
            stored[at] = static_cast<uint8_t>(stored[at] + 1 + random() % 255);
            // A word's high byte and the checked layer's header and checksum hold no content.
            if (at < 15 + 24 || (at - 15) % 2 == 1) continue;
            const size_t byte = (at - 15) / 2 - 12;
            const size_t line =
                std::upper_bound(starts.begin(), starts.end(), byte) - starts.begin();
            touched.insert(line - 1);
            if (text[byte] < 32) touched.insert(line); // a line end joins two lines
        }
        if (unlockbytes(PLAYERS_FILE, stored, unlocked)) continue; // the damage passed the check
        ASSERT_TRUE(platform::file_write(PLAYERS_FILE, stored.data(), stored.size()));
        datafile_reset();
        std::string read;
        ASSERT_TRUE(read_players_file(read));
        for (size_t line = 0; line < starts.size(); ++line) {
            const std::string record =
                text.substr(starts[line], text.find('\n', starts[line]) + 1 - starts[line]);
            EXPECT_TRUE(touched.contains(line) || read.find(record) != std::string::npos)
                << trial << record;
        }
        const std::string told = "\"scores.txt\" could not be read whole; " +
                                 std::to_string(std::count(read.begin(), read.end(), '\n'));
        EXPECT_EQ(hl::message_boxes().back().text.find(told), 0u);
        if (trial % 30 != 0) continue;
        game_StorePlayer("NEW", 7, 2, 0);
        ASSERT_TRUE(players_file.saved);
        EXPECT_EQ(plain(), read + "NEW,7,2,\r\n");
        ASSERT_TRUE(platform::file_read("scores.txt.damaged", unlocked));
        EXPECT_EQ(unlocked, stored);
        EXPECT_EQ(hl::message_boxes().back().text.find(told), 0u); // the keeping is not told again
        std::filesystem::remove("scores.txt.damaged");
    }
}

TEST_F(PlayersTest, FailedWritesAreReported) {
    std::filesystem::remove(PLAYERS_FILE);
    game_StorePlayer("ANN", 5, 1, 0);
    std::filesystem::create_directory("scores.txt.new");
    EXPECT_FALSE(game_StorePlayer("BEN", 0, 1, 0));
    EXPECT_FALSE(players_file.saved);
    EXPECT_EQ(plain(), "ANN,5,1,\r\n");
}

TEST_F(PlayersTest, NameCheckWarnsForFiveSecondsOrUntilEscape) {
    EXPECT_EQ(game_CheckNewPlayer(""), NameCheck::empty);
    frame_counter = 1;
    EXPECT_EQ(game_CheckNewPlayer("ANN"), NameCheck::free); // no file: every name is free
    game_StorePlayer("ANN", 0, 1, 0);
    frame_step = 200.0f / 60;
    int frames = 0, dark = 0;
    auto result = NameCheck::free;
    for (frame_counter = 10; (result = game_CheckNewPlayer("ANN")) == NameCheck::warning;
         ++frame_counter) {
        name_check_draw();
        ++frames;
        if (draws().empty()) ++dark;
        clear();
    }
    EXPECT_EQ(result, NameCheck::taken);
    EXPECT_NEAR(frames, 300, 2);
    EXPECT_NEAR(dark, 150, 4); // half the time off: it blinks
    frame_counter += 5;        // a new check
    EXPECT_EQ(game_CheckNewPlayer("ANN"), NameCheck::warning);
    ++frame_counter;
    hl::set_key(DIK_ESCAPE, true);
    EXPECT_EQ(game_CheckNewPlayer("ANN"), NameCheck::taken);
}

// The list driven frame by frame as a screen runs it: mouse read, list, pointer.
class PlayerListTest : public PlayersTest {
  protected:
    // One frame with the left button held or not.
    int step(int x, int y, bool down, int mode, int preselected, int rows) {
        hl::move_mouse(x - mouse.x, y - mouse.y);
        hl::set_button(0, down);
        ++frame_counter;
        clear();
        mouse.poll();
        const int row = game_DisplayPlayers(80, mode == 0 ? 290 : 50, mode, preselected,
                                            mode == 0 ? 16 : 25, rows);
        game_DisplayCursor(true);
        return row;
    }
    // A frame, and with press a press: the frame the button goes down, then its release.
    int frame(int x, int y, bool press, int mode = 0, int preselected = 0, int rows = 3) {
        const int row = step(x, y, press, mode, preselected, rows);
        if (press) step(x, y, false, mode, preselected, rows);
        return row;
    }
    // The y of the rows marked in the frame the button goes down at (150, y) on the options form.
    std::vector<float> marked_on_press(int y, int preselected) {
        step(150, y, true, 1, preselected, 10);
        std::vector<float> marked;
        for (const platform::SpriteDraw& d : draws())
            if (d.sx == 7) marked.push_back(d.ty); // the row highlight, 7 cells wide
        step(150, y, false, 1, preselected, 10);
        return marked;
    }
    // The name under the first row of the start-screen list (rows from y = 328.4).
    std::string first_row_name() {
        frame(150, 335, false);
        return list_hover_name;
    }
    const PlayerListRun& list = player_list_run();
};

TEST_F(PlayerListTest, ScrollingStopsAtBothEndsAndTheToggleStartsFromTheFirstRecord) {
    write_plain(table({50, 40, 30, 20, 10}));
    EXPECT_EQ(first_row_name(), "P1");
    for (int expected : {2, 3, 3}) {
        frame(256, 372, true); // scroll down, below the three rows
        EXPECT_EQ(list.list_first_row, expected);
    }
    EXPECT_EQ(first_row_name(), "P3");
    for (int expected : {2, 1, 1}) {
        frame(256, 318, true); // scroll up, above the rows
        EXPECT_EQ(list.list_first_row, expected);
    }
    frame(316, 372, true);
    EXPECT_TRUE(list.list_expanded);
    EXPECT_EQ(list.list_first_row, 0);
    EXPECT_EQ(first_row_name(), "P1");
    frame(256, 372, true);
    EXPECT_EQ(list.list_first_row, 1);
    EXPECT_EQ(first_row_name(), "P1");
}

TEST_F(PlayerListTest, PressSelectsAndPreselectionNeedsTheButton) {
    write_plain(table({50, 40, 30}));
    EXPECT_EQ(frame(150, 348, false), 0);
    EXPECT_STREQ(list_hover_name, "P2");
    EXPECT_EQ(frame(150, 348, true), 2);
    // The options form: rows from y = 50, 20 apart; the preselection stays until a press.
    list_hover_name[0] = '\0';
    EXPECT_EQ(frame(150, 75, false, 1, 3, 10), 3);
    EXPECT_STREQ(list_hover_name, "");
    EXPECT_EQ(frame(150, 75, true, 1, 3, 10), 2);
    EXPECT_STREQ(list_hover_name, "P2");
    // The rows are walked top down and a press takes the selection from its row on: the
    // preselected row stays marked beside a press below it, not beside one above it.
    EXPECT_EQ(marked_on_press(100, 1), (std::vector<float>{50, 90}));
    EXPECT_EQ(marked_on_press(80, 3), (std::vector<float>{70}));
}

TEST_F(PlayerListTest, FewerThanThreeVisibleCharactersIsAnEmptyTable) {
    write_plain("A,,,\r\n-,-,-,\r\n");
    EXPECT_EQ(frame(150, 335, true), 0);
    const std::string text = "Click'play'tostartanewgame"; // the glyphs drawn, spaces left out
    EXPECT_EQ(draws().size(), text.size() + 1);            // and the pointer
    EXPECT_EQ(list.frame, frame_counter);                  // read once
}

TEST_F(PlayerListTest, EveryRecordOfALongFileIsListed) {
    std::string big;
    for (int i = 1; i <= 80; ++i) big += "PLAYER" + std::to_string(i) + ",123456,50,\r\n";
    write_plain(big);
    frame(0, 0, false);
    EXPECT_GT(player_list_visit().list_text.size(), 999u);
    for (int i = 0; i < 77; ++i) frame(256, 372, true); // scroll down to record 78
    EXPECT_EQ(first_row_name(), "PLAYER78");
    frame(256, 372, true);
    EXPECT_EQ(list.list_first_row, 78); // records 78 to 80 in view: the last is shown
}

// A missing file is looked for again once a second, and at once after the game wrote a file.
TEST_F(PlayerListTest, MissingFileDrawsOnlyTheControlsAndIsLookedForAgain) {
    frame(256, 300, false);
    std::ofstream(PLAYERS_FILE, std::ios::binary) << table({2}); // another program writes it
    for (int i = 1; i < LOOK_AGAIN; ++i) frame(256, 300, false);
    EXPECT_TRUE(player_list_visit().missing);
    frame(256, 300, false);
    EXPECT_FALSE(player_list_visit().missing);
    std::filesystem::remove(PLAYERS_FILE);
    player_list_enter();
    frame(256, 300, false);
    write_plain(table({1}));
    frame(150, 335, false);
    EXPECT_STREQ(list_hover_name, "P1");
}
