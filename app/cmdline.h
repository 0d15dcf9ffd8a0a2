// The command line of the game: the help, the version, the data folder and the puzzle mode.
#pragma once
#include <cstdio>

// Reads the options before the game starts (main calls it first). Prints the help or the version
// to out, or what is wrong and the usage to err, and returns the exit code: 0 after the help or
// the version, 2 for a wrong option, 1 when the data folder cannot be entered. Returns -1 when
// the game should run; with "--data-dir DIR" it then runs in DIR, with "--puzzles MODE" every
// player plays MODE (run_puzzle_mode).
int game_CommandLine(int argc, char** argv, std::FILE* out, std::FILE* err);
