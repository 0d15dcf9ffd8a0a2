// The name-entry dialog: a box in which the player types a short text.
#pragma once

constexpr int DIALOG_TEXT_LIMIT = 11; // characters the dialog keeps

extern int edit_position; // index of the text's last character; -1 for an empty text
extern int dialog_frame;  // frame_counter of the dialog's last frame

void dialog_reset();
// One frame of the dialog editing text (at least 12 bytes) centred at (x, y). Run by the
// dispatcher while dialog_active is 1: its first frame empties the text; Enter closes it keeping
// the text, Escape closes it emptying the text; at most one typed character is taken per frame.
void game_InputBox(char* text, float x, float y);
