// Saved games: one file per player in "edit", named from the player's name, and beside it the
// player's notes file (the pencil marks and undo history, sudoku/notes_file.h).
#pragma once
#include <cstdint>

// Stores the current player's record (score and level) and writes the saved game and the notes
// file; false when any of them, or a background save since the last call, failed.
bool game_SaveGame();
// Saves as game_SaveGame does where the player leaves a game (the game screen's close and Escape,
// the next-level screen's save and stop); a save that failed is shown in a message box.
void game_SaveGameOrTell();
// Writes the saved game of name from the two 81-value arrays and the two counters.
bool game_WriteGame(const char* name, const int32_t* board, const int32_t* solution);
// Reads the saved game of name into the arrays and the counters; returns how many values it
// stored (0 to 162, 0 when there is no file). Below 162 there is no usable saved game.
int game_LoadGame(const char* name, int32_t* board, int32_t* solution);
// Reads the notes file of name into play_notes, for the game on the board (read it first): no
// notes (notes_reset) when the file is missing, does not read whole or belongs to another puzzle.
void game_LoadNotes(const char* name);
// The save after every change of the board or the marks, called by the game screen: the saved game
// and the notes file of the current player are made here (cheap) and written on the background
// writer (store/background_save.h), the latest of each file winning. The player's record is not
// stored: score and level do not change during play. A save that fails here or on the writer is
// told by the next game_SaveGame (the one made on leaving), which writes everything again.
void game_SaveInBackground();
