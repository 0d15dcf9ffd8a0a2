// The window-edge controls.
#include "screens/window_controls.h"

#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "input/area.h"
#include "platform/files.h"
#include "platform/window.h"
#include "players/settings.h"
#include "run/state.h"
#include "screens/layout.h"

namespace {

enum Control { MOVE_UP, MOVE_DOWN, MOVE_LEFT, MOVE_RIGHT, DEACTIVATE, GROW, SHRINK, CLOSE, COUNT };
static_assert(COUNT == WINDOW_CONTROL_COUNT);

// A control: its centre in the layout, its image in the character-set sheet, its scale while
// hovered and the area in which it is hovered.
struct Look {
    float x, y;
    platform::Rect image;
    float hover_scale;
    Area area;
};
constexpr float OPEN = Area::OPEN;
// The move controls: centred on the middle of their edge, NEAR_CENTRE or FAR_CENTRE across it,
// and larger while hovered. Up and down are hovered within EDGE of their edge and from
// CENTRE_CONTROL_LEFT to CENTRE_CONTROL_RIGHT, left and right within EDGE and from SIDE_TOP to
// SIDE_BOTTOM.
constexpr float NEAR_CENTRE = 10, FAR_CENTRE = 500;
constexpr float EDGE = 15, FAR_EDGE = 495, SIDE_TOP = 200, SIDE_BOTTOM = 300;
// The top row's controls, hovered above TOP_ROW_BOTTOM (the close control one pixel lower).
constexpr float TOP_ROW_Y = 14, TOP_ROW_BOTTOM = 20;
constexpr Look LOOKS[COUNT] = {
    {LAYOUT_CENTRE_X,
     NEAR_CENTRE,
     ARROW_UP_IMAGE,
     ARROW_HOVER_SCALE,
     {CENTRE_CONTROL_LEFT, -OPEN, CENTRE_CONTROL_RIGHT, EDGE}},
    {LAYOUT_CENTRE_X,
     FAR_CENTRE,
     ARROW_DOWN_IMAGE,
     ARROW_HOVER_SCALE,
     {CENTRE_CONTROL_LEFT, FAR_EDGE, CENTRE_CONTROL_RIGHT, OPEN}},
    {NEAR_CENTRE,
     LAYOUT_CENTRE_X,
     {0, 424, 16, 498},
     ARROW_HOVER_SCALE,
     {-OPEN, SIDE_TOP, EDGE, SIDE_BOTTOM}},
    {FAR_CENTRE,
     LAYOUT_CENTRE_X,
     {18, 424, 32, 498},
     ARROW_HOVER_SCALE,
     {FAR_EDGE, SIDE_TOP, OPEN, SIDE_BOTTOM}},
    // deactivate: 390 to 415
    {408, TOP_ROW_Y, {200, 422, 225, 450}, BUTTON_HOVER_SCALE, {389, -OPEN, 416, TOP_ROW_BOTTOM}},
    // grow: 430 to 450
    {438, TOP_ROW_Y, {35, 422, 64, 450}, BUTTON_HOVER_SCALE, {429, -OPEN, 451, TOP_ROW_BOTTOM}},
    // shrink: 460 to 480
    {468, TOP_ROW_Y, {64, 422, 96, 450}, BUTTON_HOVER_SCALE, {459, -OPEN, 481, TOP_ROW_BOTTOM}},
    // close: y up to 20
    {498,
     TOP_ROW_Y,
     {98, 422, 122, 450},
     BUTTON_HOVER_SCALE,
     {490, -OPEN, OPEN, TOP_ROW_BOTTOM + 1}},
};
// While the pointer is in here, away from every edge, the overlay hides.
constexpr Area AWAY_FROM_EDGES{10, TOP_ROW_BOTTOM, FAR_EDGE, FAR_EDGE};
// A release on the deactivate control moves the pointer down by this, off the control.
constexpr int DEACTIVATE_DROP = 20;

// The order the controls are drawn in (deactivate last, on top).
constexpr Control DRAW_ORDER[COUNT] = {MOVE_UP, MOVE_DOWN, MOVE_LEFT, MOVE_RIGHT,
                                       GROW,    SHRINK,    CLOSE,     DEACTIVATE};

ControlsState controls_state;

} // namespace

const ControlsState& window_controls_state() {
    return controls_state;
}

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

} // namespace

ControlsFrame window_controls_update() {
    ControlsFrame frame;
    if (AWAY_FROM_EDGES.hovered()) return frame;
    frame.shown = true;
    for (int c = 0; c < COUNT; ++c) frame.hovered[c] = LOOKS[c].area.hovered();
    // The held steps, the save on a release and the deactivate control.
    const bool left_down = mouse.button_down[0];
    frame.close_clicked = mouse.button_pressed[0] && frame.hovered[CLOSE];
    controls_state.timer += frame_step;
    if (controls_state.timer > CONTROL_INTERVAL) {
        controls_state.timer = 0;
        if (left_down && !full_screen) step_window(frame.hovered); // nothing to move at full screen
    }
    const bool released = controls_state.previous_left_button && !left_down;
    if (released && !frame.close_clicked) game_SaveSettings(current_screen);
    if (released && frame.hovered[DEACTIVATE]) {
        mouse.y += DEACTIVATE_DROP;
        platform::window_deactivate();
    }
    controls_state.previous_left_button = left_down;
    return frame;
}

void window_controls_draw(const ControlsFrame& frame) {
    const platform::DrawPhase drawing;
    if (!frame.shown) return;
    for (Control c : DRAW_ORDER) {
        const Look& look = LOOKS[c];
        const float scale = frame.hovered[c] ? look.hover_scale : 1;
        draw_sheet_region(look.image, look.x, look.y, scale, CellAnchor::centre);
    }
}
