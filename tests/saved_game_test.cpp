// Saved games: the written text, what the reader takes from odd files, names that are no plain
// file names, and failed writes; the notes file beside it, and the saves in the background.
#include <algorithm>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include "platform/files.h"
#include "platform/headless/headless.h"
#include "run/state.h"
#include "store/background_save.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/notes.h"
#include "sudoku/notes_file.h"
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
    // The last three are names Windows would refuse or misread: a device's name, the characters it
    // keeps out of names, a Windows-1252 letter.
    const char* names[] = {"A/B",   "A\\B", "..", "../X", "C:D",      "ANN LEE", "%2F",
                           "T\tAB", "/",    "",   "CON",  "W*?<>|\"", "\xC9LISE"};
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

namespace {

// A game in play for ANN: givens in every third cell, a right and a wrong entry, marks in two
// cells and a history of two steps, the second undone.
void game_in_play() {
    std::strcpy(player_name, "ANN");
    for (int i = 0; i < 81; ++i) {
        solution[i] = 1 + (i * 4 + i / 27) % 9;
        board[i] = i % 3 == 0 ? solution[i] : 0;
    }
    board[1] = 10 + solution[1];
    board[2] = 20 + solution[2] % 9 + 1;
    wrong_entries = 1;
    notes_reset();
    play_notes.marks[4] = mark_bit(2) | mark_bit(9);
    play_notes.marks[80] = mark_bit(1);
    play_notes.steps[0].count = 2;
    play_notes.steps[0].changes[0] = {1, 0, static_cast<uint8_t>(board[1]), mark_bit(3), 0};
    play_notes.steps[0].changes[1] = {4, 0, 0, mark_bit(2) | mark_bit(3) | mark_bit(9),
                                      mark_bit(2) | mark_bit(9)};
    play_notes.steps[1].count = 1;
    play_notes.steps[1].changes[0] = {7, 0, 0, 0, mark_bit(5)};
    play_notes.step_count = 2;
    play_notes.applied = 1;
}

bool same_notes(const PlayNotes& a, const PlayNotes& b) {
    if (!std::equal(a.marks, a.marks + 81, b.marks) || a.step_count != b.step_count ||
        a.applied != b.applied)
        return false;
    for (int s = 0; s < a.step_count; ++s) {
        const HistoryStep &x = a.steps[s], &y = b.steps[s];
        if (x.count != y.count) return false;
        for (int i = 0; i < x.count; ++i) {
            const CellChange &c = x.changes[i], &d = y.changes[i];
            if (c.cell != d.cell || c.code_before != d.code_before ||
                c.code_after != d.code_after || c.notes_before != d.notes_before ||
                c.notes_after != d.notes_after)
                return false;
        }
    }
    return true;
}

std::vector<uint8_t> file_bytes(const char* name) {
    std::vector<uint8_t> bytes;
    platform::file_read(name, bytes);
    return bytes;
}

} // namespace

TEST_F(SavedGameTest, NotesAndHistoryReadBackOnlyForTheirOwnPuzzle) {
    game_in_play();
    const PlayNotes written = play_notes;
    ASSERT_TRUE(game_SaveGame());
    EXPECT_TRUE(fs::exists("edit/ANN.notes"));
    notes_reset();
    ASSERT_EQ(load("ANN"), 162);
    game_LoadNotes("ANN");
    EXPECT_TRUE(same_notes(play_notes, written));

    board[0] = 0; // a given less: another puzzle
    game_LoadNotes("ANN");
    EXPECT_EQ(play_notes.marks[4], 0);
    EXPECT_EQ(play_notes.step_count, 0);
    board[0] = solution[0];
    std::swap(solution[1], solution[2]); // another solution
    game_LoadNotes("ANN");
    EXPECT_EQ(play_notes.marks[4], 0);

    game_StartLevel(); // a new puzzle, saved as the next-level screen saves it: no notes
    ASSERT_TRUE(game_SaveGame());
    ASSERT_EQ(load("ANN"), 162);
    game_LoadNotes("ANN");
    EXPECT_TRUE(same_notes(play_notes, PlayNotes{}));
}

// Every cut of the text and every value out of its range: no notes at all; in the file, the saved
// game reads on, and the next save keeps the damaged file before replacing it.
TEST_F(SavedGameTest, DamagedNotesMeanNoNotesNeverALostGame) {
    game_in_play();
    ASSERT_TRUE(game_SaveGame());
    std::string good;
    ASSERT_TRUE(readdatafile("edit\\ANN.notes", good));
    std::vector<std::string> bad;
    for (size_t cut = 0; cut + 2 < good.size(); ++cut) bad.push_back(good.substr(0, cut));
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const std::string step = "step 1 7 0 0 0 32";
    for (const char* wrong : {"step 1 81 0 0 0 32",  // cell beyond 80
                              "step 1 0 0 0 0 32",   // a given
                              "step 1 7 5 0 0 32",   // a given's code
                              "step 1 7 0 30 0 32",  // no code
                              "step 1 7 0 0 0 1",    // bit 0
                              "step 1 7 0 0 0 1024", // bit 10
                              "step 1 7 0 0 0 -32",  // no number
                              "step 0",              // an empty step
                              "step 22 7 0 0 0 32",  // more cells than a step changes
                              "step 1 7 0 0 0 32 9", // one value too many
                              "more 1 7 0 0 0 32"})  // no step to go on: first, or where one begins
        bad.push_back(replaced(step, wrong));
    const std::string history = "history 2 1";
    for (const char* wrong : {"history 2 3", "history 401 1", "history 3 1", "history 2 000001"})
        bad.push_back(replaced(history, wrong));
    bad.push_back(replaced("marks 0 0 0 0 516", "marks 8 0 0 0 516")); // marks on a given
    bad.push_back(replaced("marks 0 0 0 0 516", "marks 0 0 0 0 65540"));
    bad.push_back(replaced("notes 1", "notes 2"));
    bad.push_back(replaced("puzzle ", "puzzle 0"));
    bad.push_back(good + "end\r\n");
    const auto notes = std::make_unique<PlayNotes>();
    std::string puzzle;
    for (const std::string& text : bad) {
        notes->marks[4] = 1;
        EXPECT_FALSE(notes_parse(text, puzzle, *notes)) << text;
        EXPECT_TRUE(same_notes(*notes, PlayNotes{})) << text;
    }

    ASSERT_TRUE(writedatafile("edit\\ANN.notes", bad[bad.size() / 2]));
    ASSERT_EQ(game_LoadGame("ANN", board, solution), 162);
    game_LoadNotes("ANN");
    EXPECT_TRUE(same_notes(play_notes, PlayNotes{}));
    std::vector<uint8_t> stored = file_bytes("edit\\ANN.notes");
    stored[41] ^= 0x01; // the stored form fails its check
    ASSERT_TRUE(platform::file_write("edit\\ANN.notes", stored.data(), stored.size()));
    game_in_play();
    game_LoadNotes("ANN");
    EXPECT_TRUE(same_notes(play_notes, PlayNotes{}));
    EXPECT_TRUE(game_SaveGame());
    EXPECT_EQ(file_bytes("edit\\ANN.notes.damaged"), stored);
}

// The save after a change writes on the writer thread exactly what the leaving save writes, the
// latest change winning; a failed background write is made good by the next save, not told.
TEST_F(SavedGameTest, BackgroundSaveWritesTheLatestChangeAsTheLeavingSaveDoes) {
    game_in_play();
    game_SaveInBackground();
    board[5] = 10 + solution[5];
    play_notes.marks[8] = mark_bit(4);
    game_SaveInBackground();
    saves_flush();
    const std::vector<uint8_t> game = file_bytes("edit\\ANN.txt"),
                               notes = file_bytes("edit\\ANN.notes");
    ASSERT_TRUE(game_SaveGame());
    EXPECT_EQ(game, file_bytes("edit\\ANN.txt"));
    EXPECT_EQ(notes, file_bytes("edit\\ANN.notes"));
    ASSERT_EQ(load("ANN"), 162);
    EXPECT_EQ(loaded_board[5], 10 + solution[5]);
    game_LoadNotes("ANN");
    EXPECT_EQ(play_notes.marks[8], mark_bit(4));

    fs::create_directory("edit/ANN.txt.new"); // the writer cannot replace the saved game
    board[5] = 0;
    game_SaveInBackground();
    saves_flush();
    fs::remove("edit/ANN.txt.new");
    EXPECT_TRUE(game_SaveGame()); // written now: the failure before it is made good, not told
    ASSERT_EQ(load("ANN"), 162);
    EXPECT_EQ(loaded_board[5], 0);
}

// A saved game the game cannot read whole is kept, and the player told, before the writer first
// replaces it.
TEST_F(SavedGameTest, BackgroundSaveKeepsADamagedGameFirst) {
    game_in_play();
    write_plain("edit\\ANN.txt", "1,2,x");
    game_SaveInBackground();
    ASSERT_EQ(platform::headless::message_boxes().size(), 1u);
    saves_flush();
    EXPECT_EQ(file_bytes("edit\\ANN.txt.damaged"), std::vector<uint8_t>({'1', ',', '2', ',', 'x'}));
    EXPECT_EQ(load("ANN"), 162);
}
