// The options screen: the theme samples, the player list, the puzzle mode, the remove box, Back
// and Confirm.
#include "screens/options_screen.h"

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/window.h"
#include "players/players.h"
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
constexpr float THEME_MARK_X = 40;
constexpr float REMOVE_TICK_X = 245, REMOVE_TICK_Y = 267;
constexpr platform::Rect MARK{175, 425, 200, 450}; // the marker and tick on the sheet

constexpr float WARNING_TIME = 200; // one second of frame steps
constexpr int WARNING_BLINK = 50;   // a blink cycle: on for its first half

} // namespace

float options_fade = 0;
int options_selection = 0;
float options_theme_row = 0;
bool options_delete_mode = false;
float options_warning_timer = 0;
OptionsVisit options_visit;

void options_reset() {
    options_fade = 0;
    options_selection = 0;
    options_theme_row = 0;
    options_delete_mode = false;
    options_warning_timer = 0;
    options_visit = {};
}

void options_screen_enter() {
    options_delete_mode = false;
    options_fade = 0;
    options_selection = 0;
    list_hover_name[0] = '\0';
    players_list_enter();
    options_theme_row = static_cast<float>(board_theme);
    options_warning_timer = 0;
    options_visit = {};
}

namespace {

// A row chosen in the list: that player's stored theme and puzzle mode are marked.
void choose_player(int row) {
    if (row == options_selection) return;
    options_selection = row;
    game_LoadTheme(list_hover_name);
    options_theme_row = static_cast<float>(board_theme);
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
    const int sizes[OPTIONS_GROUPS] = {players_list_rows(), THEME_COUNT, 1, 2, 1, 1};
    const bool act = move_focus(options_visit.focus, keys, sizes);
    return {list_focus(options_visit.focus, OPTIONS_LIST, keys, act), act};
}

// Acts on a left-button press, or on the keys' act on the focused control; returns whether
// Confirm was pressed.
bool handle_press(bool keyed) {
    const Focus& focus = options_visit.focus;
    auto keyed_on = [&](int group) { return keyed && focus.group == group; };
    bool confirmed = false;
    if (THEME_COLUMN.pressed())
        options_theme_row = static_cast<float>((mouse.y - THEME_TOP) / THEME_ROW_H);
    if (keyed_on(OPTIONS_THEMES)) options_theme_row = static_cast<float>(focus.item);
    if (BACK.pressed() || keyed_on(OPTIONS_BACK)) current_screen = Screen::start;
    if (CONFIRM.pressed() || keyed_on(OPTIONS_CONFIRM)) {
        if (options_selection == 0)
            options_warning_timer = 1;
        else
            current_screen = Screen::start;
        confirmed = true;
    }
    if (REMOVE_BOX.pressed() || keyed_on(OPTIONS_REMOVE))
        options_delete_mode = !options_delete_mode;
    for (int mode : {PUZZLES_DESIGNED, PUZZLES_CLASSIC})
        if (PUZZLE_BOXES[mode].box_and_label.pressed() ||
            (keyed_on(OPTIONS_PUZZLES) && focus.item == mode))
            options_visit.puzzle_mode = mode;
    return confirmed;
}

// The "no player selected." warning runs for a second after Confirm without a chosen player;
// returns whether it ran this frame.
bool advance_warning() {
    if (options_warning_timer <= 0) return false;
    options_warning_timer += frame_step;
    if (options_warning_timer > WARNING_TIME) options_warning_timer = 0;
    return true;
}

// On leaving by Confirm with a chosen name: store the marked theme and puzzle mode, or remove the
// player.
void store_choice() {
    if (static_cast<unsigned char>(list_hover_name[0]) <= 13) return;
    if (!options_delete_mode) {
        board_theme = static_cast<int>(options_theme_row);
        const bool theme = game_SaveTheme(list_hover_name);
        if (!game_SavePuzzleMode(list_hover_name, options_visit.puzzle_mode) || !theme)
            platform::message_box("the board theme and puzzle choice could not be saved",
                                  "game_SaveTheme()", platform::MB_OK);
    } else if (options_selection > 0) {
        game_RemovePlayer(options_selection);
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

void game_DisplayThemes() {
    const platform::DrawPhase drawing;
    for (int k = 0; k < THEME_COUNT; ++k) {
        const int empty_cell = k == 0 ? 0 : 2 * k + 14;
        const float sy = THEME_TOP + THEME_ROW_H * static_cast<float>(k);
        game_DisplayCell({.x = 25, .y = sy, .left = empty_cell, .scale_x = 0.5f, .scale_y = 0.5f});
        game_DisplayCell(
            {.x = 50, .y = sy, .left = empty_cell + 1, .scale_x = 0.5f, .scale_y = 0.5f});
    }
}

namespace {

void draw_background() {
    const platform::DrawPhase drawing;
    draw_screen_image(options_fade, IMAGE_OPTIONS);
    game_DisplayThemes();
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
        draw_focus_mark({25, theme_y, 75, theme_y + THEME_ROW_H});
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
    if (options_delete_mode)
        draw_mark(REMOVE_TICK_X, REMOVE_TICK_Y);
    else
        draw_mark(THEME_MARK_X, THEME_TOP + THEME_ROW_H * options_theme_row);
    const TickBox& ticked = PUZZLE_BOXES[options_visit.puzzle_mode];
    draw_mark(ticked.tick_x, ticked.tick_y);
    draw_focus();
}

void draw_warning_and_cursor(bool warning) {
    const platform::DrawPhase drawing;
    if (warning && static_cast<int>(options_warning_timer) % WARNING_BLINK < WARNING_BLINK / 2)
        game_DisplayText(
            {.text = "no player selected.", .x = 256, .y = 256, .anchor = TextAnchor::centre});
    game_DisplayCursor(true);
}

} // namespace

// The list updates and draws inside its own call, between the theme samples and the marks, and a
// row chosen there moves the marks at once; the screen's own presses move them from the next frame
// on, as the marks are drawn before the presses are read.
void game_OptionsScreen() {
    fade_in(options_fade);
    const Keyed keyed = update_focus();
    draw_background();
    choose_player(game_DisplayPlayers(80, 50, 1, options_selection, 25, 10, nullptr, keyed.list));
    draw_marks();
    const bool warning = update_options(keyed.act);
    draw_warning_and_cursor(warning);
}
