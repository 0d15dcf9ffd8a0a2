// The striped progress bar (a player's level, a task's closeness) built from sheet pieces.
#pragma once

// The stripes' phase, shared by every bar: 0 to 100, moved once in each frame that draws a bar.
extern float stripe_offset;
extern int last_bar_frame; // frame_counter of the last bar drawn

void bar_reset();

// Draws a bar of width x height with its top-left corner at (x, y), filled for percent (0 to 100,
// above 98 in the second fill colour), with end caps and top and bottom edges.
void game_DisplayBar(float x, float y, float percent, float width, float height);
