// The to-do panel on the start screen: the list of open or completed tasks, its controls, the
// task editor it opens and the reminders of its rows.
#pragma once

extern int panel_state;  // 0 collapsed, 1 expanded, 2 editor open
extern bool editor_open; // the task editor runs instead of the panel's buttons

void panel_reset();

// One frame of the panel at (x, y) listing file (or the completed tasks). selection is the
// caller's selection (0 none, k task k, -1 a new task in the editor), written back through
// selection_out with editor (in/out), count_out and state_out. Returns r, the x just right of the
// last row drawn (0 when no row was drawn).
float game_DisplayTodo(float x, float y, int selection, int* selection_out, bool* editor,
                       bool show_heading, bool show_time, bool show_date, int rows,
                       float row_height, int* count_out, int* state_out, const char* file);
