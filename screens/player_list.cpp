// The player list: the players file read on the list's first frame, then rows, scrolling and the
// toggle frame by frame.
#include "screens/player_list.h"

#include <algorithm>
#include <cstring>

#include "gfx/bar.h"
#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "platform/files.h"
#include "screens/layout.h"

namespace {

constexpr float LIST_WIDTH = 350;
// The columns, from the list's x.
constexpr float NAME_X = 50, SCORE_X = 180, LEVEL_X = 300, BAR_X = 330;
constexpr float BAR_W = 30, BAR_H = 8; // the level bar
constexpr float CONTROLS_MARGIN = 30;
constexpr int DEFAULT_ROWS = 8;     // shown when the screen asks for none
constexpr float ROW_STEP = 0.8f;    // a row's height, in row heights as the screen gives them
constexpr float HEADER_STEP = 1.2f; // the bar to the titles and the titles to the rows, likewise

// One of the list's controls: its sheet region, drawn with its top edge centred on (x, the y the
// list gives it), and the area it answers in from that y down.
struct ListControl {
    float x;
    platform::Rect region;
    float left, right; // the x span it answers in
    float height;      // the height it answers in; 0 for the list's row height
    float enlarged;    // its scale while the mouse is on it

    Area area(float y, float row_height) const {
        return {left, y, right, y + (height > 0 ? height : row_height)};
    }
};
// Below the rows, above them, and the toggle below them.
constexpr ListControl SCROLL_DOWN{
    LAYOUT_CENTRE_X,  ARROW_DOWN_IMAGE, CENTRE_CONTROL_LEFT, CENTRE_CONTROL_RIGHT, 0,
    ARROW_HOVER_SCALE};
constexpr ListControl SCROLL_UP{
    LAYOUT_CENTRE_X,  ARROW_UP_IMAGE, CENTRE_CONTROL_LEFT, CENTRE_CONTROL_RIGHT, 0,
    ARROW_HOVER_SCALE};
constexpr ListControl TOGGLE{316, EXPAND_IMAGE, 304, 328, 25, BUTTON_HOVER_SCALE};

// Fewer letters, digits, ":" and spaces than this in the file: the table shows as empty.
constexpr int MIN_VISIBLE_CHARS = 3;

PlayerListRun list_run;
PlayerListVisit list_visit;

} // namespace

const PlayerListRun& player_list_run() {
    return list_run;
}

const PlayerListVisit& player_list_visit() {
    return list_visit;
}

void player_list_reset() {
    list_run = {};
    list_visit = {};
}

ListFocus player_list_focus(const Focus& focus, int group, const FocusKeys& keys, bool act) {
    if (!focus.shown || focus.group != group) return {};
    return {focus.item + 1, keys.any(), act};
}

int player_list_rows() {
    return list_visit.missing || list_visit.list_visible_chars < MIN_VISIBLE_CHARS
               ? 0
               : static_cast<int>(list_visit.records.size());
}

void player_list_enter() {
    list_run.frame = -1;
}

namespace {

bool list_character(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ':' ||
           c == ' ';
}

// The list's first frame: the players file sorted, then read afresh; while it is missing, once a
// second (look_again).
void read_list() {
    game_SortScores();
    list_visit = {};
    list_visit.looked = file_look();
    list_visit.missing = !read_players_file(list_visit.list_text);
    if (list_visit.missing) return;
    const std::string& text = list_visit.list_text;
    list_visit.records = parse_players(text);
    list_visit.list_visible_chars =
        static_cast<int>(std::count_if(text.begin(), text.end(), list_character));
}

// Where this frame's list stands, worked out before the mouse acts: a scroll press moves the rows
// from the next frame on.
struct ListView {
    float x, y;                // the list's place, as the screen gives it
    float h;                   // the row height
    bool header;               // the start-screen form: a bar and the column titles above the rows
    int rows;                  // the rows the list shows at most
    float rows_y = 0;          // y of the first row
    float top = 0;             // y of the scroll-up arrow, a row height above the first row
    float bottom = 0;          // y of the scroll-down arrow and the toggle, below the last row
    size_t first = 0, end = 0; // the records drawn, by index
};

// Calls each(record, its 1-based position, its y) for the rows the view shows, top down.
template <typename Each> void for_each_row(const ListView& view, Each each) {
    float row_y = view.rows_y;
    for (size_t i = view.first; i < view.end; ++i) {
        each(list_visit.records[i], static_cast<int>(i) + 1, row_y);
        row_y += ROW_STEP * view.h;
    }
}

ListView list_view(float x, float y, bool header, float h, int rows) {
    ListView view{.x = x, .y = y, .h = h, .header = header, .rows = rows};
    view.rows_y =
        header ? y + HEADER_STEP * h + HEADER_STEP * h : y; // below the bar and the titles
    view.top = view.rows_y - h;
    view.bottom = view.rows_y;
    const size_t count = list_visit.records.size();
    view.first = std::min(static_cast<size_t>(std::max(list_run.list_first_row - 1, 0)), count);
    view.end = std::min(view.first + static_cast<size_t>(rows), count);
    for_each_row(
        view, [&](const PlayerRecord&, int, float row_y) { view.bottom = row_y + ROW_STEP * h; });
    return view;
}

Area row_area(const ListView& view, float row_y) {
    return {view.x, row_y, view.x + LIST_WIDTH, row_y + ROW_STEP * view.h};
}

// Round a focused row: its number at the left to its bar at the right.
Area focus_area(const ListView& view, float row_y) {
    return {view.x - 6, row_y - 1, view.x + BAR_X + 36, row_y + ROW_STEP * view.h + 1};
}

// The controls show and answer only while the mouse is over the list or CONTROLS_MARGIN round it.
Area controls_area(const ListView& view) {
    return {view.x, view.y - CONTROLS_MARGIN, view.x + LIST_WIDTH, view.bottom + CONTROLS_MARGIN};
}

// The row the mouse is on, 0 for none, and whether the left button is held on it.
struct RowTouch {
    int hovered = 0;
    bool held = false;
};

// A row counts as hovered only while the button is held when a row is preselected; the hovered
// row's name becomes list_hover_name. A row the keys pick is touched as a held click touches it.
RowTouch update_rows(const ListView& view, int preselected, const ListFocus& focus) {
    RowTouch touch;
    auto touch_row = [&](const PlayerRecord& r, int record, bool held) {
        touch = {record, held};
        std::memcpy(list_hover_name, r.name().c_str(), r.name().size() + 1);
    };
    for_each_row(view, [&](const PlayerRecord& r, int record, float row_y) {
        if (!row_area(view, row_y).hovered() || (preselected != 0 && !mouse.button_down[0])) return;
        touch_row(r, record, mouse.button_down[0]);
    });
    const size_t picked = static_cast<size_t>(std::max(focus.record, 0));
    if (focus.pick && picked > view.first && picked <= view.end)
        touch_row(list_visit.records[picked - 1], focus.record, true);
    return touch;
}

// The least scrolling that brings the record into a view of the given rows, a row at a time as
// the scroll controls move it.
void scroll_to(int record, int rows) {
    const int first = std::max(list_run.list_first_row, 1);
    if (record < first) list_run.list_first_row = record;
    if (record >= first + rows) list_run.list_first_row = record - rows + 1;
}

// Scrolling stops with the last record in view and at the first; the toggle flips the list's size
// and shows from the first record.
void update_controls(const ListView& view) {
    if (!controls_area(view).hovered()) return;
    const int records = static_cast<int>(list_visit.records.size());
    if (SCROLL_DOWN.area(view.bottom, view.h).pressed() &&
        list_run.list_first_row + view.rows < records + 1)
        ++list_run.list_first_row;
    if (SCROLL_UP.area(view.top, view.h).pressed() && list_run.list_first_row > 1)
        --list_run.list_first_row;
    if (TOGGLE.area(view.bottom, view.h).pressed()) {
        list_run.list_expanded = !list_run.list_expanded;
        list_run.list_first_row = 0; // shows from the first record
    }
}

void list_label(const char* text, float x, float y, TextAnchor anchor = TextAnchor::top_left) {
    game_DisplayFontText(text, TEXT_ADVANCE, x, y, TEXT_SCALE, anchor);
}

// A field as the list shows it: the characters the list's lettering has.
void draw_field(const std::string& field, float x, float y) {
    char shown[FIELD_LIMIT + 1]; // a field never holds more
    *std::copy_if(field.begin(), field.end(), shown, list_character) = '\0';
    list_label(shown, x, y);
}

void draw_header(const ListView& view) {
    game_DisplayCell({.x = LAYOUT_CENTRE_X,
                      .y = view.y,
                      .top = 350,
                      .right = 100,
                      .bottom = 375,
                      .anchor = CellAnchor::centre});
    const float titles_y = view.y + HEADER_STEP * view.h;
    list_label("name", view.x + NAME_X, titles_y);
    list_label("score", view.x + SCORE_X, titles_y);
    list_label("level", view.x + LEVEL_X, titles_y);
}

// One row: the highlight when marked, the record's number, name, score and level.
void draw_row(const PlayerRecord& r, int record, float x, float row_y, bool marked) {
    if (marked)
        game_DisplayCell(
            {.x = x, .y = row_y, .left = 15, .opacity = 40, .scale_x = 7, .scale_y = 0.3f});
    game_DisplayNumber(record, 0.5f, x, row_y, NumberAlign::left_top, DIGIT_STRIP_X, DIGIT_STRIP_Y);
    draw_field(r.field[0], x + NAME_X, row_y);
    draw_field(r.field[1], x + SCORE_X, row_y);
    draw_field(r.field[2], x + LEVEL_X, row_y);
    const float percent =
        static_cast<float>(std::clamp(leading_number(r.field[2].c_str()), 0, 100));
    game_DisplayBar(x + BAR_X, row_y + 4, percent, BAR_W, BAR_H);
}

// A control, larger while the mouse is on it.
void draw_control(const ListControl& control, float y, float row_height) {
    const float scale = control.area(y, row_height).hovered() ? control.enlarged : 1;
    draw_sheet_region(control.region, control.x, y, scale, CellAnchor::top_middle);
}

// The hovered row is marked, and the preselected one unless a press on a row above it took the
// selection over: the selection changes as the rows are walked top down. The focused row wears
// the focus mark.
void draw_list(const ListView& view, int preselected, RowTouch touch, int focused) {
    const platform::DrawPhase drawing;
    if (view.header) draw_header(view);
    for_each_row(view, [&](const PlayerRecord& r, int record, float row_y) {
        const bool taken_above = touch.held && touch.hovered < record;
        draw_row(r, record, view.x, row_y,
                 record == touch.hovered || (record == preselected && !taken_above));
        if (record == focused) draw_focus_mark(focus_area(view, row_y));
    });
    if (!controls_area(view).hovered()) return;
    draw_control(SCROLL_DOWN, view.bottom, view.h);
    draw_control(SCROLL_UP, view.top, view.h);
    draw_control(TOGGLE, view.bottom, view.h);
}

void draw_empty_table(int form, float y) {
    const platform::DrawPhase drawing;
    list_label(form == LIST_OPTIONS_FORM ? "high score table is empty"
                                         : "Click 'play' to start a new game",
               LAYOUT_CENTRE_X, y, TextAnchor::centre);
}

} // namespace

int game_DisplayPlayers(float x, float y, int form, int preselected, float h, int visible_rows,
                        const ListFocus& focus) {
    if (first_frame(list_run.frame) || (list_visit.missing && look_again(list_visit.looked)))
        read_list();
    const bool table = !list_visit.missing; // a missing file shows only the controls
    if (table && list_visit.list_visible_chars < MIN_VISIBLE_CHARS) {
        draw_empty_table(form, y);
        return 0;
    }
    const int rows = visible_rows > 0 ? visible_rows : DEFAULT_ROWS;
    if (focus.moved && focus.record > 0) scroll_to(focus.record, rows);
    const ListView view = list_view(x, y, table && form == LIST_START_FORM, h, rows);
    const RowTouch touch = update_rows(view, preselected, focus);
    update_controls(view);
    draw_list(view, preselected, touch, focus.record);
    if (!table) return 0;
    return touch.held ? touch.hovered : std::max(preselected, 0);
}
