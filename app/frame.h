// The frame: timing, the per-frame step, screen dispatch, and the state the screens share.
#pragma once

#include "run/state.h"

extern float frames_per_second;
extern double previous_frame_time; // the timer reading of the previous frame, 0 at start
extern double frame_deadline;      // when the next frame may start (pacing), 0 at start

void frame_reset();
// Seconds from a fixed origin.
double game_Timer();
// One frame: time it, clear, dispatch and present. Called on every pass of the message loop.
void game_Render();
// Runs the current screen or the dialog; called by game_Render.
int game_Dispatch();
// Waits until 1/60 s after the previous frame's start, so the game runs at 60 frames a second
// without holding a processor; after a stall the deadline starts afresh from now.
void game_PaceFrame();
