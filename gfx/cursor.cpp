// The game's own mouse pointer.
#include "gfx/cursor.h"

#include <algorithm>

#include "gfx/sprites.h"
#include "input/mouse.h"
#include "run/state.h"

bool game_DisplayCursor(bool draw) {
    mouse.x = std::clamp(mouse.x, 0, POINTER_LIMIT);
    mouse.y = std::clamp(mouse.y, 0, POINTER_LIMIT);
    if (draw)
        draw_sprite(charset_texture, {0, 400, 20, 420}, 1, 1, 0, 0, 0, static_cast<float>(mouse.x),
                    static_cast<float>(mouse.y), OPAQUE_WHITE);
    return mouse.button_down[0];
}
