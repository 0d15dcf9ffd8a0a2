// A screen to copy when adding one: a heading, the number of visits and a Back button.
#pragma once

// Lives for the run; wiped by template_screen_reset (called from game_Reset).
struct TemplateRun {
    int visits = 0; // entries into the screen
};
// Wiped on every entry into the screen (template_screen_enter).
struct TemplateVisit {
    float fade = 0; // opacity of the background, 0 to 100
    bool back_hovered = false;
};
extern TemplateRun template_run;
extern TemplateVisit template_visit;

void template_screen_reset();
// Once per visit, called by the dispatcher before the visit's first frame: read and sort the
// screen's files here, and start its per-visit state afresh.
void template_screen_enter();
// One frame: input to state, including any saves the screen makes.
void template_screen_update();
// One frame's picture: reads state, writes none, touches no file.
void template_screen_draw();
// The dispatcher's entry point: update, then draw.
void game_TemplateScreen();
