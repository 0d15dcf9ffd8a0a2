// The board of the puzzle being played and the generator that makes a puzzle for each level.
//
// Cells are numbered 0 to 80 row by row (row * 9 + column). Boxes are addressed by a box column
// and a box row, 0 to 2 each; box number = box column + 3 * box row. A puzzle is a complete grid
// built box by box with random digits, thinned box by box according to the level; the player's
// entries are judged against the grid it was cut from. A player in classic mode gets a classic
// puzzle instead (sudoku/classic.h), handed to the board the same way.
#pragma once
#include <cstdint>

#include "run/state.h"

// Cell codes of the board.
constexpr int32_t CELL_EMPTY = 0;  // 1 to 9: a given digit
constexpr int32_t CELL_RIGHT = 10; // + digit: an entry that matches the solution
constexpr int32_t CELL_WRONG = 20; // + digit: an entry that does not

// The puzzle as the player sees it; a level start clears all 100 codes, the first 81 are used.
extern int32_t board[100];
// The complete grid the puzzle was cut from, digits 1 to 9.
extern int32_t solution[81];
extern int32_t wrong_entries; // wrong digits entered this level; a level start resets it
extern int32_t elapsed_ticks; // play time, 60 ticks a second; a level start resets it
extern bool picker_open;      // the game screen's number picker shows; a level start closes it
extern int32_t box_removal;   // how many cells each box loses this level, 1 to 8
extern int32_t full_removal_chance; // the threshold of a box's budget roll, level * 10 + 40
extern int32_t empty_box;           // the box this generation empties; 9 or 100 name none

// The generator's own state, kept for the whole run; game_Reset wipes it (board_reset).
struct BoardGenerator {
    // The random numbers: the classic C library generator, started from 1 and never seeded
    // again, so the same level starts give the same puzzles on every run and platform.
    uint32_t random_state = 1;
    // How many attempts at a random grid a generation makes before it takes a stored grid; tests
    // lower it to reach the stored grids.
    int grid_attempts = 200;
};
extern BoardGenerator board_generator;

// One draw of the generator's random numbers, 0 to 32767.
int nextrandom();

void board_reset();
// Sets up the board for the current level, in the current player's puzzle mode, and switches to
// the game screen. Called by the start screen and the next-level screen.
void game_StartLevel();
// The cells each box loses and the chance threshold for a level.
void levelparameters(int lvl, int32_t& removal, int32_t& chance);
// Fills the grid (always board) with a new puzzle and solution with its complete grid.
void generatepuzzle(int32_t* grid, int removal, int chance);
// Fills one box of a working grid with random digits the row, column and box allow; returns how
// many of its nine cells got a digit.
int fillbox(int32_t* grid, int box_col, int box_row);
// used[d] = 1 for every digit d found in the cell's row, column or box, the cell itself left out.
void useddigits(int32_t* grid, uint8_t used[10], int col, int row);
// Takes cells out of one box as the level asks.
void thinbox(int32_t* grid, int box_col, int box_row, int removal, int chance);
// Reads stored grid number 0..99 from the archive into the grid; returns how many values it
// stored (at most 81), 0 when the entry is missing or fails its check.
int loadstoredgrid(int32_t* grid, int number);
// True when every one of the 81 cells is a given or a right entry agreeing with solution.
bool boardcomplete(const int32_t* grid);
