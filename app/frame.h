// The frame: timing, the per-frame step, screen dispatch, and the state the screens share.
#pragma once

enum : int { SCREEN_START = 2, SCREEN_GAME = 4, SCREEN_NEXT_LEVEL = 5, SCREEN_OPTIONS = 6 };

extern int current_screen; // the screen run each frame; other values run none
extern int dialog_active;  // 1 while the name dialog replaces the screens
extern int frame_counter;  // +1 at the start of every dispatch
extern float frame_step;   // 200 units per second since the last frame, at most 20, never 0
extern float frames_per_second;
extern double previous_frame_time; // the timer reading of the previous frame, 0 at start
extern double frame_deadline;      // when the next frame may start (pacing), 0 at start

// Seconds from a fixed origin.
double game_Timer();
// One frame: time it, clear, dispatch and present. Called on every pass of the message loop.
void game_Render();
// Runs the current screen or the dialog; called by game_Render.
int game_Dispatch();
// Waits until 1/60 s after the previous frame's start, so the game runs at 60 frames a second
// without holding a processor; after a stall the deadline starts afresh from now.
void game_PaceFrame();
