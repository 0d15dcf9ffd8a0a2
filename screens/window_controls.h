// The window-edge controls: an overlay shown while the pointer is at an edge of the layout, with
// which the player moves, resizes, deactivates and closes the window.
#pragma once

constexpr float CONTROL_INTERVAL = 7; // frame_step units between two 5-pixel steps
constexpr int CONTROL_STEP = 5;       // pixels a held control moves or resizes the window per step
constexpr int SMALLEST_WINDOW_W = 350;

// The held controls' memory, kept while the overlay hides and across screens; wiped only when the
// game resets (window_controls_reset).
struct ControlsState {
    float timer = 0;                   // accumulates frame_step for the held controls' steps
    bool previous_left_button = false; // the left button as the overlay last saw it
};
extern ControlsState controls_state;

void window_controls_reset();

// One frame of the overlay; does nothing while the pointer is away from the edges. Holding the
// left button on a control moves or resizes the window (window_x/y/w/h) a step at a time; a
// release saves the placement (game_SaveSettings with current_screen), a release on the
// deactivate control hands the focus away. Returns true when the close control was clicked.
bool game_WindowControls();
