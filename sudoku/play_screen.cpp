// The game screen (its frame is empty until the screen is built).
#include "sudoku/play_screen.h"

int32_t wrong_entries = 0;
int32_t elapsed_ticks = 0;
bool picker_open = false;

void game_PlayScreen() {}
