// The options screen: the theme samples, the player list, the puzzle mode, the remove box, Back
// and Confirm.
#include "screens/options_screen.h"

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "players/players.h"
#include "players/settings.h"

float options_fade = 0;
int options_selection = 0;
float options_theme_row = 0;
bool options_delete_mode = false;
float options_warning_timer = 0;
int options_puzzle_mode = PUZZLES_DESIGNED;

void options_reset() {
    options_fade = 0;
    options_selection = 0;
    options_theme_row = 0;
    options_delete_mode = false;
    options_warning_timer = 0;
    options_puzzle_mode = PUZZLES_DESIGNED;
}

namespace {

constexpr float THEME_TOP = 325;    // y of theme row 0
constexpr float THEME_ROW_H = 25;   // height of a theme row
constexpr float WARNING_TIME = 200; // one second of frame steps
constexpr float WARNING_BLINK = 50; // a blink cycle: on for its first half

// The puzzle mode's tick boxes, designed then classic: a press on a box or its label ticks it.
struct TickBox {
    int left, top, right, bottom, label_right;
};
constexpr TickBox PUZZLE_BOXES[2] = {{262, 451, 278, 465, 350}, {372, 451, 388, 465, 450}};

// Acts on a left-button press; returns whether Confirm was pressed.
bool handle_press(int mx, int my) {
    bool confirmed = false;
    if (mx >= 25 && mx <= 75 && my >= THEME_TOP && my < 500)
        options_theme_row = static_cast<float>((my - static_cast<int>(THEME_TOP)) / 25);
    if (mx > 450 && mx < 485 && my > 475 && my < 500) current_screen = SCREEN_START;
    if (mx > 350 && mx < 415 && my > 475 && my < 500) {
        if (options_selection == 0)
            options_warning_timer = 1;
        else
            current_screen = SCREEN_START;
        confirmed = true;
    }
    if (mx > 245 && mx < 261 && my > 276 && my < 290) options_delete_mode = !options_delete_mode;
    for (int mode : {PUZZLES_DESIGNED, PUZZLES_CLASSIC}) {
        const TickBox& box = PUZZLE_BOXES[mode];
        if (mx > box.left && mx < box.label_right && my > box.top - 3 && my < box.bottom + 3)
            options_puzzle_mode = mode;
    }
    return confirmed;
}

// Blinks "no player selected." for a second after Confirm without a chosen player.
void draw_warning() {
    if (options_warning_timer <= 0) return;
    options_warning_timer += frame_step;
    if (options_warning_timer > WARNING_TIME) options_warning_timer = 0;
    if (static_cast<int>(options_warning_timer) % static_cast<int>(WARNING_BLINK) <
        WARNING_BLINK / 2)
        game_DisplayText("no player selected.", 8, 15, 256, 256, 0, 175, 25, 25, 100, 0, 1, 1,
                         TextAnchor::centre, 0);
}

// On leaving by Confirm with a chosen name: store the marked theme and puzzle mode, or remove the
// player.
void store_choice() {
    if (static_cast<unsigned char>(list_hover_name[0]) <= 13) return;
    if (!options_delete_mode) {
        board_theme = static_cast<int>(options_theme_row);
        game_SaveTheme(list_hover_name);
        game_SavePuzzleMode(list_hover_name, options_puzzle_mode);
    } else if (options_selection > 0) {
        game_RemovePlayer(options_selection);
    }
}

} // namespace

void game_DisplayThemes() {
    for (int k = 0; k < THEME_COUNT; ++k) {
        const int empty_cell = k == 0 ? 0 : 2 * k + 14;
        const float sy = THEME_TOP + THEME_ROW_H * static_cast<float>(k);
        game_DisplayCell({.x = 25, .y = sy, .left = empty_cell, .scale_x = 0.5f, .scale_y = 0.5f});
        game_DisplayCell(
            {.x = 50, .y = sy, .left = empty_cell + 1, .scale_x = 0.5f, .scale_y = 0.5f});
    }
}

void options_screen_enter() {
    options_delete_mode = false;
    options_fade = 0;
    options_selection = 0;
    list_hover_name[0] = '\0';
    players_list_enter();
    options_theme_row = static_cast<float>(board_theme);
    options_warning_timer = 0;
    options_puzzle_mode = PUZZLES_DESIGNED;
}

void game_OptionsScreen() {
    fade_in_screen(options_fade, IMAGE_OPTIONS);
    game_DisplayThemes();

    const int row = game_DisplayPlayers(80, 50, 1, options_selection, 25, 10, nullptr);
    if (row != options_selection) {
        options_selection = row;
        game_LoadTheme(list_hover_name);
        options_theme_row = static_cast<float>(board_theme);
        options_puzzle_mode = game_StoredPuzzleMode(list_hover_name);
    }

    if (options_delete_mode)
        game_DisplayCell(
            {.x = 245, .y = 267, .left = 175, .top = 425, .right = 200, .bottom = 450});
    else
        game_DisplayCell({.x = 40,
                          .y = THEME_TOP + THEME_ROW_H * options_theme_row,
                          .left = 175,
                          .top = 425,
                          .right = 200,
                          .bottom = 450});
    const TickBox& ticked = PUZZLE_BOXES[options_puzzle_mode];
    game_DisplayCell({.x = static_cast<float>(ticked.left),
                      .y = static_cast<float>(ticked.top - 9),
                      .left = 175,
                      .top = 425,
                      .right = 200,
                      .bottom = 450});

    bool confirmed = false;
    if (mouse.button_pressed[0]) confirmed = handle_press(mouse.x, mouse.y);
    draw_warning();

    game_DisplayCursor(true);
    if (keyboard.keypressed(DIK_ESCAPE, true)) current_screen = SCREEN_START;

    if (current_screen == SCREEN_START) {
        if (confirmed) store_choice();
        board_theme = 0;
    }
}
