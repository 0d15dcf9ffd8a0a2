// Where the drawings that more than one screen draws lie on the character sheet
// ("img\chrset1.tga", drawn by tools/mkassets).
#pragma once
#include "platform/renderer.h"

// The digit strips (gfx/text.h): the givens', also the counters' and the lists', and beside and
// below it the right entries' and the wrong ones'.
constexpr int DIGIT_STRIP_X = 50, DIGIT_STRIP_Y = 450;
constexpr int RIGHT_DIGIT_STRIP_X = 275;
constexpr int WRONG_DIGIT_STRIP_Y = 475;

// The scroll arrows of the lists, also the window controls' move up and move down.
constexpr platform::Rect ARROW_UP_IMAGE{24, 400, 100, 420};
constexpr platform::Rect ARROW_DOWN_IMAGE{102, 400, 176, 420};

// Squares that more than one panel draws: the expand button (also the player list's toggle) and
// the tick (also the to-do panel's switch to the completed tasks).
constexpr platform::Rect EXPAND_IMAGE{200, 400, 225, 425};
constexpr platform::Rect TICK_IMAGE{175, 400, 200, 425};

// The 50 x 50 cell number of board theme `theme`'s (0 to 6) empty cell, or with `given` its given
// cell, which follows it on the sheet.
constexpr int theme_cell_image(int theme, bool given) {
    return (theme == 0 ? 0 : 14 + 2 * theme) + (given ? 1 : 0);
}
