// The players and their high-score table: the players file "scores.txt" and the clickable list.
//
// The file holds one record a line, "name,score,level," and CR LF, in the stored form. Readers
// take every byte of 32 and above (so names keep their spaces), end a field at each comma and a
// record at every third; a field keeps at most 51 characters (the 52nd starts it afresh). A
// record's 1-based place in the file is its row in the list. Every change is written as
// "writting.txt" and then replaces "scores.txt" by write-then-rename.
#pragma once
#include <cstdint>
#include <string>

#include "run/state.h"

constexpr const char* PLAYERS_FILE = "scores.txt";
constexpr const char* PLAYERS_WORK_FILE = "writting.txt";

extern int list_first_row;       // first record position shown (scroll position), from 1
extern int list_expanded;        // 0: the start screen shows 3 rows, 1: 10 rows
extern char list_hover_name[52]; // the name of the row last hovered or pressed
extern std::string list_text;    // the plain players file as the list last read it, whole
extern int list_visible_chars;   // letters, digits, ":" and spaces in list_text; below 3: empty
extern int list_frame;           // the list's first-frame memory
extern int name_check_result;    // 0 the new name is free, 2 it is taken
extern float name_check_timer;   // the taken-name warning's time, 100 units a second
extern int name_check_frame;     // the name check's first-frame memory
extern bool players_saved;       // whether the last change of the players file reached the disk

void players_reset();

// The C library's conversion of the leading, optionally signed decimal number of a text (0 when
// there is none), held within 32 bits. Numbers in the players file and saved games read so.
int32_t leading_number(const char* text);

// Called every frame while a newly typed name waits: 3 the name is empty, 0 it is free, 1 it is
// taken and the warning still blinks, 2 it is taken and the warning is over or Escape was pressed.
int game_CheckNewPlayer(const char* name);
// Mode 0 adds a record at the end; mode 1 replaces the first record of the name (adding nothing
// when there is none). Returns whether a record was replaced and written; players_saved tells
// whether the file was written at all (a damaged file is never replaced in mode 1).
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
// Every entry into a screen that shows the list calls this: the list reads the players file afresh
// (sorted) at its next frame.
void players_list_enter();
// One frame of the list at (x, y): mode 0 the start-screen form, 1 the options form. Returns the
// selected row (0 for none); toggle, when given, receives list_expanded.
int game_DisplayPlayers(float x, float y, int mode, int preselected, float row_height,
                        int visible_rows, int* toggle);
