// The name-entry dialog.
#pragma once

// One frame of the dialog editing text (at least 12 bytes) centred at (x, y).
void game_InputBox(char* text, float x, float y);
