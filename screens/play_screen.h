// The game screen: the board, the number picker and the counters.
#pragma once
#include <cstdint>

#include "sudoku/board.h"

extern int32_t selected_col, selected_row; // the selected cell, 0 to 8 each
extern float selected_x, selected_y;       // the selected cell's centre on the screen
extern int32_t picker_choice;    // the picker item under the mouse when it was last drawn, or -1
extern float picker_x, picker_y; // where the picker's first item is centred
extern float tick_accumulator;   // frame steps gathered towards the next play-time tick
extern bool name_check_pending;  // a new player's name still has to be checked

void play_screen_reset();
// One frame of the game screen; run by the dispatcher while current_screen is SCREEN_GAME.
void game_PlayScreen();
// Saves what the screen's close control saves, when a game is in progress on the game screen;
// the shell calls it when the system asks the program to end. True when a game was saved.
bool game_SaveOnEnd();
