// Saved games: the written text, what the reader takes from odd files, names that are no plain
// file names, and failed writes.
#include <algorithm>
#include <filesystem>
#include <string>

#include "platform/files.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/saved_game.h"
#include "support.h"

namespace fs = std::filesystem;

class SavedGameTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        platform::make_directory("edit");
    }
    // Writes a plain saved-game text, which the reader takes as it is.
    static void write_plain(const char* name, const std::string& text) {
        ASSERT_TRUE(platform::file_write(name, text.data(), text.size()));
    }
    int32_t loaded_board[81] = {}, loaded_solution[81] = {};
    int load(const char* name) { return game_LoadGame(name, loaded_board, loaded_solution); }
};

namespace {

// The 162 values i + 1 (board) and 100 + i (solution) in the saved-game text.
std::string values_text(const std::string& separator) {
    std::string text;
    for (int i = 0; i < 162; ++i) text += std::to_string(i < 81 ? i + 1 : 100 + i) + separator;
    return text;
}

} // namespace

TEST_F(SavedGameTest, WrittenGameReadsBackExactly) {
    for (int i = 0; i < 81; ++i) {
        board[i] = i % 3 == 0 ? 0 : i % 3 == 1 ? 1 + i % 9 : 21 + i % 9;
        solution[i] = 1 + (i * 4) % 9;
    }
    wrong_entries = 37;
    elapsed_ticks = static_cast<int32_t>(3000000000u); // written unsigned, above 2^31
    ASSERT_TRUE(game_WriteGame("ANN", board, solution));
    std::string plain;
    ASSERT_TRUE(readdatafile("edit\\ANN.txt", plain));
    EXPECT_EQ(plain.substr(0, 8), "0,2,23,0");
    EXPECT_EQ(plain.substr(plain.size() - 14), "37m3000000000t");
    EXPECT_EQ(std::count(plain.begin(), plain.end(), ','), 162);

    wrong_entries = elapsed_ticks = 0;
    EXPECT_EQ(load("ANN"), 162);
    EXPECT_TRUE(std::equal(board, board + 81, loaded_board));
    EXPECT_TRUE(std::equal(solution, solution + 81, loaded_solution));
    EXPECT_EQ(wrong_entries, 37);
    EXPECT_EQ(static_cast<uint32_t>(elapsed_ticks), 3000000000u);
}

TEST_F(SavedGameTest, SpacesAndLineBreaksBetweenValuesReadTheSame) {
    write_plain("edit\\ANN.txt", values_text(", \r\n") + "4 m\r\n 99 t");
    EXPECT_EQ(load("ANN"), 162);
    EXPECT_EQ(loaded_board[80], 81);
    EXPECT_EQ(loaded_solution[0], 181);
    EXPECT_EQ(wrong_entries, 4);
    EXPECT_EQ(elapsed_ticks, 99);
}

TEST_F(SavedGameTest, ValuesBeyondTheHundredAndSixtySecondAreNotStored) {
    write_plain("edit\\ANN.txt", values_text(",") + "55,66,");
    EXPECT_EQ(load("ANN"), 162);
    EXPECT_EQ(loaded_solution[80], 261);
}

TEST_F(SavedGameTest, FiftyOneCharactersConvertWholeAndTheFiftySecondRestartsTheValue) {
    const std::string fifty_one = std::string(50, '0') + "7";
    const std::string fifty_two = std::string(51, '1') + "5";
    write_plain("edit\\ANN.txt", fifty_one + "," + fifty_two + ",9,");
    EXPECT_EQ(load("ANN"), 3);
    EXPECT_EQ(loaded_board[0], 7);
    EXPECT_EQ(loaded_board[1], 5);
    EXPECT_EQ(loaded_board[2], 9);
}

TEST_F(SavedGameTest, MissingTruncatedOrDamagedGamesAreNotUsable) {
    loaded_board[0] = 42;
    wrong_entries = 3;
    elapsed_ticks = 8;
    EXPECT_EQ(load("NOBODY"), 0);
    EXPECT_EQ(loaded_board[0], 42);

    write_plain("edit\\ANN.txt", "5,6,x,"); // no m or t: the counters stay
    EXPECT_EQ(load("ANN"), 3);
    EXPECT_EQ(loaded_board[2], 0);
    EXPECT_EQ(wrong_entries, 3);
    EXPECT_EQ(elapsed_ticks, 8);

    ASSERT_TRUE(game_WriteGame("BEN", board, solution));
    std::vector<uint8_t> stored;
    ASSERT_TRUE(platform::file_read("edit\\BEN.txt", stored));
    stored[41] ^= 0x01; // the low byte of the second content word
    ASSERT_TRUE(platform::file_write("edit\\BEN.txt", stored.data(), stored.size()));
    EXPECT_EQ(load("BEN"), 0);
}

TEST_F(SavedGameTest, EveryNameHasItsOwnFileInsideEdit) {
    const char* names[] = {"A/B", "A\\B", "..", "../X", "C:D", "ANN LEE", "%2F", "T\tAB", "/", ""};
    int32_t count = 0;
    for (const char* name : names) {
        wrong_entries = ++count;
        ASSERT_TRUE(game_WriteGame(name, board, solution)) << name;
    }
    EXPECT_TRUE(fs::exists("edit/ANN LEE.txt"));
    EXPECT_TRUE(fs::exists("edit/A%2FB.txt"));
    // Nothing outside "edit", one file per name inside it.
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
    EXPECT_EQ(std::distance(fs::directory_iterator("edit"), fs::directory_iterator()),
              std::size(names));
    count = 0;
    for (const char* name : names) {
        EXPECT_EQ(load(name), 162) << name;
        EXPECT_EQ(wrong_entries, ++count) << name;
    }
}

TEST_F(SavedGameTest, FailedWriteIsReportedAndKeepsThePreviousGame) {
    wrong_entries = 1;
    ASSERT_TRUE(game_WriteGame("ANN", board, solution));
    fs::create_directory("edit/ANN.txt.new"); // the replacement cannot be written
    wrong_entries = 2;
    EXPECT_FALSE(game_WriteGame("ANN", board, solution));
    EXPECT_EQ(load("ANN"), 162);
    EXPECT_EQ(wrong_entries, 1);
}
