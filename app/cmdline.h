// The command line of the game: the help, the version, the data folder, the puzzle mode and the
// calendar files.
#pragma once
#include <cstdio>

// Reads the options before the game starts (main calls it first). Prints the help or the version
// to out, or what is wrong and the usage to err, and returns the exit code: 0 after the help or
// the version, 2 for a wrong option. Otherwise it makes the data folder ready: the folder given
// with "--data-dir DIR" (the current one without), made where it is missing, entered and locked
// for this process. A folder that cannot be made or written in is told in a message box (1);
// while another copy of the game runs in it, that copy's window is raised, or a box says so (0).
// Returns -1 when the game should run, reading its own data where it is installed or built; with
// "--puzzles MODE" every player plays MODE (run_puzzle_mode). With "--export-ics FILE" or
// "--import-ics FILE" it writes or reads the calendar file on the data folder's tasks, telling on
// out and err only, and returns 0 or 1: the game does not run. With "--reminders" the folder is
// made and entered, not locked, and the reminder program runs in place of this process.
int game_CommandLine(int argc, char** argv, std::FILE* out, std::FILE* err);
