// The options screen (empty until its screen is built).
#include "players/options_screen.h"

void game_OptionsScreen() {}
