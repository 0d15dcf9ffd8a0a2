// The game screen: the board, the number picker and the counters.
#pragma once
#include <cstdint>

extern int32_t wrong_entries; // wrong digits entered this level
extern int32_t elapsed_ticks; // play time, 60 ticks a second
extern bool picker_open;      // the number picker beside the selected cell is showing

void game_PlayScreen();
