// The game's own mouse pointer.
#pragma once

constexpr int POINTER_LIMIT = 500; // the pointer stays within 0..500 on both axes

// Keeps the mouse position within the layout and, with draw, draws the pointer with its hot spot
// at the top-left corner. Returns whether the left button is held. The screens call it once a
// frame, after everything else they draw.
bool game_DisplayCursor(bool draw);
