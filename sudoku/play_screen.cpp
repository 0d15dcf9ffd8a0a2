// The game screen (empty until its screen is built).
#include "sudoku/play_screen.h"

void game_PlayScreen() {}
