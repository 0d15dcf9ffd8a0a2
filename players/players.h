// The players and their high-score table: the players file "scores.txt" and the clickable list.
#pragma once
#include <cstdint>

#include "run/state.h"

extern int list_first_row;       // first record position shown (scroll position), from 1
extern int list_expanded;        // 0: the start screen shows 3 rows, 1: 10 rows
extern char list_hover_name[52]; // the name of the row last hovered or pressed

void players_reset();

// Called every frame while a newly typed name waits: 3 the name is empty, 0 it is free, 1 it is
// taken and the warning still blinks, 2 it is taken and the warning is over or Escape was pressed.
int game_CheckNewPlayer(const char* name);
// Mode 0 adds a record at the end; mode 1 replaces the first record of the name (adding nothing
// when there is none). Returns whether a record was replaced.
bool game_StorePlayer(const char* name, int32_t score, int32_t level, int mode);
// Finds the first record whose name equals name's text or whose position equals row, and copies
// its name, score and level out; false (outputs untouched) when there is none.
bool game_LoadPlayer(int row, char* name, int32_t* score, int32_t* level);
// Sorts the players file by descending score, keeping the order of equal scores.
void game_SortScores();
// Removes the record at the 1-based position row; true when one was removed.
bool game_RemovePlayer(int row);
// One frame of the list at (x, y): mode 0 the start-screen form, 1 the options form. Returns the
// selected row (0 for none); toggle, when given, receives list_expanded.
int game_DisplayPlayers(float x, float y, int mode, int preselected, float row_height,
                        int visible_rows, int* toggle);
