// The window placement and board theme files, named per player by the player file number.
//
// "settings.txt" holds the placement used outside the game screen, "edit\settings<n>.txt" a
// player's placement on the game screen, both as "x%d y%d w%d h%d>" in the stored form;
// "edit\thame<n>.txt" holds a player's theme as plain "t%d>", and "edit\puzzles<n>.txt" the
// player's puzzle mode as plain "p%d>". n is game_PlayerFileNumber of the name, so names with the
// same number share their files.
#pragma once

#include "run/state.h"

constexpr int THEME_COUNT = 7; // board themes 0 (plain) to 6

extern int board_theme; // the board's colour theme, 0 to THEME_COUNT - 1

// The puzzles a player plays: the game's own (the default) or classic ones, each with exactly one
// solution and graded harder as the levels rise.
enum PuzzleMode { PUZZLES_DESIGNED, PUZZLES_CLASSIC };
extern int puzzle_mode; // the current player's, read by every level start
// The mode "--puzzles" sets for every player of the run, -1 when it was not given. The command
// line sets it before the game starts; the game's resets leave it.
extern int run_puzzle_mode;

void settings_reset();
// 0x55 combined with every byte of the name by exclusive or: 0 to 255.
int game_PlayerFileNumber(const char* name);
// Writes window_x/y/w/h to the current player's settings file when screen is Screen::game, else
// to "settings.txt"; false when it could not be written (the old file stays). The window controls
// call it when the left button is released over them.
bool game_SaveSettings(Screen screen);
// Reads the placement from the same file choice into window_x/y/w/h; true when values were taken
// (the file's text reached ">"). Otherwise the placement is left as it was.
bool game_LoadSettings(Screen screen);
// Writes board_theme into the named player's theme file; false when it could not be written (the
// old file stays).
bool game_SaveTheme(const char* name);
// Sets board_theme from the named player's theme file; true when one was read, otherwise the
// theme becomes 0.
bool game_LoadTheme(const char* name);
// The named player's stored puzzle mode; designed when the file is missing or damaged.
int game_StoredPuzzleMode(const char* name);
// Writes the puzzle mode into the named player's file; false when it could not be written (the old
// file stays).
bool game_SavePuzzleMode(const char* name, int mode);
// Sets puzzle_mode for the player about to play: the run's mode when "--puzzles" gave one, else
// the player's stored mode; a new player (empty name) plays designed.
void game_LoadPuzzleMode(const char* name);
