// Saved games: one file per player in "edit", named from the player's name.
#pragma once
#include <cstdint>

// Stores the current player's record (score and level) and writes the saved game.
bool game_SaveGame();
// Writes the saved game of the current player in the background, after a change of the board.
void game_SaveInBackground();
// Waits until every save handed to the background is on the disk.
void saves_flush();
// Saves as game_SaveGame does where the player leaves a game (the game screen's close and Escape,
// the next-level screen's save and stop); a save that failed is shown in a message box.
void game_SaveGameOrTell();
// Writes the saved game of name from the two 81-value arrays and the two counters.
bool game_WriteGame(const char* name, const int32_t* board, const int32_t* solution);
// Reads the saved game of name into the arrays and the counters; returns how many values it
// stored (0 to 162, 0 when there is no file). Below 162 there is no usable saved game.
int game_LoadGame(const char* name, int32_t* board, int32_t* solution);
