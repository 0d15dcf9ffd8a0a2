// The options screen: the theme samples, the player list, the puzzle mode, the remove box, Back
// and Confirm.
#include "screens/options_screen.h"

#include "gfx/cursor.h"
#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/window.h"
#include "players/players.h"
#include "screens/layout.h"
#include "screens/player_list.h"

namespace {

constexpr Area THEME_COLUMN{24, 324, 76, 500}; // 25 <= x <= 75 and 325 <= y < 500: the theme rows
constexpr Area BACK{450, 475, 485, 500};
constexpr Area CONFIRM{350, 475, 415, 500};
constexpr Area REMOVE_BOX{245, 276, 261, 290};
constexpr Area REMOVE_BOX_DRAWN{240, 271, 266, 295}; // the box as drawn, for the focus mark

// The puzzle mode's tick boxes, designed then classic: a press on a box or its label ticks it.
struct TickBox {
    Area box_and_label;
    float tick_x, tick_y; // where the tick stands
};
constexpr TickBox PUZZLE_BOXES[2] = {{{262, 448, 350, 468}, 262, 442},
                                     {{372, 448, 450, 468}, 372, 442}};

constexpr int THEME_TOP = 325;  // y of theme row 0
constexpr int THEME_ROW_H = 25; // height of a theme row
// A theme row's samples at half size: the empty cell, then the given cell, to the row's right.
constexpr float THEME_EMPTY_X = 25, THEME_GIVEN_X = 50, THEME_RIGHT = 75;
constexpr float THEME_SAMPLE_SCALE = 0.5f;
constexpr float THEME_MARK_X = 40;
constexpr float REMOVE_TICK_X = 245, REMOVE_TICK_Y = 267;
constexpr platform::Rect MARK{175, 425, 200, 450}; // the marker and tick on the sheet

// The player list: 10 rows from the top.
constexpr float LIST_X = 80, LIST_Y = 50, LIST_ROW_H = 25;
constexpr int LIST_ROWS = 10;

constexpr float WARNING_TIME = 200; // one second of frame steps

// The list's hover name holds no name while its first byte is a control byte up to carriage return.
constexpr unsigned char LAST_NO_NAME_BYTE = 13;

OptionsVisit options_visit;

} // namespace

const OptionsVisit& options_screen_visit() {
    return options_visit;
}

void options_screen_reset() {
    options_visit = {};
}

void options_screen_enter() {
    options_visit = {};
    options_visit.options_theme_row = static_cast<float>(board_theme);
    list_hover_name[0] = '\0';
    player_list_enter();
}

namespace {

// A row chosen in the list: that player's stored theme and puzzle mode are marked.
void choose_player(int row) {
    if (row == options_visit.options_selection) return;
    options_visit.options_selection = row;
    game_LoadTheme(list_hover_name);
    options_visit.options_theme_row = static_cast<float>(board_theme);
    options_visit.puzzle_mode = game_StoredPuzzleMode(list_hover_name);
}

// What the focus keys do in a frame: the list's part, and whether they act on the focused control.
struct Keyed {
    ListFocus list;
    bool act = false;
};

// The focus keys move the focus over the list's rows and the screen's controls.
Keyed update_focus() {
    const FocusKeys keys = read_focus_keys();
    const int sizes[OPTIONS_GROUPS] = {player_list_rows(), THEME_COUNT, 1, 2, 1, 1};
    const bool act = move_focus(options_visit.focus, keys, sizes);
    return {player_list_focus(options_visit.focus, OPTIONS_LIST, keys, act), act};
}

// Acts on a left-button press, or on the keys' act on the focused control; returns whether
// Confirm was pressed.
bool handle_press(bool keyed) {
    const Focus& focus = options_visit.focus;
    auto keyed_on = [&](int group) { return keyed && focus.group == group; };
    bool confirmed = false;
    if (THEME_COLUMN.pressed())
        options_visit.options_theme_row = static_cast<float>((mouse.y - THEME_TOP) / THEME_ROW_H);
    if (keyed_on(OPTIONS_THEMES)) options_visit.options_theme_row = static_cast<float>(focus.item);
    if (BACK.pressed() || keyed_on(OPTIONS_BACK)) current_screen = Screen::start;
    if (CONFIRM.pressed() || keyed_on(OPTIONS_CONFIRM)) {
        if (options_visit.options_selection == 0)
            options_visit.options_warning_timer = 1;
        else
            current_screen = Screen::start;
        confirmed = true;
    }
    if (REMOVE_BOX.pressed() || keyed_on(OPTIONS_REMOVE))
        options_visit.options_delete_mode = !options_visit.options_delete_mode;
    for (int mode : {PUZZLES_DESIGNED, PUZZLES_CLASSIC})
        if (PUZZLE_BOXES[mode].box_and_label.pressed() ||
            (keyed_on(OPTIONS_PUZZLES) && focus.item == mode))
            options_visit.puzzle_mode = mode;
    return confirmed;
}

// The "no player selected." warning runs for a second after Confirm without a chosen player;
// returns whether it ran this frame.
bool advance_warning() {
    if (options_visit.options_warning_timer <= 0) return false;
    options_visit.options_warning_timer += frame_step;
    if (options_visit.options_warning_timer > WARNING_TIME) options_visit.options_warning_timer = 0;
    return true;
}

// On leaving by Confirm with a chosen name: store the marked theme and puzzle mode, or remove the
// player.
void store_choice() {
    if (static_cast<unsigned char>(list_hover_name[0]) <= LAST_NO_NAME_BYTE) return;
    if (!options_visit.options_delete_mode) {
        board_theme = static_cast<int>(options_visit.options_theme_row);
        const bool theme = game_SaveTheme(list_hover_name);
        if (!game_SavePuzzleMode(list_hover_name, options_visit.puzzle_mode) || !theme)
            platform::message_box("the board theme and puzzle choice could not be saved",
                                  "game_SaveTheme()", platform::MB_OK);
    } else if (options_visit.options_selection > 0) {
        game_RemovePlayer(options_visit.options_selection);
    }
}

// The presses, the warning's time, Escape, and the stores on leaving; returns whether the warning
// ran this frame (it shows on its last frame too, when its timer is back at 0).
bool update_options(bool keyed) {
    const bool confirmed = handle_press(keyed);
    const bool warning = advance_warning();
    if (keyboard.keypressed(DIK_ESCAPE, true)) current_screen = Screen::start;
    if (current_screen == Screen::start) {
        if (confirmed) store_choice();
        board_theme = 0; // the chosen player's theme is loaded again when the player is picked
    }
    return warning;
}

} // namespace

namespace {

// The seven theme samples: each row's empty-cell and given-cell image.
void draw_themes() {
    for (int k = 0; k < THEME_COUNT; ++k) {
        const float sy = THEME_TOP + THEME_ROW_H * static_cast<float>(k);
        for (bool given : {false, true})
            game_DisplayCell({.x = given ? THEME_GIVEN_X : THEME_EMPTY_X,
                              .y = sy,
                              .left = theme_cell_image(k, given),
                              .scale_x = THEME_SAMPLE_SCALE,
                              .scale_y = THEME_SAMPLE_SCALE});
    }
}

void draw_background() {
    const platform::DrawPhase drawing;
    draw_screen_image(options_visit.fade, IMAGE_OPTIONS);
    draw_themes();
}

void draw_mark(float x, float y) {
    draw_sheet_region(MARK, x, y, 1, CellAnchor::top_left);
}

// The focus mark round the focused control (the list draws its own).
void draw_focus() {
    const Focus& focus = options_visit.focus;
    if (!focus.shown) return;
    const float theme_y = THEME_TOP + THEME_ROW_H * static_cast<float>(focus.item);
    switch (focus.group) {
    case OPTIONS_THEMES:
        draw_focus_mark({THEME_EMPTY_X, theme_y, THEME_RIGHT, theme_y + THEME_ROW_H});
        break;
    case OPTIONS_REMOVE:
        draw_focus_mark(REMOVE_BOX_DRAWN);
        break;
    case OPTIONS_PUZZLES:
        draw_focus_mark(PUZZLE_BOXES[focus.item].box_and_label);
        break;
    case OPTIONS_CONFIRM:
        draw_focus_mark(CONFIRM);
        break;
    case OPTIONS_BACK:
        draw_focus_mark(BACK);
        break;
    default:
        break;
    }
}

// The remove box's tick or the marked theme row, the puzzle mode's tick and the focus.
void draw_marks() {
    const platform::DrawPhase drawing;
    if (options_visit.options_delete_mode)
        draw_mark(REMOVE_TICK_X, REMOVE_TICK_Y);
    else
        draw_mark(THEME_MARK_X, THEME_TOP + THEME_ROW_H * options_visit.options_theme_row);
    const TickBox& ticked = PUZZLE_BOXES[options_visit.puzzle_mode];
    draw_mark(ticked.tick_x, ticked.tick_y);
    draw_focus();
}

void draw_warning_and_cursor(bool warning) {
    const platform::DrawPhase drawing;
    if (warning && blink_lit(options_visit.options_warning_timer))
        game_DisplayText({.text = "no player selected.",
                          .x = LAYOUT_CENTRE_X,
                          .y = LAYOUT_CENTRE_Y,
                          .anchor = TextAnchor::centre});
    game_DisplayCursor(true);
}

} // namespace

int options_screen_next_change(bool seen) {
    if (!seen) return NO_CHANGE;
    if (options_visit.fade < OPAQUE) return 1;
    const float warning = options_visit.options_warning_timer;
    return warning > 0 ? blink_next_change(warning) : NO_CHANGE;
}

// The list updates and draws inside its own call, between the theme samples and the marks, and a
// row chosen there moves the marks at once; the screen's own presses move them from the next frame
// on, as the marks are drawn before the presses are read.
void game_OptionsScreen() {
    fade_in(options_visit.fade);
    const Keyed keyed = update_focus();
    draw_background();
    choose_player(game_DisplayPlayers(LIST_X, LIST_Y, LIST_OPTIONS_FORM,
                                      options_visit.options_selection, LIST_ROW_H, LIST_ROWS,
                                      keyed.list));
    draw_marks();
    const bool warning = update_options(keyed.act);
    draw_warning_and_cursor(warning);
}
