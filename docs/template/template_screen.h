// A screen to copy when adding one: a heading, the number of visits and a Back button.
#pragma once

#include "screens/focus.h"

// Lives for the run; wiped by template_screen_reset (called from game_Reset).
struct TemplateRun {
    int visits = 0; // entries into the screen
};
// Wiped on every entry into the screen (template_screen_enter).
struct TemplateVisit {
    float fade = 0; // opacity of the background, 0 to 100
    bool back_hovered = false;
    Focus focus; // on Back, the screen's one control
};
// The screen's state as it stands, for reading (its test reads it).
const TemplateRun& template_screen_run();
const TemplateVisit& template_screen_visit();

void template_screen_reset();
// Once per visit, called by the dispatcher before the visit's first frame: read and sort the
// screen's files here, and start its per-visit state afresh.
void template_screen_enter();
// The dispatcher's entry point: update, then draw.
void game_TemplateScreen();
// When the picture next changes by itself, in passes (screens/layout.h): at once while it fades
// in; nothing else moves on its own, and nothing is heard while the window is not seen.
int template_screen_next_change(bool seen);
