// The frame: timing, the per-frame step, screen dispatch, and the state the screens share.
#pragma once

#include "run/state.h"

extern float frames_per_second;

// The frame loop's timing; lives for the run, wiped by frame_reset.
struct FramePacing {
    double previous_time = 0; // the timer reading of the previous frame, 0 at start
    double deadline = 0;      // when the next frame may start, 0 at start
    platform::Presented presented = platform::Presented::changed; // by the last frame
    bool on_slot = false; // the next frame follows an idle wait: its time is the deadline
};
extern FramePacing frame_pacing;

// A screen the dispatcher runs through pointers: the template screen (docs/template), which the
// game does not build. Its test sets them; frame_reset (game_Reset) wipes them, and while they are
// null Screen::template_screen runs nothing.
struct ScreenEntry {
    void (*enter)() = nullptr;
    void (*frame)() = nullptr;
    int (*next_change)(bool seen) = nullptr;
};
extern ScreenEntry template_screen_entry;

void frame_reset();
// Seconds from a fixed origin.
double game_Timer();
// One frame: time it (by the timer's reading unless given), clear, dispatch and present. Called on
// every pass of the message loop.
void game_Render(double frame_time = game_Timer());
// The time of the loop's next frame: the timer's reading, or after an idle wait (game_PaceFrame)
// the time that frame would have had at 60 frames a second.
double game_FrameTime();
// Runs the current screen or the dialog; called by game_Render.
int game_Dispatch();
// Waits until 1/60 s after the previous frame's start, so the game runs at 60 frames a second
// without holding a processor; after a stall the deadline starts afresh from now. After a frame
// that changed nothing on the screen, or was not seen, it waits for input instead, until the
// screen's next change by itself (at most 10 s), and then runs the logic of the frames whose time
// came during the wait, each with the frame time it would have had and with the input as it was,
// drawing nothing: the game computes exactly what it does at 60 frames a second.
void game_PaceFrame();
