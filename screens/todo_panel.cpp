// The to-do panel: loading the list, the header, the rows with their reminders, the scroll arrows
// and buttons, the editor it opens and the selection's timeout.
#include "screens/todo_panel.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gfx/bar.h"
#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/mouse.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/window.h"
#include "players/players.h"
#include "screens/focus.h"
#include "screens/layout.h"
#include "screens/task_editor.h"
#include "store/datafile.h"
#include "todo/dates.h"
#include "todo/notices.h"
#include "todo/reminders.h"

namespace {

// A row's columns from its x: the description, the right of the date or countdown, the time; and
// its clickable width.
constexpr float DESCRIPTION_X = 20, DATE_RIGHT_X = 320, TIME_X = 340, ROW_WIDTH = 390;
constexpr float NEAR_MARGIN = 30; // how far above and below the panel its controls show
// The rows' icons and the buttons are squares of the sheet SQUARE wide; the icons lie on the line
// at ICON_TOP, the due mark's and, from REPEAT_ICONS_LEFT, one per repeat kind.
constexpr int SQUARE = 25, ICON_TOP = 300, DUE_ICON_LEFT = 450, REPEAT_ICONS_LEFT = 300;
// The buttons only the panel draws: a new task, and the switch back to the open tasks.
constexpr platform::Rect NEW_TASK_IMAGE{225, 400, 250, 425}, OPEN_TASKS_IMAGE{225, 425, 250, 450};

// The clickable areas move with the panel, so each is laid out on the spot from where the panel's
// lines stand this frame.
// A task row whose top is at y: from the panel's x, ROW_WIDTH wide.
constexpr Area row_area(float x, float y, float row_height) {
    return {x, y, x + ROW_WIDTH, y + row_height};
}
// A scroll arrow, centred on LAYOUT_CENTRE_X, on the line whose top is at y.
constexpr Area arrow_area(float y, float row_height) {
    return {CENTRE_CONTROL_LEFT, y, CENTRE_CONTROL_RIGHT, y + row_height};
}
// A button centred on x with its top at y.
constexpr Area button_area(float x, float y) {
    return {x - 12, y, x + 12, y + SQUARE};
}
// The band in which the controls show: from NEAR_MARGIN above the panel to as far below its last
// line.
constexpr Area near_area(float y, float end_y) {
    return {-Area::OPEN, y - NEAR_MARGIN, Area::OPEN, end_y + NEAR_MARGIN};
}

// The controls' row starts at CONTROL_X, moved on by ARROWS_WIDTH when the arrows show and by
// SQUARE per button.
constexpr float CONTROL_X = LAYOUT_CENTRE_X, ARROWS_WIDTH = 120;
constexpr float SELECTION_TIMEOUT = 300;

// The buttons of the controls' row, left to right; the new-task button shows only with the open
// tasks.
enum class PanelButton { expand, new_task, switch_list };

// Where this frame's lines stand, laid out top to bottom before anything is drawn.
struct PanelLayout {
    float row_height = 0;                // limited to 10..25
    bool heading = false, clock = false; // the header's lines show
    float heading_y = 0, clock_y = 0;
    float first_y = 0; // the first row's top
    float top_y = 0;   // the clock line, where the up arrow stands
    float end_y = 0;   // just below the last row: the down arrow and the buttons
    int shown = 0;     // rows shown
};

// The controls below the list this frame.
struct PanelControls {
    bool arrows = false, buttons = false; // which show
    int count = 0;                        // the buttons shown
    PanelButton button[3] = {};
    float button_x[3] = {};
    float end_x = 0; // just right of the last button: the row centres on it
};

TodoPanelRun run;
TodoPanelVisit visit;

int task_count() {
    return static_cast<int>(visit.task_list.size());
}

} // namespace

void todo_panel_reset() {
    run = {};
    visit = {};
}

const TodoPanelRun& todo_panel_run() {
    return run;
}

const TodoPanelVisit& todo_panel_visit() {
    return visit;
}

namespace {

// Entering the list, on a frame that does not follow the panel's last one (the start screen came
// back, or the editor or the list switch asked for a reload with last_frame = 0): "todo.txt" is
// sorted and the shown list read afresh. False when its file does not exist: nothing is listed and
// the next frame looks again.
bool todo_panel_enter() {
    sorttasks();
    visit = {};
    const char* name = run.show_open ? TODO_FILE : DONE_FILE;
    if (!platform::file_exists(name)) {
        run.last_frame = 0;
        return false;
    }
    std::string text;
    if (!readdatafile(name, text)) return true;
    TaskList list = readtasks(text, TODO_PANEL_READING);
    visit.task_list = std::move(list.records);
    if (list.headed) memcpy(visit.list_heading, list.heading, sizeof visit.list_heading);
    return true;
}

void update_blink() {
    run.blink_clock += frame_step;
    if (run.blink_clock > BLINK_PERIOD) run.blink_clock = 0;
}

// The heading and clock lines (when shown and the list is listed), then the rows.
PanelLayout lay_out(float y, float row_height, int rows, bool listed, bool heading, bool clock) {
    PanelLayout layout{.row_height = row_height, .top_y = y, .end_y = y};
    if (!listed) return layout;
    float line_y = y;
    layout.heading = heading;
    layout.clock = clock;
    if (heading) {
        layout.heading_y = line_y;
        line_y += row_height;
    }
    if (clock) {
        layout.clock_y = line_y;
        line_y += row_height;
    }
    layout.top_y = line_y - row_height;
    layout.first_y = line_y;
    for (int i = run.first_row; i < run.first_row + rows && i < task_count(); ++i) {
        line_y += row_height;
        ++layout.shown;
    }
    layout.end_y = line_y;
    return layout;
}

// The keys moving the focus onto the task select it and bring it into view; acting on it when
// selected opens the editor.
void update_focused_task(const PanelFocus& focus, int rows, int& selection) {
    if (!focus.moved || focus.task < 0 || focus.task >= task_count() || run.editor_open) return;
    if (focus.act && selection == focus.task + 1) run.editor_open = true;
    selection = focus.task + 1;
    run.first_row = std::clamp(run.first_row, focus.task - rows + 1, focus.task);
}

// The mouse over a row: with no selection, or pressing, and the editor closed, the row is hovered
// and shares its description as the hover text; pressing selects it, pressing the selected row
// opens the editor. Returns whether the row is hovered.
bool update_row(int i, const Area& row, int& selection) {
    if (!row.hovered() || (selection != 0 && !mouse.button_pressed[0]) || run.editor_open)
        return false;
    if (selection == i + 1) run.editor_open = true;
    if (mouse.button_pressed[0]) selection = i + 1;
    // The hover text keeps what fits of the description.
    const int fits = static_cast<int>(sizeof list_hover_name) - 1;
    snprintf(list_hover_name, sizeof list_hover_name, "%.*s", fits, visit.task_list[i].description);
    return true;
}

// The reminder word of a shown row (none for the completed tasks); a due task may start the alarm.
// A row the player sees, in a focused window, needs no desktop notice.
uint32_t update_reminder(int i) {
    const TaskRecord& task = visit.task_list[i];
    if (run.show_open && platform::window_focused() && platform::window_visible())
        notices_seen(task);
    return run.show_open ? alarmstate(task.due, task.repeat, task.warn_minutes, task.alarm) : 0;
}

// Which controls show and where the buttons go, from the frame's layout.
PanelControls place_controls(const PanelLayout& layout, bool near, int rows) {
    PanelControls controls;
    float x = CONTROL_X;
    if (near && layout.shown == rows && !run.editor_open) {
        controls.arrows = true;
        x += ARROWS_WIDTH;
    }
    x -= run.button_offset;
    if (run.editor_open || !near) return controls;
    controls.buttons = true;
    for (const PanelButton button :
         {PanelButton::expand, PanelButton::new_task, PanelButton::switch_list}) {
        if (button == PanelButton::new_task && !run.show_open) continue;
        controls.button[controls.count] = button;
        controls.button_x[controls.count++] = x;
        x += SQUARE;
    }
    controls.end_x = x;
    return controls;
}

// Presses on the scroll arrows and the buttons, with the mouse or the keys.
void update_controls(const PanelLayout& layout, const PanelControls& controls, int rows,
                     int& selection, const PanelFocus& focus) {
    if (controls.arrows) {
        if (arrow_area(layout.top_y, layout.row_height).pressed() && run.first_row > 0)
            --run.first_row;
        if (arrow_area(layout.end_y, layout.row_height).pressed() &&
            run.first_row + rows < task_count())
            ++run.first_row;
    }
    if (!controls.buttons) return;
    for (int k = 0; k < controls.count; ++k) {
        const bool keyed = focus.act && focus.button == k;
        if (!button_area(controls.button_x[k], layout.end_y).pressed() && !keyed) continue;
        switch (controls.button[k]) {
        case PanelButton::expand:
            run.panel_state = run.panel_state == 1 ? 0 : 1;
            run.first_row = 0;
            break;
        case PanelButton::new_task:
            run.editor_open = true;
            selection = -1;
            break;
        case PanelButton::switch_list:
            run.show_open = !run.show_open;
            run.first_row = 0;
            run.last_frame = 0;
            break;
        }
    }
    // The row of buttons settles centred over a few frames.
    run.button_offset = (controls.end_x - CONTROL_X) / 2;
}

// The editor's frame, while it is open; when it closes the list reloads from the top.
void update_editor(int& selection) {
    if (game_EditTodo(selection, run.show_open)) {
        run.panel_state = 2;
        return;
    }
    run.editor_open = false;
    run.panel_state = 0;
    run.last_frame = 0;
    selection = 0;
    run.first_row = 0;
}

// A selection left standing with the mouse away from the panel clears after 1.5 seconds.
void update_selection(int& selection, bool near) {
    if (selection != run.last_selection) run.selection_clock = 0;
    run.last_selection = selection;
    if (selection > 0 && !run.editor_open && !near) {
        run.selection_clock += frame_step;
        if (run.selection_clock > SELECTION_TIMEOUT) {
            selection = 0;
            run.selection_clock = 0;
        }
    }
}

void draw_header(const PanelLayout& layout, const platform::SYSTEMTIME& now, bool show_date,
                 bool show_time) {
    const platform::DrawPhase drawing;
    if (layout.heading)
        game_DisplayFontText(visit.list_heading, TEXT_ADVANCE, LAYOUT_CENTRE_X, layout.heading_y,
                             TEXT_SCALE, TextAnchor::centre);
    if (layout.clock)
        game_DisplayFontText(clocktext(now, show_date, show_time).c_str(), 10, LAYOUT_CENTRE_X,
                             layout.clock_y, TEXT_SCALE, TextAnchor::centre);
}

// The highlight behind a hovered or selected row.
void highlight(float x, float y) {
    game_DisplayCell({.x = x, .y = y, .left = 15, .opacity = 40, .scale_x = 8, .scale_y = 0.3f});
}

// A row's small icon at (x, y), scaled as the row's text: the sheet's square at (left, ICON_TOP),
// the due mark or the repeat kind's.
void draw_icon(float x, float y, int left) {
    game_DisplayCell({.x = x,
                      .y = y,
                      .left = left,
                      .top = ICON_TOP,
                      .right = left + SQUARE,
                      .bottom = ICON_TOP + SQUARE,
                      .scale_x = TEXT_SCALE,
                      .scale_y = TEXT_SCALE,
                      .rotation = 1});
}

// One task row at (x, y) with its reminder word: hovered rows and any selection show the date and
// time instead of the countdown. Returns the x just right of the row.
float draw_row(int i, float x, float y, uint32_t reminder, bool hovered, int selection, bool blink,
               const platform::SYSTEMTIME& now) {
    const platform::DrawPhase drawing;
    const TaskRecord& task = visit.task_list[i];
    const int kind = run.show_open ? task.repeat : REPEAT_NORMAL;
    platform::SYSTEMTIME when = task.when;
    const TimeDiff diff = countdown(when, kind);
    const bool due = reminder & DUE_FLAG, warn = reminder & WARN_FLAG;
    const int count = static_cast<int>(reminder & COUNT_MASK);
    if (hovered || selection == i + 1) highlight(x, y);
    game_DisplayNumber(i + 1, 0.45f, x, y, NumberAlign::right_top, DIGIT_STRIP_X, DIGIT_STRIP_Y);
    if (!((due || warn) && !blink && count == 0))
        game_DisplayFontText(task.description, TEXT_ADVANCE, x + DESCRIPTION_X, y, TEXT_SCALE,
                             TextAnchor::top_left);
    if ((due || warn) && blink && count > 0)
        game_DisplayNumber(count, SMALL_TEXT_SCALE, x + DESCRIPTION_X, y, NumberAlign::left_top,
                           DIGIT_STRIP_X, DIGIT_STRIP_Y);
    float e;
    if (selection != 0 || hovered) {
        game_DisplayFontText(datetext(task.when).c_str(), 11, x + DATE_RIGHT_X, y, TEXT_SCALE,
                             TextAnchor::top_right);
        e = game_DisplayFontText(timetext(task.when).c_str(), 11, x + TIME_X, y, TEXT_SCALE,
                                 TextAnchor::top_left);
    } else {
        game_DisplayFontText(countdowntext(diff, kind).c_str(), 12, x + DATE_RIGHT_X, y, TEXT_SCALE,
                             TextAnchor::top_right);
        e = game_DisplayFontText(timetext(diff).c_str(), 11, x + TIME_X, y, TEXT_SCALE,
                                 TextAnchor::top_left);
    }
    game_DisplayBar(e + 10, y + 3, std::clamp(closeness(when, now), 0.0f, 100.0f), 30, 10);
    if (due && blink) draw_icon(e + 10, y, DUE_ICON_LEFT);
    if (task.repeat >= REPEAT_NORMAL && task.repeat <= REPEAT_YEARLY)
        draw_icon(x + 3.75f, y, REPEAT_ICONS_LEFT + SQUARE * task.repeat);
    return e + 30;
}

// A scroll arrow, centred on LAYOUT_CENTRE_X with its top at y.
void draw_arrow(const platform::Rect& image, float y, float row_height) {
    const float scale = arrow_area(y, row_height).hovered() ? ARROW_HOVER_SCALE : 1.0f;
    draw_sheet_region(image, LAYOUT_CENTRE_X, y, scale, CellAnchor::top_middle);
}

// A round button, a square of the sheet, at (x, y).
void draw_button(float x, float y, const platform::Rect& image) {
    const float scale = button_area(x, y).hovered() ? BUTTON_HOVER_SCALE : 1.0f;
    CellDraw cell = sheet_cell(image, x, y);
    cell.scale_x = cell.scale_y = scale;
    cell.anchor = CellAnchor::top_middle;
    cell.rotation = 1;
    game_DisplayCell(cell);
}

void draw_controls(const PanelLayout& layout, const PanelControls& controls,
                   const PanelFocus& focus) {
    const platform::DrawPhase drawing;
    if (focus.button >= 0 && focus.button < controls.count)
        draw_focus_mark(button_area(controls.button_x[focus.button], layout.end_y));
    if (controls.arrows) {
        draw_arrow(ARROW_UP_IMAGE, layout.top_y, layout.row_height);
        draw_arrow(ARROW_DOWN_IMAGE, layout.end_y, layout.row_height);
    }
    for (int k = 0; k < controls.count; ++k) {
        const float x = controls.button_x[k];
        switch (controls.button[k]) {
        case PanelButton::expand:
            draw_button(x, layout.end_y, EXPAND_IMAGE);
            break;
        case PanelButton::new_task:
            draw_button(x, layout.end_y, NEW_TASK_IMAGE);
            break;
        case PanelButton::switch_list:
            if (run.show_open)
                draw_button(x, layout.end_y, TICK_IMAGE);
            else
                draw_button(x, layout.end_y, OPEN_TASKS_IMAGE);
            break;
        }
    }
}

} // namespace

int todo_buttons() {
    return run.show_open ? 3 : 2;
}

TodoPanelResult game_DisplayTodo(const TodoPanelDraw& draw) {
    const PanelFocus& focus = draw.focus;
    int selection = draw.selection;
    bool listed = true;
    if (first_frame(run.last_frame)) listed = todo_panel_enter();
    update_focused_task(focus, draw.rows, selection);
    update_blink();
    const bool blink = run.blink_clock > BLINK_PERIOD / 2;
    const platform::SYSTEMTIME now = platform::local_time();
    // A new task in the editor (selection -1) hides the header and rows.
    const PanelLayout layout =
        lay_out(draw.y, std::clamp(draw.row_height, 10.0f, 25.0f), draw.rows,
                listed && selection >= 0, draw.show_heading, draw.show_date || draw.show_time);
    draw_header(layout, now, draw.show_date, draw.show_time);

    // A press on a row selects it at once, and the rows below it show the new selection in the
    // same frame: each row is updated just before it is drawn.
    float r = 0, row_y = layout.first_y;
    run.blinking = run.ringing = false;
    for (int k = 0; k < layout.shown; ++k, row_y += layout.row_height) {
        const int i = run.first_row + k;
        const Area row = row_area(draw.x, row_y, layout.row_height);
        const bool hovered = update_row(i, row, selection);
        const uint32_t reminder = update_reminder(i);
        run.blinking |= (reminder & (DUE_FLAG | WARN_FLAG)) != 0;
        run.ringing |= (reminder & DUE_FLAG) && visit.task_list[i].alarm;
        r = draw_row(i, draw.x, row_y, reminder, hovered, selection, blink, now);
        if (focus.task == i) draw_focus_mark(row);
    }

    // The controls' pictures do not depend on this frame's presses, so they are drawn first and
    // the presses read after; the editor then runs on the state the presses leave.
    const bool near =
        near_area(draw.y, layout.end_y).hovered() || focus.task >= 0 || focus.button >= 0;
    const PanelControls controls = place_controls(layout, near, draw.rows);
    draw_controls(layout, controls, focus);
    update_controls(layout, controls, draw.rows, selection, focus);
    if (run.editor_open) update_editor(selection);
    update_selection(selection, near);
    run.clock_shown = layout.clock || layout.shown > 0;
    return {.selection = selection, .count = task_count(), .width = r};
}

namespace {

constexpr int RINGING_LOOK = 15;

// The passes to the next due or warning moment of a listed open task, or NO_CHANGE.
int next_reminder() {
    if (!run.show_open) return NO_CHANGE;
    const uint64_t now = toticks(platform::local_time());
    uint64_t next = UINT64_MAX;
    for (const TaskRecord& task : visit.task_list) {
        const uint64_t due = filetimeticks(task.due);
        const uint64_t warn = due - std::min<uint64_t>(due, task.warn_minutes * TICKS_PER_MINUTE);
        for (uint64_t moment : {warn, due})
            if (moment > now) next = std::min(next, moment);
    }
    if (next == UINT64_MAX) return NO_CHANGE;
    return static_cast<int>(std::min<uint64_t>(NO_CHANGE, (next - now) * 60 / TICKS_PER_SECOND));
}

} // namespace

int todo_panel_next_change(bool seen) {
    // A ringing alarm is looked at four times a second: the sound's end is the device's business.
    int next = std::min(next_reminder(), run.ringing ? RINGING_LOOK : NO_CHANGE);
    if (!seen) return next;
    if (run.editor_open) next = std::min(next, task_editor_next_change());
    const float half = BLINK_PERIOD / 2; // lit in the second half; the clock then starts over
    if (run.blinking)
        next = std::min(
            next, passes_until(run.blink_clock, run.blink_clock > half ? BLINK_PERIOD : half));
    if (run.clock_shown) next = std::min(next, next_second(platform::local_time()));
    return next;
}
