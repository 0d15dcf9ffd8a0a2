// The striped progress bar (a player's level, a task's closeness) built from sheet pieces.
#pragma once

// The stripes' phase, shared by every bar; lives for the run, wiped by bar_reset.
struct BarStripes {
    float offset = 0;      // 0 to 100, moved once in each frame that draws a bar
    int last_frame = 0;    // frame_counter of the last bar drawn
    int filled_frame = -1; // frame_counter of the last bar drawn with a fill: its stripes move
};
extern BarStripes bar_stripes;

void bar_reset();

// Draws a bar of width x height with its top-left corner at (x, y), filled for percent (0 to 100,
// above 98 in the second fill colour), with end caps and top and bottom edges.
void game_DisplayBar(float x, float y, float percent, float width, float height);
