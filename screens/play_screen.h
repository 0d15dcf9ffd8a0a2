// The game screen: the board, the number picker and the counters, and the moves that change them.
#pragma once
#include <cstdint>

#include "sudoku/board.h"

// What one input does on the game screen. The mouse, the keyboard and the window's close control
// make them; every change of the board, the marks, the selection and the picker goes through
// apply_move.
enum class MoveKind {
    none,
    select_cell,     // the selection moves to cell, and the picker with it; an open picker closes
    open_picker,     // the picker opens beside the selected cell
    enter_digit,     // digit goes into cell, judged against the solution; a wrong one is counted
    clear_cell,      // cell is emptied, its pencil marks too
    choose_nothing,  // a picker item that changes nothing was chosen: the picker closes
    close_picker,    // the picker closes without a choice (a click beside it, Escape)
    leave,           // the player leaves the game
    toggle_mark,     // digit's pencil mark in the empty cell goes on or off
    undo,            // the last change of the board or the marks is undone
    redo,            // the change undone last is made again
    notes_mode,      // digits go in as pencil marks, or again as entries
    pause,           // the board hides and the play clock stops
    resume,          // the board shows and the clock runs again
    hint,            // the hint's next tier (screens/play_hint.h)
    fill_candidates, // every empty cell's marks become the digits its houses allow
    tidy_candidates, // the marks keep only the digits their cell's houses allow
};
struct Move {
    MoveKind kind = MoveKind::none;
    int cell = 0;  // row * 9 + column, for select_cell, enter_digit and clear_cell
    int digit = 0; // 1 to 9, for enter_digit and toggle_mark
};
// What a move changed, for the screen's frame to act on (docs/ARCHITECTURE.md, "The game screen:
// moves"): it saves a change, shows the next-level screen for a complete board, and saves and
// shows the start screen when the player leaves.
struct MoveResult {
    bool changed = false;  // a choice or a step of the history changed the board or the marks
    bool complete = false; // a choice from the picker or a step of the history left it complete
    bool leave = false;    // the player leaves the game
};
// Applies a move to the board, the marks, the wrong-entry count, the selection, the picker and the
// visit's notes mode and pause, and reports what it changed. Every choice from the picker
// (enter_digit, clear_cell, choose_nothing, toggle_mark) closes it and checks the board. Every
// change of the board or the marks is a step of the history (sudoku/notes.h).
MoveResult apply_move(const Move& move);

// The grid: the centre of the top-left cell. The picker's slots stand PICKER_STEP apart.
constexpr float GRID_X = 45, GRID_Y = 55;
constexpr float PICKER_STEP = 35;

// The screen's state that lasts the run; wiped only when the game resets (play_screen_reset).
struct PlayRun {
    int32_t selected_col = 0, selected_row = 0;     // the selected cell, 0 to 8 each
    float selected_x = GRID_X, selected_y = GRID_Y; // the selected cell's centre on the screen
    // The picker slot under the pointer when the picker was last drawn, or -1: a click chooses it.
    int32_t picker_choice = -1;
    float picker_x = GRID_X, picker_y = GRID_Y + PICKER_STEP; // where its first item is centred
    float tick_accumulator = 0;      // frame steps gathered towards the next play-time tick
    bool name_check_pending = false; // a new player's name still has to be checked
};
// The screen's state for one visit; wiped when the screen is entered (play_screen_enter).
struct PlayVisit {
    bool notes_mode = false; // digits go in as pencil marks
    bool paused = false;     // the board is hidden and the clock stands
    int held_arrow = -1;     // the arrow key held since its press (an index of the arrow keys)
    int held_frames = 0;     // frames it has been held: past a delay it repeats
};
// Read-only views of the screen's state, for tests and tools.
const PlayRun& play_screen_run();
const PlayVisit& play_screen_visit();
// The centre of picker slot 1 to 12 where the picker stands now (rows of four, items 1 to 11).
float picker_slot_x(int slot);
float picker_slot_y(int slot);
// The centre of a cell of the board (row * 9 + column) on the screen.
float cell_centre_x(int cell);
float cell_centre_y(int cell);
// The centre of a digit's pencil mark in a cell, and the mark drawn there.
float mark_centre_x(int cell, int digit);
float mark_centre_y(int cell, int digit);
void draw_mark(int cell, int digit, float opacity);

void play_screen_reset();
// Entering the screen: the selection goes to the first empty cell, notes mode and pause are off.
void play_screen_enter();
// One frame of the game screen; run by the dispatcher while current_screen is Screen::game.
void game_PlayScreen();
// When the screen next changes by itself, in passes (layout.h): the name check's warning's blink,
// else the clock's next second while it counts (one tick a pass, 60 a second).
int play_screen_next_change(bool seen);
// Saves what the screen's close control saves, when a game is in progress on the game screen;
// the shell calls it when the system asks the program to end. True when a game was saved.
bool game_SaveOnEnd();
