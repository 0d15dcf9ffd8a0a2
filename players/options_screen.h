// The options screen: board themes and removing players.
#pragma once

void game_OptionsScreen();
