// The name-entry dialog: a box in which the player types a short text.
#pragma once

constexpr int NAME_BOX_TEXT_LIMIT = 11; // characters the dialog keeps

// The text being edited; wiped on every opening of the box (name_box_enter) and by name_box_reset.
struct NameBoxVisit {
    int position = -1; // index of the text's last character; -1 for an empty text
};
// The box's visit as it stands, for reading.
const NameBoxVisit& name_box_visit();

void name_box_reset();
// Entering the dialog: the text it edits starts empty.
void name_box_enter(char* text);
// One frame of the dialog editing text (at least 12 bytes) centred at (x, y). Run by the
// dispatcher while dialog_active is 1: Enter closes it keeping the text, Escape closes it emptying
// the text; at most one typed character is taken per frame.
void game_InputBox(char* text, float x, float y);
