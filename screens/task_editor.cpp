// The task editor: opening, the form and its boxes, typing, the messages, saving and deleting.
#include "screens/task_editor.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "screens/focus.h"
#include "screens/layout.h"
#include "todo/dates.h"

namespace {

// The form's controls by EditorControl: their clickable areas (the buttons' take in their left
// edge) and the field of a box (0 for the others).
struct Control {
    Area area;
    int field = 0;
};
constexpr Control CONTROLS[EDITOR_CONTROLS] = {
    {{50, 40, 260, 60}, FIELD_TITLE},         // the title box
    {{299, 40, 360, 60}},                     // Set title
    {{50, 110, 425, 135}, FIELD_DESCRIPTION}, // the description box
    {{100, 160, 200, 185}, FIELD_DATE},       // the date box
    {{250, 165, 275, 185}},                   // the done tick
    {{100, 210, 200, 240}, FIELD_TIME},       // the time box
    {{250, 215, 275, 235}},                   // the alarm tick
    {{99, 265, 201, 285}},                    // the repeat label
    {{225, 265, 275, 285}, FIELD_MINUTES},    // the warning minutes box
    {{99, 375, 150, 400}},                    // Add
    {{174, 375, 250, 400}},                   // Delete
    {{264, 375, 335, 400}},                   // Update
    {{350, 375, 425, 400}}};                  // Close

constexpr const char* MESSAGES[MESSAGE_COUNT] = {"Incorrect Time",
                                                 "Incorrect Date",
                                                 "Incorrect number of seconds",
                                                 "Description cannot be empty",
                                                 "Set Date, Time must be in the future",
                                                 "Deleting",
                                                 "title cannot be blank"};
// Where a box error sends the focus when its message ends (0: nowhere).
constexpr int MESSAGE_FOCUS[MESSAGE_COUNT] = {
    FIELD_TIME, FIELD_DATE, FIELD_MINUTES, FIELD_DESCRIPTION, 0, FIELD_DESCRIPTION, 0};
constexpr float MESSAGE_LENGTH = 500; // 2.5 seconds of frame_step
constexpr float CURSOR_PERIOD = 60;   // the cursor shows in the second half
constexpr int TYPED_LIMIT = 20;       // characters typed into the description and title boxes
constexpr int TITLE_LIMIT = 30;
// The typed date and time, "YYYY/MM/DD" and "HH:mm:ss", and the warning minutes at most.
constexpr int DATE_LENGTH = 10, TIME_LENGTH = 8, MINUTES_LENGTH = 3;
constexpr const char* NEW_HEADING = "...";

// Wiped when the game resets (task_editor_reset).
struct TaskEditorRun {
    float cursor_clock = 0; // drives the "." cursor
    int editor_frame = 0;   // frame_counter of the last frame
};

TaskEditorVisit visit;
TaskEditorRun run;

} // namespace

void task_editor_reset() {
    visit = {};
    run = {};
}

const TaskEditorVisit& task_editor_visit() {
    return visit;
}

namespace {

void set_text(const std::string& text) {
    const size_t n = std::min(text.size(), sizeof visit.edit_text - 1);
    memcpy(visit.edit_text, text.data(), n);
    visit.edit_text[n] = '\0';
    visit.edit_length = static_cast<int>(n);
}

// The value the focused box starts with.
void load_field() {
    const TaskRecord& t = visit.edit_task;
    switch (visit.edit_field) {
    case FIELD_DESCRIPTION:
        set_text(t.description);
        break;
    case FIELD_DATE:
        set_text(datetext(t.when));
        break;
    case FIELD_TIME:
        set_text(timetext(t.when));
        break;
    case FIELD_MINUTES:
        set_text(std::to_string(t.warn_minutes));
        break;
    case FIELD_TITLE:
        set_text(t.heading);
        break;
    default:
        set_text("");
        break;
    }
}

// Opening the editor, on a frame that does not follow its last one: reads the task to edit and
// switches the buttons. Nothing of an editor closed before carries over: no save it asked for, no
// message. False when an existing task is not found.
bool task_editor_enter(int selection, bool show_open, const char* file) {
    visit = {};
    if (!show_open) visit.add_off = visit.update_off = visit.title_off = true;
    TaskRecord& t = visit.edit_task;
    if (selection < 0) {
        strcpy(t.heading, NEW_HEADING);
        readtask(-1, t, file);
        t.alarm = false;
        t.description[0] = '\0';
        t.done = 0;
        t.warn_minutes = 0;
        t.repeat = REPEAT_NORMAL;
        t.when = platform::local_time();
        visit.add_off = false;
        visit.update_off = visit.delete_off = true;
    } else {
        t.heading[0] = '\0'; // only the first task brings the file's heading
        if (!readtask(selection - 1, t, file)) return false;
        visit.add_off = true;
    }
    visit.edit_field = FIELD_DESCRIPTION;
    load_field();
    return true;
}

void start_message(int message) {
    visit.message_clock[message] = 1;
}

void append(char c) {
    if (visit.edit_length >= EDIT_TEXT_SIZE - 1) return;
    visit.edit_text[visit.edit_length++] = c;
    visit.edit_text[visit.edit_length] = '\0';
}

// A digit typed into the date or the time box: the separator comes in at the lengths a and b.
void append_separated(char digit, char separator, int a, int b) {
    if (visit.edit_length == a || visit.edit_length == b) append(separator);
    append(digit);
    if (visit.edit_length == a || visit.edit_length == b) append(separator);
}

// Reads the typed date or time into its three fields: the number before the first separator,
// the one before the second and, after exactly two, the rest, within the first DATE_LENGTH
// characters (the longer text). A field without its number stays.
void read_numbers(char separator, uint16_t& first, uint16_t& second, uint16_t& third) {
    uint16_t* const fields[3] = {&first, &second, &third};
    int separators = 0;
    uint32_t value = 0;
    for (int i = 0; i < DATE_LENGTH && visit.edit_text[i]; ++i) {
        if (visit.edit_text[i] == separator) {
            if (separators < 2) *fields[separators] = static_cast<uint16_t>(value);
            ++separators;
            value = 0;
        } else if (visit.edit_text[i] >= '0' && visit.edit_text[i] <= '9') {
            value = std::min<uint32_t>(value * 10 + (visit.edit_text[i] - '0'), 0xFFFF);
        }
    }
    if (separators == 2) *fields[2] = static_cast<uint16_t>(value);
}

// Keeps what the box left behind holds. The date and the time go into the task even when they do
// not exist; the message says so.
void store_field(int field) {
    platform::SYSTEMTIME& w = visit.edit_task.when;
    switch (field) {
    case FIELD_DESCRIPTION:
        strcpy(visit.edit_task.description, visit.edit_text);
        break;
    case FIELD_DATE:
        read_numbers('/', w.wYear, w.wMonth, w.wDay);
        if (validdate(w.wYear, w.wMonth, w.wDay) != 0) start_message(MESSAGE_DATE);
        break;
    case FIELD_TIME:
        read_numbers(':', w.wHour, w.wMinute, w.wSecond);
        if (!validtime(w.wHour, w.wMinute, w.wSecond)) start_message(MESSAGE_TIME);
        break;
    case FIELD_MINUTES:
        if (std::all_of(visit.edit_text, visit.edit_text + visit.edit_length,
                        [](char c) { return c >= '0' && c <= '9'; }))
            visit.edit_task.warn_minutes = static_cast<uint16_t>(atoi(visit.edit_text));
        else
            start_message(MESSAGE_MINUTES);
        break;
    case FIELD_TITLE:
        if (visit.edit_length >= 1 && visit.edit_length <= TITLE_LIMIT) {
            strcpy(visit.edit_task.heading, visit.edit_text);
        } else {
            start_message(MESSAGE_TITLE);
            visit.save_request = false;
            visit.edit_field = FIELD_TITLE;
        }
        break;
    default:
        break;
    }
}

// Whether a click on the control does something: the buttons that are not masked (Delete only on
// a task of the list), Close, and the rest on a task that can be changed.
bool enabled(int control, int selection, bool show_open) {
    switch (control) {
    case EDITOR_ADD:
        return !visit.add_off;
    case EDITOR_UPDATE:
        return !visit.update_off;
    case EDITOR_SET_TITLE:
        return !visit.title_off;
    case EDITOR_DELETE:
        return !visit.delete_off && selection > 0;
    case EDITOR_CLOSE:
        return true;
    default:
        return show_open;
    }
}

// Down and Up walk the focus over the controls that act; onto a box, typing goes there. Enter on
// a tick, the repeat label or a button acts as a click on it (in a box it moves on, as Tab does).
// Returns the control that acts, or -1.
int update_focus(uint8_t c, int selection, bool show_open) {
    Focus& focus = visit.focus;
    const bool down = keyboard.keypressed(DIK_DOWN, false), up = keyboard.keypressed(DIK_UP, false);
    const bool enter = c == CHAR_ENTER || keyboard.keypressed(DIK_NUMPADENTER, false);
    const FocusKeys keys{.item = (down ? 1 : 0) - (up ? 1 : 0),
                         .act = enter && CONTROLS[focus.group].field == 0};
    int sizes[EDITOR_CONTROLS];
    for (int k = 0; k < EDITOR_CONTROLS; ++k) sizes[k] = enabled(k, selection, show_open) ? 1 : 0;
    const bool act = move_focus(focus, keys, sizes);
    if (keys.item != 0 && CONTROLS[focus.group].field != 0)
        visit.edit_field = CONTROLS[focus.group].field;
    return act ? focus.group : -1;
}

// The focus follows a box focused otherwise: by a click, Tab, a message or a save.
void follow_field() {
    for (int k = 0; k < EDITOR_CONTROLS; ++k)
        if (CONTROLS[k].field == visit.edit_field) visit.focus.group = k;
}

// A key's character for the focused box (only for tasks that can be changed).
void type_char(uint8_t c) {
    const bool digit = c >= '0' && c <= '9';
    if (c == CHAR_BACKSPACE) {
        if (visit.edit_length > 0) visit.edit_text[--visit.edit_length] = '\0';
    } else if (c == CHAR_TAB || c == CHAR_ENTER) {
        visit.edit_field =
            visit.edit_field >= FIELD_MINUTES ? FIELD_DESCRIPTION : visit.edit_field + 1;
    } else if (c <= CHAR_UNTYPED) {
        return;
    } else if (visit.edit_field == FIELD_DESCRIPTION || visit.edit_field == FIELD_TITLE) {
        if (visit.edit_length < TYPED_LIMIT) append(static_cast<char>(c));
    } else if (visit.edit_field == FIELD_DATE) {
        if (digit && visit.edit_length < DATE_LENGTH)
            append_separated(static_cast<char>(c), '/', 4, 7);
    } else if (visit.edit_field == FIELD_TIME) {
        if (digit && visit.edit_length < TIME_LENGTH)
            append_separated(static_cast<char>(c), ':', 2, 5);
    } else if (visit.edit_field == FIELD_MINUTES) {
        if (digit && visit.edit_length < MINUTES_LENGTH) append(static_cast<char>(c));
    }
}

void update_cursor() {
    run.cursor_clock += frame_step;
    if (run.cursor_clock > CURSOR_PERIOD) run.cursor_clock = 0;
}

// The clocks of the running messages before `last` move on.
void advance_messages(int last) {
    for (int m = 0; m < last; ++m)
        if (visit.message_clock[m] > 0) visit.message_clock[m] += frame_step;
}

// Messages before `last` that have blinked for 2.5 seconds end and give the focus back to their
// box. Returns the last message that ended, or -1.
int end_messages(int last) {
    int ended = -1;
    for (int m = 0; m < last; ++m) {
        float& clock = visit.message_clock[m];
        if (clock < MESSAGE_LENGTH) continue;
        clock = 0;
        if (MESSAGE_FOCUS[m]) visit.edit_field = MESSAGE_FOCUS[m];
        ended = m;
    }
    return ended;
}

// A save refused: the message starts and the focus goes to the box it is about.
bool refuse(int field, int message) {
    visit.edit_field = field;
    start_message(message);
    return false;
}

// Carries out a save asked for on the frame before; false when a message refuses it.
bool save_task(int selection) {
    TaskRecord& t = visit.edit_task;
    const platform::SYSTEMTIME& w = t.when;
    visit.edit_field = FIELD_DESCRIPTION;
    if (!t.description[0]) return refuse(FIELD_DESCRIPTION, MESSAGE_DESCRIPTION);
    // A date or time that does not exist is no moment to compare or to store.
    if (validdate(w.wYear, w.wMonth, w.wDay) != 0) return refuse(FIELD_DATE, MESSAGE_DATE);
    if (!validtime(w.wHour, w.wMinute, w.wSecond)) return refuse(FIELD_TIME, MESSAGE_TIME);
    if (comparetimes(w, platform::local_time()) == TIME_EARLIER)
        return refuse(FIELD_DATE, MESSAGE_FUTURE);
    if (t.done == 1 && selection > 0) {
        completetask(selection - 1);
        if (t.repeat != REPEAT_NORMAL) {
            t.done = 0;
            t.due = ticksfiletime(toticks(advancetask(t.when, t.repeat, 1)));
            appendtask(t, TODO_FILE, t.heading);
        }
        return true;
    }
    t.due = ticksfiletime(toticks(w));
    if (selection >= 0) {
        writeheading(TODO_FILE, t.heading);
        replacetask(selection - 1, t);
    } else {
        appendtask(t, TODO_FILE, t.heading);
    }
    sorttasks();
    return true;
}

// A click on the control, or Enter while it has the focus; false when it closes the editor. The
// repeat label takes its clicks in change_repeat.
bool act(int control, int selection, bool show_open, const char* file) {
    if (!enabled(control, selection, show_open)) return true;
    switch (control) {
    case EDITOR_ADD:
    case EDITOR_UPDATE:
        visit.save_request = true;
        visit.edit_field = FIELD_SAVE_TASK;
        break;
    case EDITOR_SET_TITLE:
        visit.save_request = true;
        visit.edit_field = FIELD_SAVE_HEADING;
        break;
    case EDITOR_DELETE:
        deletetask(selection - 1, file);
        start_message(MESSAGE_DELETING);
        break;
    case EDITOR_CLOSE:
        return false;
    case EDITOR_DONE:
        visit.edit_task.done = visit.edit_task.done == 1 ? 0 : 1;
        break;
    case EDITOR_ALARM:
        visit.edit_task.alarm = !visit.edit_task.alarm;
        break;
    default:
        if (CONTROLS[control].field != 0) visit.edit_field = CONTROLS[control].field;
        break;
    }
    return true;
}

// The control a left click is on, or -1.
int clicked_control() {
    for (int k = 0; k < EDITOR_CONTROLS; ++k)
        if (CONTROLS[k].area.hovered()) return k;
    return -1;
}

// The repeat kind, changed by the arrow keys, by a click on its label or by Enter on it (keyed).
void change_repeat(bool keyed) {
    const bool left = keyboard.keypressed(DIK_LEFT, true);
    const bool right = keyboard.keypressed(DIK_RIGHT, true) || keyed;
    if (!left && !right && !CONTROLS[EDITOR_REPEAT].area.hovered()) return;
    int32_t& repeat = visit.edit_task.repeat;
    if (mouse.button_pressed[0] || right) ++repeat;
    if (mouse.button_pressed[1] || left) --repeat;
    if (repeat > REPEAT_YEARLY) repeat = REPEAT_NORMAL;
    if (repeat < REPEAT_NORMAL) repeat = REPEAT_YEARLY;
}

// A save asked for on the frame before, else a click on the form (not on the opening frame, whose
// press opened the editor) and the control the keys act on, then the repeat kind. False when the
// editor closes.
bool update_form(int selection, bool show_open, const char* file, bool opening, int keyed) {
    if (visit.save_request) {
        visit.save_request = false;
        if (visit.edit_field == FIELD_SAVE_HEADING) {
            writeheading(TODO_FILE, visit.edit_task.heading);
            return false;
        }
        if (save_task(selection)) return false;
    } else if (!opening) {
        const int clicked = mouse.button_pressed[0] ? clicked_control() : -1;
        for (const int control : {clicked, keyed})
            if (control >= 0 && control != EDITOR_REPEAT &&
                !act(control, selection, show_open, file))
                return false;
    }
    if (show_open && !opening) change_repeat(keyed == EDITOR_REPEAT);
    return true;
}

void mask(float x, float y, int width) {
    game_DisplayCell({.x = x, .y = y, .top = 150, .right = width, .bottom = 175});
}

void box(const char* text, float advance, float x, float y) {
    game_DisplayFontText(text, advance, x, y, SMALL_TEXT_SCALE, TextAnchor::bottom_left);
}

void hint(const char* text, float x, float y) {
    game_DisplayText({.text = text,
                      .x = x,
                      .y = y,
                      .scale_x = SMALL_TEXT_SCALE,
                      .scale_y = SMALL_TEXT_SCALE,
                      .anchor = TextAnchor::bottom_left,
                      .opacity = 20});
}

void tick(float x, float y) {
    game_DisplayCell({.x = x,
                      .y = y,
                      .left = TICK_IMAGE.left,
                      .top = TICK_IMAGE.top,
                      .right = TICK_IMAGE.right,
                      .bottom = TICK_IMAGE.bottom});
}

// The background, the masks, the clock and every box as it stands.
void draw_form() {
    const platform::DrawPhase drawing;
    const TaskRecord& t = visit.edit_task;
    game_DisplayLayer(IMAGE_TODO_EDIT, OPAQUE);
    if (visit.add_off) mask(100, 375, 50);
    if (visit.title_off) mask(300, 39, 50);
    if (visit.delete_off) mask(175, 375, 75);
    if (visit.update_off) mask(260, 375, 80);
    game_DisplayFontText(editorclocktext(platform::local_time()).c_str(), 10, LAYOUT_CENTRE_X, 470,
                         TEXT_SCALE, TextAnchor::centre);
    const std::string typed =
        std::string(visit.edit_text) + (run.cursor_clock > CURSOR_PERIOD / 2 ? "." : "");
    auto shown = [&](int field, const std::string& rest) {
        return visit.edit_field == field ? typed : rest;
    };
    box(shown(FIELD_TITLE, t.heading).c_str(), 18, 50, 60);
    box(shown(FIELD_DESCRIPTION, t.description).c_str(), 18, 50, 135);
    if (visit.edit_field == FIELD_DATE) hint("YYYY/MM/DD", 100, 185);
    box(shown(FIELD_DATE, dateboxtext(t.when)).c_str(), 15, 100, 185);
    if (visit.edit_field == FIELD_TIME) hint("HH:mm:ss", 100, 235);
    box(shown(FIELD_TIME, timeboxtext(t.when)).c_str(), 15, 100, 235);
    box(repeatlabel(t.repeat), 12, 100, 285);
    box(shown(FIELD_MINUTES, std::to_string(t.warn_minutes)).c_str(), 15, 230, 285);
    if (t.done == 1) tick(255, 160);
    if (t.alarm) tick(255, 210);
    const Focus& focus = visit.focus;
    if (focus.shown && CONTROLS[focus.group].field == 0)
        draw_focus_mark(CONTROLS[focus.group].area);
}

// The running messages before `last`, blinking: each shows while its clock's whole part modulo
// 100 is above 40 (an idle clock, 0, shows nothing).
void draw_messages(int last) {
    const platform::DrawPhase drawing;
    for (int m = 0; m < last; ++m)
        if (static_cast<int>(visit.message_clock[m]) % 100 > 40)
            game_DisplayFontText(MESSAGES[m], 17, LAYOUT_CENTRE_X, LAYOUT_CENTRE_Y,
                                 m <= MESSAGE_MINUTES ? 1.0f : SMALL_TEXT_SCALE,
                                 TextAnchor::centre);
}

} // namespace

int task_editor_next_change() {
    if (std::ranges::any_of(visit.message_clock, [](float clock) { return clock > 0; })) return 1;
    const float half = CURSOR_PERIOD / 2;
    return std::min(passes_until(run.cursor_clock, run.cursor_clock > half ? CURSOR_PERIOD : half),
                    next_second(platform::local_time()));
}

bool game_EditTodo(int selection, bool show_open) {
    const char* file = show_open ? TODO_FILE : DONE_FILE;
    const bool opening = first_frame(run.editor_frame);
    if (opening && !task_editor_enter(selection, show_open, file)) return false;
    // The form shows the boxes as the frame found them: it is drawn before this frame's key and
    // click change them, and a message is drawn between its clock's step and its end.
    update_cursor();
    draw_form();
    const int focus = visit.edit_field;
    const uint8_t c = keyboard.readchar(true);
    if (c == CHAR_ESCAPE) return false;
    const int keyed = visit.save_request ? -1 : update_focus(c, selection, show_open);
    if (show_open && keyed < 0) type_char(c);
    // While "Deleting" runs, the title's message and the form wait; its end closes the editor.
    const bool deleting = visit.message_clock[MESSAGE_DELETING] > 0;
    const int last = deleting ? MESSAGE_TITLE : MESSAGE_COUNT;
    advance_messages(last);
    draw_messages(last);
    const int ended = end_messages(last);
    if (deleting) return ended != MESSAGE_DELETING;
    if (!update_form(selection, show_open, file, opening, keyed)) return false;
    if (visit.edit_field != focus) {
        store_field(focus);
        load_field();
        follow_field();
    }
    return true;
}
