// The to-do panel on the start screen: the list of open or completed tasks, its controls, the
// task editor it opens and the reminders of its rows.
#pragma once
#include <string>

#include "todo/tasks.h"

// The loaded list: one slot is always the record being read, so it holds at most 999 tasks.
constexpr int TASK_SLOTS = 1000;
extern TaskRecord task_list[TASK_SLOTS];
extern int task_count;

extern char list_heading[32]; // shown above the rows: the file's heading line, else "to-do"
extern bool show_open;        // true lists "todo.txt", false the completed tasks
extern int first_row;         // index of the first task shown (scroll position)
extern int panel_state;       // 0 collapsed, 1 expanded, 2 editor open
extern bool editor_open;      // the task editor runs instead of the panel's buttons
extern int last_frame;        // frame_counter of the last frame that loaded or drew the list;
                              // a frame that does not follow it reloads (0 asks for a reload)
extern float blink_clock;     // the rows' blink, in frame_step units
extern float selection_clock; // how long the selection has stood with the mouse away
extern int last_selection;    // the selection of the previous frame
extern float button_offset;   // left shift of the button row that centres it

void panel_reset();

// Fills the list from the text of a task file: the records, at most 999, and the heading.
void readtasklist(const std::string& text);

// The buttons of the controls' row: expand, new task (with the open tasks only), switch list.
int todo_buttons();

// The keyboard's part in one frame of the panel, from the screen that shows it: the task (from 0)
// or the button of the controls' row the focus is on (-1 for none), whether the keys moved it
// there and whether they act on it. While the focus is on the panel its controls show; the keys
// moving it onto a task select it and scroll it into view, and acting on the selected task opens
// it, as a second click does; acting on a button presses it.
struct PanelFocus {
    int task = -1, button = -1;
    bool moved = false, act = false;
};

// One frame of the panel at (x, y) listing file (or the completed tasks). selection is the
// caller's selection (0 none, k task k, -1 a new task in the editor), written back through
// selection_out with editor (in/out), count_out and state_out. Returns r, the x just right of the
// last row drawn (0 when no row was drawn).
float game_DisplayTodo(float x, float y, int selection, int* selection_out, bool* editor,
                       bool show_heading, bool show_time, bool show_date, int rows,
                       float row_height, int* count_out, int* state_out, const char* file,
                       const PanelFocus& focus = {});
