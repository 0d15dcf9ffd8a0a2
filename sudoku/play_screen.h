// The game screen: the board, the number picker and the counters.
#pragma once

#include "sudoku/board.h"

void game_PlayScreen();
