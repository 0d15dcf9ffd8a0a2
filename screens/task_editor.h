// The task editor: the form over the start screen that adds, changes, completes and deletes a task
// or saves the list's heading; a task of the completed list can only be deleted.
#pragma once
#include "screens/focus.h"
#include "todo/tasks.h"

// The box with the keyboard focus; the last two stand for a save asked for by a button.
enum : int {
    FIELD_DESCRIPTION = 1,
    FIELD_DATE = 2,
    FIELD_TIME = 3,
    FIELD_MINUTES = 4,
    FIELD_TITLE = 5,
    FIELD_SAVE_TASK = 99,
    FIELD_SAVE_HEADING = 100,
};

// The blinking messages, each with its own clock.
enum : int {
    MESSAGE_TIME,
    MESSAGE_DATE,
    MESSAGE_MINUTES,
    MESSAGE_DESCRIPTION,
    MESSAGE_FUTURE,
    MESSAGE_DELETING,
    MESSAGE_TITLE,
    MESSAGE_COUNT,
};

constexpr int EDIT_TEXT_SIZE = sizeof(TaskRecord::description);

// The form's controls in reading order: the groups the keyboard focus walks.
enum EditorControl : int {
    EDITOR_TITLE,
    EDITOR_SET_TITLE,
    EDITOR_DESCRIPTION,
    EDITOR_DATE,
    EDITOR_DONE,
    EDITOR_TIME,
    EDITOR_ALARM,
    EDITOR_REPEAT,
    EDITOR_MINUTES,
    EDITOR_ADD,
    EDITOR_DELETE,
    EDITOR_UPDATE,
    EDITOR_CLOSE,
    EDITOR_CONTROLS,
};

// Wiped each time the editor opens (task_editor_enter) and by task_editor_reset.
struct TaskEditorVisit {
    TaskRecord edit_task;                // the task being edited; its heading is the title box
    int edit_field = FIELD_DESCRIPTION;  // the focused box (FIELD_...)
    char edit_text[EDIT_TEXT_SIZE] = {}; // what the focused box holds while it is edited
    int edit_length = 0;
    bool save_request = false; // a save was clicked; it runs on the next frame
    bool add_off = false, delete_off = false, update_off = false, title_off = false; // masked
    float message_clock[MESSAGE_COUNT] = {}; // 0 while a message is idle
    // Starts on the description box, where typing starts, and shows at once: a box shows it by
    // its cursor, the other controls by the mark.
    Focus focus{.group = EDITOR_DESCRIPTION, .shown = true};
};

void task_editor_reset();

// For reading only (tests).
const TaskEditorVisit& task_editor_visit();

// One frame of the editor, run by the panel while it is open: selection -1 for a new task, k for
// task k of the shown list; show_open false for a completed task. Returns false when it closes.
bool game_EditTodo(int selection, bool show_open);
// When the open editor next changes by itself, in passes (layout.h): the cursor's blink, the
// clock's next second, at once while a message blinks.
int task_editor_next_change();
