// A clickable area of the layout: the one hit-test every screen uses.
#pragma once

#include <limits>

#include "input/mouse.h"

// A rectangle of layout pixels with open bounds: a point is inside when left < x < right and
// top < y < bottom, so an edge itself belongs to no area. An area that takes in its edge pixel
// names the pixel beyond it (x >= 25 is left 24). An unbounded side is Area::OPEN.
struct Area {
    static constexpr float OPEN = std::numeric_limits<float>::infinity();

    float left, top, right, bottom;

    constexpr bool contains(float x, float y) const {
        return x > left && x < right && y > top && y < bottom;
    }
    // Whether the mouse is inside.
    bool hovered() const {
        return contains(static_cast<float>(mouse.x), static_cast<float>(mouse.y));
    }
    // Whether the left button went down inside, this frame.
    bool pressed() const { return mouse.button_pressed[0] && hovered(); }
};
