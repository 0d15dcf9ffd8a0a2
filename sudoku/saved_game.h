// Saved games: one file per player in "edit", named from the player's name, and beside it the
// player's notes file (the pencil marks and undo history, sudoku/notes_file.h).
#pragma once
#include <cstdint>

// Stores the current player's record (score and level) and writes the saved game and the notes
// file; false when the record or the saved game could not be written. Whether the notes file was
// written goes to notes_saved, when given. Both files are written whole here, so a background save
// that failed before is made good: it is not a failure of this save.
bool game_SaveGame(bool* notes_saved = nullptr);
// Saves as game_SaveGame does where the player stores a game (the game screen's close and Escape,
// the next-level screen's buttons); a save that failed is shown in a message box, a notes file that
// could not be written in one of its own.
void game_SaveGameOrTell();
// Writes the saved game of name from the two 81-value arrays and the two counters.
bool game_WriteGame(const char* name, const int32_t* board, const int32_t* solution);
// Reads the saved game of name into the arrays and the counters; returns how many values it
// stored (0 to SAVED_GAME_VALUES, 0 when there is no file). Below SAVED_GAME_VALUES there is no
// usable saved game.
constexpr int SAVED_GAME_VALUES = 2 * 81; // the board's 81 codes and the solution's 81 digits
int game_LoadGame(const char* name, int32_t* board, int32_t* solution);
// Reads the notes file of name into play_notes, for the game on the board (read it first): no
// notes (notes_reset) when the file is missing, does not read whole or belongs to another puzzle.
void game_LoadNotes(const char* name);
// The save after every change of the board or the marks, called by the game screen: the saved game
// and the notes file of the current player are made here (cheap) and written on the background
// writer (store/background_save.h), the latest of each file winning. The player's record is not
// stored: score and level do not change during play. A save that fails here or on the writer is
// made good by the next game_SaveGame (the one made on leaving), which writes everything again.
void game_SaveInBackground();
