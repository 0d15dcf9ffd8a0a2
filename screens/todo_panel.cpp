// The to-do panel: loading the list, the header, the rows with their reminders, the scroll arrows
// and buttons, the editor it opens and the selection's timeout.
#include "screens/todo_panel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gfx/bar.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/mouse.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "players/players.h"
#include "screens/task_editor.h"
#include "store/datafile.h"
#include "todo/dates.h"
#include "todo/reminders.h"

TaskRecord task_list[TASK_SLOTS];
int task_count = 0;
char list_heading[32] = "to-do";
bool show_open = true;
int first_row = 0;
int panel_state = 0;
bool editor_open = false;
int last_frame = 20;
float blink_clock = 0;
float selection_clock = 0;
int last_selection = 0;
float button_offset = 0;

namespace {

constexpr const char* DEFAULT_HEADING = "to-do";
constexpr int GATHER_SIZE = 1024; // the list reader's text buffer; its index wraps to 0
constexpr float ROW_WIDTH = 390;
constexpr int DIGIT_STRIP_X = 50, DIGIT_STRIP_Y = 450;
constexpr float BLINK_PERIOD = 50, SELECTION_TIMEOUT = 300;
constexpr float CONTROL_X = 256, ARROWS_WIDTH = 120, BUTTON_STEP = 25;

void setheading(const char* text, size_t length) {
    length = std::min(length, sizeof list_heading - 1);
    memcpy(list_heading, text, length);
    list_heading[length] = '\0';
}

// Loads the shown list when the frame chain broke; false (nothing listed, tried again next frame)
// when the file does not exist.
bool loadlist(const char* file) {
    sorttasks();
    task_count = 0;
    setheading(DEFAULT_HEADING, strlen(DEFAULT_HEADING));
    const char* name = show_open ? file : DONE_FILE;
    if (!platform::file_exists(name)) return false;
    std::string text;
    if (readdatafile(name, text)) readtasklist(text);
    return true;
}

// The highlight behind a hovered or selected row.
void highlight(float x, float y) {
    game_DisplayCell({.x = x, .y = y, .left = 15, .opacity = 40, .scale_x = 8, .scale_y = 0.3f});
}

// One task row at (x, y); hovered rows and any selection show the date and time instead of the
// countdown. Returns the x just right of the row.
float drawrow(int i, float x, float y, bool dated, bool blink, const platform::SYSTEMTIME& now) {
    const TaskRecord& task = task_list[i];
    const int kind = show_open ? task.repeat : REPEAT_NORMAL;
    platform::SYSTEMTIME when = task.when;
    const TimeDiff diff = countdown(when, kind);
    const uint32_t state =
        show_open ? alarmstate(task.due, task.repeat, task.warn_minutes, task.alarm) : 0;
    const bool due = state & DUE_FLAG, warn = state & WARN_FLAG;
    const int count = static_cast<int>(state & COUNT_MASK);
    game_DisplayNumber(i + 1, 0.45f, x, y, NumberAlign::right_top, DIGIT_STRIP_X, DIGIT_STRIP_Y);
    if (!((due || warn) && !blink && count == 0))
        game_DisplayFontText(task.description, 15, x + 20, y, 0.65f, TextAnchor::top_left);
    if ((due || warn) && blink && count > 0)
        game_DisplayNumber(count, 0.55f, x + 20, y, NumberAlign::left_top, DIGIT_STRIP_X,
                           DIGIT_STRIP_Y);
    float e;
    if (dated) {
        game_DisplayFontText(datetext(task.when).c_str(), 11, x + 320, y, 0.65f,
                             TextAnchor::top_right);
        e = game_DisplayFontText(timetext(task.when).c_str(), 11, x + 340, y, 0.65f,
                                 TextAnchor::top_left);
    } else {
        game_DisplayFontText(countdowntext(diff, kind).c_str(), 12, x + 320, y, 0.65f,
                             TextAnchor::top_right);
        e = game_DisplayFontText(timetext(diff).c_str(), 11, x + 340, y, 0.65f,
                                 TextAnchor::top_left);
    }
    game_DisplayBar(e + 10, y + 3, std::clamp(closeness(when, now), 0.0f, 100.0f), 30, 10);
    if (due && blink)
        game_DisplayCell({.x = e + 10,
                          .y = y,
                          .left = 450,
                          .top = 300,
                          .right = 475,
                          .bottom = 325,
                          .scale_x = 0.65f,
                          .scale_y = 0.65f,
                          .rotation = 1});
    if (task.repeat >= REPEAT_NORMAL && task.repeat <= REPEAT_YEARLY) {
        const int left = 300 + 25 * task.repeat;
        game_DisplayCell({.x = x + 3.75f,
                          .y = y,
                          .left = left,
                          .top = 300,
                          .right = left + 25,
                          .bottom = 325,
                          .scale_x = 0.65f,
                          .scale_y = 0.65f,
                          .rotation = 1});
    }
    return e + 30;
}

// A scroll arrow centred on x 256 with its top at y; true when it is pressed.
bool arrow(int left, int right, float y, float row_height) {
    const bool hovered = mouse.x > 220 && mouse.x < 300 && mouse.y > y && mouse.y < y + row_height;
    const float scale = hovered ? 1.3f : 1.0f;
    game_DisplayCell({.x = 256,
                      .y = y,
                      .left = left,
                      .top = 400,
                      .right = right,
                      .bottom = 420,
                      .scale_x = scale,
                      .scale_y = scale,
                      .anchor = CellAnchor::top_middle});
    return hovered && mouse.button_pressed[0];
}

// A round button at (cx, y) from the sheet's (left, top); moves cx on and returns whether it is
// pressed.
bool button(float& cx, float y, int left, int top) {
    const bool hovered = mouse.x > cx - 12 && mouse.x < cx + 12 && mouse.y > y && mouse.y < y + 25;
    const float scale = hovered ? 1.1f : 1.0f;
    game_DisplayCell({.x = cx,
                      .y = y,
                      .left = left,
                      .top = top,
                      .right = left + 25,
                      .bottom = top + 25,
                      .scale_x = scale,
                      .scale_y = scale,
                      .anchor = CellAnchor::top_middle,
                      .rotation = 1});
    cx += BUTTON_STEP;
    return hovered && mouse.button_pressed[0];
}

} // namespace

void panel_reset() {
    task_count = 0;
    setheading(DEFAULT_HEADING, strlen(DEFAULT_HEADING));
    show_open = true;
    first_row = 0;
    panel_state = 0;
    editor_open = false;
    last_frame = 20;
    blink_clock = 0;
    selection_clock = 0;
    last_selection = 0;
    button_offset = 0;
}

void readtasklist(const std::string& text) {
    task_count = 0;
    task_list[0] = TaskRecord{};
    char gathered[GATHER_SIZE];
    int length = 0;
    bool tag = false; // the byte before was an "_": this one is a tag letter
    for (const char c : text) {
        if (static_cast<unsigned char>(c) < 32) continue;
        if (c == '|') {
            // Every "|" ends a record, also one after "_", so the list counts the records as the
            // editor's reader does and a row opens its own task.
            TaskRecord& task = task_list[task_count];
            task.when.wDayOfWeek = task.when.wMilliseconds = 0;
            if (task.due.dwHighDateTime == 0) task.due = ticksfiletime(toticks(task.when));
            length = 0;
            tag = false;
            if (++task_count == TASK_SLOTS - 1) return; // the list is full; the rest stays unread
            task_list[task_count] = TaskRecord{};
        } else if (tag) {
            tag = false;
            if (c == 't')
                setheading(gathered, static_cast<size_t>(length));
            else if (c != 'j') // the list does not show the done tick
                settaskfield(task_list[task_count], c, std::string(gathered, length));
            length = 0;
        } else if (c == '_') {
            tag = true;
        } else {
            gathered[length++] = c;
            if (length == GATHER_SIZE) length = 0;
        }
    }
}

float game_DisplayTodo(float x, float y, int selection, int* selection_out, bool* editor,
                       bool show_heading, bool show_time, bool show_date, int rows,
                       float row_height, int* count_out, int* state_out, const char* file) {
    if (editor && *editor) editor_open = true;
    row_height = std::clamp(row_height, 10.0f, 25.0f);
    blink_clock += frame_step;
    if (blink_clock > BLINK_PERIOD) blink_clock = 0;
    const bool blink = blink_clock > BLINK_PERIOD / 2;
    const platform::SYSTEMTIME now = platform::local_time();

    const bool listed = frame_counter - last_frame == 1 || loadlist(file);
    last_frame = listed ? frame_counter : 0; // a missing file is looked for again next frame
    float r = 0, row_y = y, top_y = y;
    int drawn = 0;
    if (listed && selection >= 0) {
        if (show_heading) {
            game_DisplayFontText(list_heading, 15, 256, row_y, 0.65f, TextAnchor::centre);
            row_y += row_height;
        }
        if (show_date || show_time) {
            game_DisplayFontText(clocktext(now, show_date, show_time).c_str(), 10, 256, row_y,
                                 0.65f, TextAnchor::centre);
            row_y += row_height;
        }
        top_y = row_y - row_height;
        for (int i = first_row; i < first_row + rows && i < task_count; ++i) {
            const bool over = mouse.x > x && mouse.x < x + ROW_WIDTH && mouse.y > row_y &&
                              mouse.y < row_y + row_height;
            const bool hovered =
                over && (selection == 0 || mouse.button_pressed[0]) && !editor_open;
            if (hovered) {
                if (selection == i + 1) editor_open = true;
                if (mouse.button_pressed[0]) selection = i + 1;
                snprintf(list_hover_name, sizeof list_hover_name, "%s", task_list[i].description);
            }
            if (hovered || selection == i + 1) highlight(x, row_y);
            r = drawrow(i, x, row_y, selection != 0 || hovered, blink, now);
            row_y += row_height;
            ++drawn;
        }
    }

    // The scroll arrows and the buttons show while the mouse is near the panel.
    const float end_y = row_y;
    const bool near = mouse.y > y - 30 && mouse.y < end_y + 30;
    float cx = CONTROL_X;
    if (near && drawn == rows && !editor_open) {
        if (arrow(24, 100, top_y, row_height) && first_row > 0) --first_row;
        if (arrow(102, 176, end_y, row_height) && first_row + rows < task_count) ++first_row;
        cx += ARROWS_WIDTH;
    }
    cx -= button_offset;
    if (!editor_open && near) {
        if (button(cx, end_y, 200, 400)) {
            panel_state = panel_state == 1 ? 0 : 1;
            first_row = 0;
        }
        if (show_open && button(cx, end_y, 225, 400)) {
            editor_open = true;
            selection = -1;
        }
        if (show_open ? button(cx, end_y, 175, 400) : button(cx, end_y, 225, 425)) {
            show_open = !show_open;
            first_row = 0;
            last_frame = 0;
        }
        // The row of buttons settles centred over a few frames.
        button_offset = (cx - CONTROL_X) / 2;
    }

    if (editor_open) {
        if (game_EditTodo(selection, show_open)) {
            panel_state = 2;
        } else {
            editor_open = false;
            panel_state = 0;
            last_frame = 0;
            selection = 0;
            first_row = 0;
        }
    }

    if (selection != last_selection) selection_clock = 0;
    last_selection = selection;
    if (selection > 0 && !editor_open && !near) {
        selection_clock += frame_step;
        if (selection_clock > SELECTION_TIMEOUT) {
            selection = 0;
            selection_clock = 0;
        }
    }

    if (selection_out) *selection_out = selection;
    if (editor) *editor = editor_open;
    if (count_out) *count_out = task_count;
    if (state_out) *state_out = panel_state;
    return r;
}
