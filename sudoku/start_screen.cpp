// The start screen and the next-level screen (empty until they are built).
#include "sudoku/start_screen.h"

void game_StartScreen() {}
void game_NextLevelScreen() {}
