// The to-do panel on the start screen: the list of open or completed tasks, its controls, the
// task editor it opens and the reminders of its rows.
#pragma once
#include <vector>

#include "todo/tasks.h"

// How the panel reads its task file: at most 999 tasks, values gathered in a 1024-byte buffer
// that wraps, a record without its stored due moment due at its `when`.
constexpr int TODO_PANEL_TASKS = 999;
constexpr TaskReading TODO_PANEL_READING{
    .limit = TODO_PANEL_TASKS, .wrap = true, .due_from_when = true};

// Wiped when the game resets (todo_panel_reset).
struct TodoPanelRun {
    bool show_open = true;    // true lists "todo.txt", false the completed tasks
    int first_row = 0;        // index of the first task shown (scroll position)
    int panel_state = 0;      // 0 collapsed, 1 expanded, 2 editor open
    bool editor_open = false; // the task editor runs instead of the panel's buttons
    // frame_counter of the last frame that loaded or drew the list; a frame that does not follow
    // it enters the list again (0 asks for that)
    int last_frame = 20;
    float blink_clock = 0;     // the rows' blink, in frame_step units
    float selection_clock = 0; // how long the selection has stood with the mouse away
    int last_selection = 0;    // the selection of the previous frame
    float button_offset = 0;   // left shift of the button row that centres it
    bool clock_shown = false;  // the last frame showed the clock line or rows, which count seconds
    bool blinking = false;     // the last frame showed a row due or within its warning
    bool ringing = false;      // ... and one of them due with its alarm, which restarts when over
};

// The list as read: wiped on every entry into it (todo_panel_enter) and by todo_panel_reset.
struct TodoPanelVisit {
    std::vector<TaskRecord> task_list;
    char list_heading[32] = "to-do"; // shown above the rows: the file's heading line, else "to-do"
};

void todo_panel_reset();

// For reading only: the start screen shows its buttons and the player list by the run's
// editor_open and panel_state.
const TodoPanelRun& todo_panel_run();
const TodoPanelVisit& todo_panel_visit();

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

// Where and how one frame of the panel runs; designated initialisers.
struct TodoPanelDraw {
    float x = 0, y = 0; // the rows' left and the panel's top
    // The caller's selection: 0 none, k task k, -1 a new task in the editor.
    int selection = 0;
    bool show_heading = true, show_time = true, show_date = true;
    int rows = 0;          // rows shown at most
    float row_height = 0;  // limited to 10..25
    PanelFocus focus = {}; // the keyboard's part
};

// What a frame of the panel leaves for its caller to keep.
struct TodoPanelResult {
    int selection = 0; // the selection, changed by the frame
    int count = 0;     // the tasks listed
    float width = 0;   // r: the x just right of the last row drawn (0 when no row was drawn)
};

// One frame of the panel listing "todo.txt" (or the completed tasks).
TodoPanelResult game_DisplayTodo(const TodoPanelDraw& draw);
// When the panel (or the editor in its place) next changes by itself, in passes (layout.h): the
// rows' blink, the next second of the clock and the countdowns; and, seen or not, the next moment
// a listed open task falls due or enters its warning, when the alarm may start, and a quarter
// second while it rings, when it may start again.
int todo_panel_next_change(bool seen);
