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

// What one input does on the game screen. The mouse, the keyboard and the window's close control
// make them; every change of the board, the marks, the selection and the picker goes through
// apply_move.
enum class MoveKind {
    none,
    select_cell,    // the selection moves to cell, and the picker with it; an open picker closes
    open_picker,    // the picker opens beside the selected cell
    enter_digit,    // digit goes into cell, judged against the solution; a wrong one is counted
    clear_cell,     // cell is emptied, its pencil marks too
    choose_nothing, // a picker item that changes nothing was chosen: the picker closes
    close_picker,   // the picker closes without a choice (a click beside it, Escape)
    leave,          // the game is saved and the start screen follows
    toggle_mark,    // digit's pencil mark in the empty cell goes on or off
    undo,           // the last change of the board or the marks is undone
    redo,           // the change undone last is made again
    notes_mode,     // digits go in as pencil marks, or again as entries
    pause,          // the board hides and the play clock stops
    resume,         // the board shows and the clock runs again
};
struct Move {
    MoveKind kind = MoveKind::none;
    int cell = 0;  // row * 9 + column, for select_cell, enter_digit and clear_cell
    int digit = 0; // 1 to 9, for enter_digit and toggle_mark
};
// Applies a move to the board, the marks, the wrong-entry count, the selection, the picker and the
// screen. Every choice from the picker (enter_digit, clear_cell, choose_nothing, toggle_mark) ends
// by checking the board: a complete one switches current_screen to Screen::next_level. Every change
// of the board or the marks is a step of the history (sudoku/notes.h) and is saved at once, in the
// background, unless it completed the board.
void apply_move(const Move& move);

// The screen's own state beyond the design's globals; wiped when the screen is entered.
struct PlayVisit {
    bool notes_mode = false; // digits go in as pencil marks
    bool paused = false;     // the board is hidden and the clock stands
    int held_arrow = -1;     // the arrow key held since its press (an index of the arrow keys)
    int held_frames = 0;     // frames it has been held: past a delay it repeats
};
extern PlayVisit play_visit;

void play_screen_reset();
// Entering the screen: the selection goes to the first empty cell, notes mode and pause are off.
void play_screen_enter();
// One frame of the game screen; run by the dispatcher while current_screen is Screen::game.
void game_PlayScreen();
// Saves what the screen's close control saves, when a game is in progress on the game screen;
// the shell calls it when the system asks the program to end. True when a game was saved.
bool game_SaveOnEnd();
