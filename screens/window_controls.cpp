// The window-edge controls.
#include "screens/window_controls.h"

#include "gfx/sprites.h"
#include "input/area.h"
#include "platform/files.h"
#include "platform/window.h"
#include "players/settings.h"
#include "run/state.h"

namespace {

enum Control { MOVE_UP, MOVE_DOWN, MOVE_LEFT, MOVE_RIGHT, DEACTIVATE, GROW, SHRINK, CLOSE, COUNT };

// A control: its centre in the layout, its image in the character-set sheet, its scale while
// hovered and the area in which it is hovered.
struct Look {
    float x, y;
    platform::Rect image;
    float hover_scale;
    Area area;
};
constexpr float OPEN = Area::OPEN;
constexpr Look LOOKS[COUNT] = {
    {256, 10, {24, 400, 100, 420}, 1.3f, {220, -OPEN, 300, 15}},   // move up
    {256, 500, {102, 400, 176, 420}, 1.3f, {220, 495, 300, OPEN}}, // move down
    {10, 256, {0, 424, 16, 498}, 1.3f, {-OPEN, 200, 15, 300}},     // move left
    {500, 256, {18, 424, 32, 498}, 1.3f, {495, 200, OPEN, 300}},   // move right
    {408, 14, {200, 422, 225, 450}, 1.1f, {389, -OPEN, 416, 20}},  // deactivate: 390 to 415
    {438, 14, {35, 422, 64, 450}, 1.1f, {429, -OPEN, 451, 20}},    // grow: 430 to 450
    {468, 14, {64, 422, 96, 450}, 1.1f, {459, -OPEN, 481, 20}},    // shrink: 460 to 480
    {498, 14, {98, 422, 122, 450}, 1.1f, {490, -OPEN, OPEN, 21}},  // close: y up to 20
};
// While the pointer is in here, away from every edge, the overlay hides.
constexpr Area AWAY_FROM_EDGES{10, 20, 495, 495};

// The order the controls are drawn in (deactivate last, on top).
constexpr Control DRAW_ORDER[COUNT] = {MOVE_UP, MOVE_DOWN, MOVE_LEFT, MOVE_RIGHT,
                                       GROW,    SHRINK,    CLOSE,     DEACTIVATE};

} // namespace

ControlsState controls_state;

void window_controls_reset() {
    controls_state = {};
}

namespace {

// One step of every held control, each within its own limit.
void step_window(const bool* hover) {
    if (hover[MOVE_RIGHT] && window_x + window_w < desktop_w) window_x += CONTROL_STEP;
    if (hover[MOVE_LEFT] && window_x > CONTROL_STEP) window_x -= CONTROL_STEP;
    if (hover[MOVE_UP] && window_y > CONTROL_STEP) window_y -= CONTROL_STEP;
    if (hover[MOVE_DOWN] && window_y + window_h < desktop_h) window_y += CONTROL_STEP;
    if (hover[GROW] && window_x + window_w < desktop_w && window_y + window_h < desktop_h) {
        window_w += CONTROL_STEP;
        window_h += CONTROL_STEP;
    }
    if (hover[SHRINK] && window_w > SMALLEST_WINDOW_W) {
        window_w -= CONTROL_STEP;
        window_h -= CONTROL_STEP;
    }
}

// The held steps, the save on a release and the deactivate control; returns whether the close
// control was clicked.
bool update_controls(const bool* hover) {
    const bool left_down = mouse.button_down[0];
    const bool close_clicked = mouse.button_pressed[0] && hover[CLOSE];
    controls_state.timer += frame_step;
    if (controls_state.timer > CONTROL_INTERVAL) {
        controls_state.timer = 0;
        if (left_down && !full_screen) step_window(hover); // nothing to move at full screen
    }
    const bool released = controls_state.previous_left_button && !left_down;
    if (released && !close_clicked) game_SaveSettings(current_screen);
    if (released && hover[DEACTIVATE]) {
        mouse.y += 20;
        platform::window_deactivate();
    }
    controls_state.previous_left_button = left_down;
    return close_clicked;
}

void draw_controls(const bool* hover) {
    const platform::DrawPhase drawing;
    for (Control c : DRAW_ORDER) {
        const Look& look = LOOKS[c];
        const float scale = hover[c] ? look.hover_scale : 1;
        draw_sheet_region(look.image, look.x, look.y, scale, CellAnchor::centre);
    }
}

} // namespace

bool game_WindowControls() {
    if (AWAY_FROM_EDGES.hovered()) return false;
    bool hover[COUNT];
    for (int c = 0; c < COUNT; ++c) hover[c] = LOOKS[c].area.hovered();
    const bool close_clicked = update_controls(hover);
    draw_controls(hover); // the hover as it was before the deactivate control moved the pointer
    return close_clicked;
}
