// The shell: start-up, the window and its geometry, the message loop, shut-down.
#pragma once

#include "run/state.h"

// Puts every module's globals back at their start values (the window-edge controls then store
// the placement through the settings writer). The start-up calls it first; tests before each case.
void game_Reset();
// The program: start-up, the loop until the quit message, shut-down; returns the exit code.
int game_Main();
// Start-up up to the loop; false when the program must end with exit_code.
bool game_Start(int& exit_code);
// One pass of the message loop: take at most one message, render one frame, apply the window
// geometry, wait for the next frame (or for input, after a frame that changed nothing). Returns
// false once the quit message was taken, or at once, after saving a game in progress, when the
// system asks the program to end.
bool game_LoopPass();
// Shut-down after the loop; returns the exit code of the last message taken.
int game_Finish();
// Loads the character-set image and the alarm sound and shows the start screen.
long Game_0Stage0();
// The window's handler of the messages sent to it (the start screen's quit sends WM_CLOSE).
long game_WindowProcedure(unsigned message);
