// The game screen: the board, the number picker and the counters.
#pragma once

void game_PlayScreen();
