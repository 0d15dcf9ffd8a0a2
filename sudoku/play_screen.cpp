// The game screen (its frame is empty until the screen is built).
#include "sudoku/play_screen.h"

void game_PlayScreen() {}
