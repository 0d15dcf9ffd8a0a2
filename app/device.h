// The devices: the renderer with its fallbacks, the sound bank, keyboard and mouse.
#pragma once

#include "run/state.h"

extern unsigned backbuffer_w, backbuffer_h; // the back buffer's size, read after creation

// Creates every device once the window exists; false when the program must end.
bool game_InitDevice();
// Stops the sounds and releases the renderer; called once after the message loop.
void game_Cleanup();
