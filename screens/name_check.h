// The check that a newly typed name is free, with its blinking warning when it is taken.
#pragma once

// What the check says this frame.
enum class NameCheck {
    free,    // the name is free
    warning, // the name is taken and the warning still blinks
    taken,   // the name is taken and the warning is over or Escape was pressed
    empty,   // the name is empty
};

void name_check_reset();
// Called every frame while a newly typed name waits.
NameCheck game_CheckNewPlayer(const char* name);
// Draws the frame's blink of the warning; the caller draws it in a frame the check said
// NameCheck::warning.
void name_check_draw();
// When the warning next blinks, in passes (layout.h), while it runs.
int name_check_next_change();
