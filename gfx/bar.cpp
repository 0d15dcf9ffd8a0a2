// The striped progress bar.
#include "gfx/bar.h"

#include <algorithm>

#include "gfx/sprites.h"
#include "run/state.h"

BarStripes bar_stripes;

void bar_reset() {
    bar_stripes = {};
}

namespace {

constexpr int FILL_LEFT = 275;
constexpr int FILL_TOP = 400, FULL_FILL_TOP = 424, FILL_H = 24;
constexpr float FILL_PIECE = 100;
constexpr float EDGE_PIECE = 300;
constexpr int EDGE_LEFT = 280;
constexpr int TOP_EDGE = 350, BOTTOM_EDGE = 374;
constexpr int CAP_TOP = 350, CAP_BOTTOM = 375;
constexpr int LEFT_CAP = 275, RIGHT_CAP = 474;
constexpr float STRIPE_SPEED = 0.75f;
constexpr float TILT = 1; // degrees

// Draws the sheet rectangle with its top-left corner at (x, y), as every piece of a bar is drawn.
void piece(float x, float y, int left, int top, int right, int bottom, float scale_y) {
    game_DisplayCell({.x = x,
                      .y = y,
                      .left = left,
                      .top = top,
                      .right = right,
                      .bottom = bottom,
                      .scale_y = scale_y,
                      .rotation = TILT});
}

} // namespace

void game_DisplayBar(float x, float y, float percent, float width, float height) {
    const float s = height / 25;
    if (frame_counter != bar_stripes.last_frame) {
        bar_stripes.offset -= STRIPE_SPEED * frame_step;
        if (bar_stripes.offset < 0) bar_stripes.offset += 100;
        bar_stripes.last_frame = frame_counter;
    }
    const int fill_left = FILL_LEFT + static_cast<int>(bar_stripes.offset);
    const int row = percent <= 98 ? FILL_TOP : FULL_FILL_TOP;
    int k = 0;
    for (float f = percent / 100 * width; f > 0; f -= FILL_PIECE, ++k) {
        const int length = static_cast<int>(std::min(f, FILL_PIECE));
        piece(x + FILL_PIECE * k, y, fill_left, row, fill_left + length, row + FILL_H, s);
        if (length > 0) bar_stripes.filled_frame = frame_counter;
    }
    piece(x - 1, y, LEFT_CAP, CAP_TOP, LEFT_CAP + 1, CAP_BOTTOM, s);
    piece(x + width, y, RIGHT_CAP, CAP_TOP, RIGHT_CAP + 1, CAP_BOTTOM, s);
    k = 0;
    for (float w = width; w > 0; w -= EDGE_PIECE, ++k) {
        const int length = static_cast<int>(std::min(w, EDGE_PIECE));
        piece(x + EDGE_PIECE * k, y - 1, EDGE_LEFT, TOP_EDGE, EDGE_LEFT + length, TOP_EDGE + 1, 1);
        piece(x + EDGE_PIECE * k, y + height, EDGE_LEFT, BOTTOM_EDGE, EDGE_LEFT + length,
              BOTTOM_EDGE + 1, 1);
    }
}
