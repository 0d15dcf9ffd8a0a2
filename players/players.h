// The players and their high-score table: the players file "scores.txt".
//
// The file holds one record a line, "name,score,level," and CR LF, in the stored form. Readers
// take every byte of 32 and above (so names keep their spaces), end a field at each comma and a
// record at every third; a field keeps at most 51 characters (the 52nd starts it afresh). A
// record's 1-based place in the file is its row in the list. Every change is written as
// "writting.txt" and then replaces "scores.txt" by write-then-rename.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "run/state.h"

constexpr const char* PLAYERS_FILE = "scores.txt";
constexpr const char* PLAYERS_WORK_FILE = "writting.txt";
constexpr size_t FIELD_LIMIT = 51; // characters a field keeps

// The name of the player-list row last hovered or pressed; the to-do panel writes it too, the
// options screen reads it.
extern char list_hover_name[52];

// Kept for the whole run; wiped by players_reset.
struct PlayersFile {
    bool saved = false; // whether the last change of the players file reached the disk
};
extern PlayersFile players_file;

void players_reset();

// The C library's conversion of the leading, optionally signed decimal number of a text (0 when
// there is none), held within 32 bits. Numbers in the players file and saved games read so.
int32_t leading_number(const char* text);

// One complete record: name, score and level as they stand in the file.
struct PlayerRecord {
    std::array<std::string, 3> field;
    const std::string& name() const { return field[0]; }
};
// The complete records of the plain players file; text after the last one is no record. Every
// reader of the file parses it here.
std::vector<PlayerRecord> parse_players(const std::string& text);
// The plain players file as the game takes it; false when it is missing or cannot be read. A file
// that fails its check gives the records that still parse whole, one a line (the player is told
// once how many were recovered; the file stays until its next write keeps it as damaged).
bool read_players_file(std::string& text);
// Whether a record of the players file holds exactly this name; a missing or damaged file holds
// none.
bool player_taken(const char* name);
// Mode 0 adds a record at the end; mode 1 replaces the first record of the name (adding nothing
// when there is none). A file that failed its check gives the records recovered from it, and is
// kept as damaged before it is replaced. Returns whether a record was replaced and written;
// players_file.saved tells whether the file was written at all.
bool game_StorePlayer(const char* name, int32_t score, int32_t level, int mode);
// Finds the first record whose name equals name's text or whose position equals row, and copies
// its name (at most PLAYER_NAME_SIZE - 1 characters), score and level out; false (outputs
// untouched) when there is none.
bool game_LoadPlayer(int row, char* name, int32_t* score, int32_t* level);
// Sorts the players file by descending score, keeping the order of equal scores. The first 1000
// records take part; any further ones follow them in their own order.
void game_SortScores();
// Removes the record at the 1-based position row; true when one was removed and the file written.
bool game_RemovePlayer(int row);
