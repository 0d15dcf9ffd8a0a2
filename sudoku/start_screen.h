// The start screen and the next-level screen.
#pragma once

void game_StartScreen();
void game_NextLevelScreen();
