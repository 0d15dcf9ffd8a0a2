// The window-edge controls.
#include "screens/window_controls.h"

#include "gfx/sprites.h"
#include "input/mouse.h"
#include "platform/window.h"
#include "run/state.h"

float control_timer = 0;
bool previous_left_button = false;
bool (*placement_saver)(int screen) = nullptr;

void window_controls_reset() {
    control_timer = 0;
    previous_left_button = false;
    placement_saver = nullptr;
}

namespace {

enum Control { MOVE_UP, MOVE_DOWN, MOVE_LEFT, MOVE_RIGHT, DEACTIVATE, GROW, SHRINK, CLOSE, COUNT };

struct Look {
    float x, y;           // centre in the layout
    platform::Rect image; // in the character-set sheet
    float hover_scale;
};

constexpr Look LOOKS[COUNT] = {
    {256, 10, {24, 400, 100, 420}, 1.3f},  {256, 500, {102, 400, 176, 420}, 1.3f},
    {10, 256, {0, 424, 16, 498}, 1.3f},    {500, 256, {18, 424, 32, 498}, 1.3f},
    {408, 14, {200, 422, 225, 450}, 1.1f}, {438, 14, {35, 422, 64, 450}, 1.1f},
    {468, 14, {64, 422, 96, 450}, 1.1f},   {498, 14, {98, 422, 122, 450}, 1.1f},
};

// The order the controls are drawn in (deactivate last, on top).
constexpr Control DRAW_ORDER[COUNT] = {MOVE_UP, MOVE_DOWN, MOVE_LEFT, MOVE_RIGHT,
                                       GROW,    SHRINK,    CLOSE,     DEACTIVATE};

bool hovered(Control control, int x, int y) {
    switch (control) {
    case MOVE_UP:
        return x > 220 && x < 300 && y < 15;
    case MOVE_DOWN:
        return x > 220 && x < 300 && y > 495;
    case MOVE_LEFT:
        return x < 15 && y > 200 && y < 300;
    case MOVE_RIGHT:
        return x > 495 && y > 200 && y < 300;
    case DEACTIVATE:
        return x >= 390 && x <= 415 && y < 20;
    case GROW:
        return x >= 430 && x <= 450 && y < 20;
    case SHRINK:
        return x >= 460 && x <= 480 && y < 20;
    case CLOSE:
        return x > 490 && y <= 20;
    default:
        return false;
    }
}

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

bool game_WindowControls() {
    const int x = mouse.x, y = mouse.y;
    if (x > 10 && x < 495 && y > 20 && y < 495) return false;
    bool hover[COUNT];
    for (int c = 0; c < COUNT; ++c) hover[c] = hovered(static_cast<Control>(c), x, y);
    for (Control c : DRAW_ORDER) {
        const Look& look = LOOKS[c];
        const float scale = hover[c] ? look.hover_scale : 1;
        game_DisplayCell({.x = look.x,
                          .y = look.y,
                          .left = look.image.left,
                          .top = look.image.top,
                          .right = look.image.right,
                          .bottom = look.image.bottom,
                          .scale_x = scale,
                          .scale_y = scale,
                          .anchor = CellAnchor::centre});
    }
    const bool left_down = mouse.button_down[0];
    const bool close_clicked = mouse.button_pressed[0] && hover[CLOSE];
    control_timer += frame_step;
    if (control_timer > CONTROL_INTERVAL) {
        control_timer = 0;
        if (left_down && !full_screen) step_window(hover); // nothing to move at full screen
    }
    const bool released = previous_left_button && !left_down;
    if (released && !close_clicked && placement_saver) placement_saver(current_screen);
    if (released && hover[DEACTIVATE]) {
        mouse.y += 20;
        platform::window_deactivate();
    }
    previous_left_button = left_down;
    return close_clicked;
}
