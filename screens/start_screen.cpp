// The start screen: title, buttons, the player list and the to-do panel, continuing a game.
#include "screens/start_screen.h"

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/window.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/player_list.h"
#include "screens/todo_panel.h"
#include "screens/window_controls.h"
#include "sudoku/board.h"
#include "sudoku/classic.h"
#include "sudoku/saved_game.h"

float start_fade = 0;
int todo_selection = 0;
int todo_count = 0;
float todo_width = 0;

void start_screen_reset() {
    start_fade = 0;
    todo_selection = 0;
    todo_count = 0;
    todo_width = 0;
}

namespace {

constexpr float LAYOUT_W = 512;

// The three buttons: a region of the start sheet drawn by the middle of its right edge at
// (505, centre_y), hovered while the pointer is in its band.
struct Button {
    platform::Rect region;
    float centre_y;
    int band_top, band_bottom;
};
constexpr Button NEW_GAME{{360, 400, 510, 430}, 400, 385, 415};
constexpr Button OPTIONS{{360, 435, 510, 465}, 435, 420, 450};
constexpr Button QUIT{{360, 470, 510, 505}, 470, 455, 485};

bool hovered(const Button& b) {
    return mouse.x > 355 && mouse.x < 505 && mouse.y > b.band_top && mouse.y < b.band_bottom;
}

// Draws the button, enlarged while hovered; returns whether it is hovered.
bool draw_button(const Button& b) {
    const bool over = hovered(b);
    game_DisplayLayer(IMAGE_START, 100, 505, b.centre_y, b.region.left, b.region.top,
                      b.region.right, b.region.bottom, over ? 1.1f : 1, LayerAnchor::right_middle);
    return over;
}

// The web-link panel's clickable area.
bool over_web_link() {
    return mouse.x > 30 && mouse.x < 143 && mouse.y > 390 && mouse.y < 490;
}

// Picks up the game of the player at the list's row: the record, the saved game (or a new puzzle
// for the player's level), the player's window placement and theme.
void continue_player(int row) {
    game_NewGame();
    new_game_flag = false;
    player_name[0] = '\0';
    if (!game_LoadPlayer(row, player_name, &score, &level)) {
        current_screen = SCREEN_START;
        return;
    }
    game_LoadPuzzleMode(player_name);
    if (puzzle_mode == PUZZLES_CLASSIC) classic_stock(); // made while the saved game is played
    if (game_LoadGame(player_name, board, solution) < 162) game_StartLevel();
    game_LoadSettings(SCREEN_GAME);
    game_LoadTheme(player_name);
}

} // namespace

void game_NewGame() {
    game_LoadPuzzleMode("");
    level = 1;
    score = 0;
    game_StartLevel();
    new_game_flag = true;
}

void start_screen_enter() {
    start_fade = 0;
    game_LoadSettings(0);
    players_list_enter();
    if (run_puzzle_mode == PUZZLES_CLASSIC) classic_stock(); // ready for the first level
}

void game_StartScreen() {
    fade_in(start_fade);

    bool over_new_game = false, over_options = false, over_quit = false;
    if (!editor_open) {
        game_DisplayLayer(IMAGE_BACKGROUND, start_fade);
        game_DisplayLayer(IMAGE_START, 100, 256, 100, 0, 0, 511, 200, 1, LayerAnchor::centre);
        over_new_game = draw_button(NEW_GAME);
        over_options = draw_button(OPTIONS);
        over_quit = draw_button(QUIT);
    }

    int row = 0;
    if (panel_state == 0) {
        if (list_expanded == 0)
            row = game_DisplayPlayers(80, 290, 0, 0, 16, 3, &list_expanded);
        else
            row = game_DisplayPlayers(80, 170, 0, 0, 16, 10, &list_expanded);
    }
    if (list_expanded == 0)
        todo_width = game_DisplayTodo(
            (LAYOUT_W - todo_width) / 2, 170, todo_selection, &todo_selection, &editor_open, true,
            true, true, panel_state == 0 ? 3 : 10, 16, &todo_count, &panel_state, "todo.txt");

    bool close = false;
    if (!editor_open) {
        game_DisplayLayer(IMAGE_START, 100, 0, 375, 0, 375, 300, 511, 1, LayerAnchor::top_left);
        if (mouse.button_pressed[0] && over_web_link()) {
            platform::open_url(ABOUT_PAGE);
            close = true;
        }
    }
    if (game_WindowControls()) close = true;

    if (mouse.button_pressed[0] && row > 0) continue_player(row);

    if (platform::window_visible()) game_DisplayCursor(true);

    if (keyboard.keypressed(DIK_ESCAPE, true)) {
        close = true;
    } else if (mouse.button_pressed[0]) {
        if (over_options) {
            current_screen = SCREEN_OPTIONS;
        } else if (over_quit) {
            close = true;
        } else if (over_new_game) {
            dialog_active = 1;
            game_NewGame();
        }
    }
    // Closing is the window's close message, whose handler posts the quit message.
    if (close) platform::post_quit_message(0);
}
