// The window-edge controls: an overlay shown while the pointer is at an edge of the layout, with
// which the player moves, resizes, deactivates and closes the window.
#pragma once

constexpr float CONTROL_INTERVAL = 7; // frame_step units between two 5-pixel steps
constexpr int CONTROL_STEP = 5;       // pixels a held control moves or resizes the window per step
constexpr int SMALLEST_WINDOW_W = 350;
// The controls: move up, down, left and right, deactivate, grow, shrink and close.
constexpr int WINDOW_CONTROL_COUNT = 8;

// The held controls' memory, kept while the overlay hides and across screens; wiped only when the
// game resets (window_controls_reset).
struct ControlsState {
    float timer = 0;                   // accumulates frame_step for the held controls' steps
    bool previous_left_button = false; // the left button as the overlay last saw it
};
// A read-only view for tests.
const ControlsState& window_controls_state();

void window_controls_reset();

// What one frame's update found, for the draw and for the screen that shows the controls.
struct ControlsFrame {
    bool shown = false;         // the pointer was at an edge: the overlay shows
    bool close_clicked = false; // the close control was clicked
    // The controls under the pointer (in the order of WINDOW_CONTROL_COUNT's comment), as they
    // were before a release on the deactivate control moved the pointer away.
    bool hovered[WINDOW_CONTROL_COUNT] = {};
};
// One frame of the overlay's input; does nothing while the pointer is away from the edges. Holding
// the left button on a control moves or resizes the window (window_x/y/w/h) a step at a time; a
// release saves the placement (game_SaveSettings with current_screen), a release on the
// deactivate control hands the focus away.
ControlsFrame window_controls_update();
// Draws the overlay as the update found it; draws nothing when it did not show.
void window_controls_draw(const ControlsFrame& frame);
