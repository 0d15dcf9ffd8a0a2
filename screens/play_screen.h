// The game screen: the board, the number picker and the counters, and the moves that change them.
#pragma once
#include <cstdint>

#include "sudoku/board.h"

extern int32_t selected_col, selected_row; // the selected cell, 0 to 8 each
extern float selected_x, selected_y;       // the selected cell's centre on the screen
extern int32_t picker_choice;    // the picker item under the mouse when it was last drawn, or -1
extern float picker_x, picker_y; // where the picker's first item is centred
extern float tick_accumulator;   // frame steps gathered towards the next play-time tick
extern bool name_check_pending;  // a new player's name still has to be checked

// What one input does on the game screen. The mouse, Escape and the window's close control make
// them; every change of the board, the selection and the picker goes through apply_move.
enum class MoveKind {
    none,
    select_cell,    // the selection moves to cell, and the picker with it
    open_picker,    // the picker opens beside the selected cell
    enter_digit,    // digit goes into cell, judged against the solution; a wrong one is counted
    clear_cell,     // cell is emptied
    choose_nothing, // a picker item that changes nothing was chosen: the picker closes
    close_picker,   // the picker closes without a choice (a click beside it, Escape)
    leave,          // the game is saved and the start screen follows
};
struct Move {
    MoveKind kind = MoveKind::none;
    int cell = 0;  // row * 9 + column, for select_cell, enter_digit and clear_cell
    int digit = 0; // 1 to 9, for enter_digit
};
// Applies a move to the board, the wrong-entry count, the selection, the picker and the screen.
// Every choice from the picker (enter_digit, clear_cell, choose_nothing) ends by checking the
// board: a complete one switches current_screen to SCREEN_NEXT_LEVEL.
void apply_move(const Move& move);

void play_screen_reset();
// One frame of the game screen; run by the dispatcher while current_screen is SCREEN_GAME.
void game_PlayScreen();
// Saves what the screen's close control saves, when a game is in progress on the game screen;
// the shell calls it when the system asks the program to end. True when a game was saved.
bool game_SaveOnEnd();
