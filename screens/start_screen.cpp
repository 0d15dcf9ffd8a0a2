// The start screen: title, buttons, the player list and the to-do panel, continuing a game.
#include "screens/start_screen.h"

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/window.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/layout.h"
#include "screens/player_list.h"
#include "screens/todo_panel.h"
#include "screens/window_controls.h"
#include "sudoku/board.h"
#include "sudoku/classic.h"
#include "sudoku/saved_game.h"

namespace {

// The three buttons: a region of the start sheet drawn by the middle of its right edge at
// (BUTTON_RIGHT, centre_y), hovered while the pointer is in its area.
struct Button {
    platform::Rect region;
    float centre_y;
    Area area;
};
constexpr Button NEW_GAME{{360, 400, 510, 430}, 400, {355, 385, 505, 415}};
constexpr Button OPTIONS{{360, 435, 510, 465}, 435, {355, 420, 505, 450}};
constexpr Button QUIT{{360, 470, 510, 505}, 470, {355, 455, 505, 485}};
constexpr float BUTTON_RIGHT = 505;

constexpr Area WEB_LINK{30, 390, 143, 490}; // the web-link panel's clickable part
// The product's page, a file that ships beside the game data; the web-link panel opens it.
constexpr const char* ABOUT_PAGE = "about.html";

constexpr platform::Rect TITLE{0, 0, 511, 200};            // drawn centred at (256, 100)
constexpr platform::Rect WEB_LINK_PANEL{0, 375, 300, 511}; // drawn by its top-left corner
constexpr float LAYOUT_W = 512;

// The player list: 3 rows below the to-do panel, or 10 from the panel's place while expanded.
constexpr float LIST_X = 80, COMPACT_LIST_Y = 290, EXPANDED_LIST_Y = 170, LIST_ROW_H = 16;
constexpr int COMPACT_LIST_ROWS = 3, EXPANDED_LIST_ROWS = 10;

} // namespace

namespace {
StartTodo start_todo;
StartVisit start_visit;
} // namespace

const StartTodo& start_screen_todo() {
    return start_todo;
}

const StartVisit& start_screen_visit() {
    return start_visit;
}

void start_screen_reset() {
    start_todo = {};
    start_visit = {};
}

void start_screen_enter() {
    start_visit = {};
    game_LoadSettings(Screen::start);
    player_list_enter();
    if (run_puzzle_mode == PUZZLES_CLASSIC) classic_stock(); // ready for the first level
}

void game_NewGame() {
    game_LoadPuzzleMode("");
    level = 1;
    score = 0;
    game_StartLevel();
    new_game_flag = true;
}

namespace {

// The buttons under the pointer; while the task editor runs they are hidden and none is.
struct Hover {
    bool new_game = false, options = false, quit = false;
};

Hover hover_buttons() {
    if (todo_panel_run().editor_open) return {};
    return {NEW_GAME.area.hovered(), OPTIONS.area.hovered(), QUIT.area.hovered()};
}

// What the focus keys act on in a frame: the list's part, the to-do panel's part, or the button (a
// group) they press.
struct Keyed {
    ListFocus list;
    PanelFocus panel;
    int button = NO_GROUP;
};

// The to-do panel's part of the focus: on its tasks or on its buttons.
PanelFocus panel_focus(const Focus& focus, const FocusKeys& keys, bool act) {
    PanelFocus panel{.moved = keys.any(), .act = act};
    if (focus.shown && focus.group == START_TASKS)
        panel.task = focus.item;
    else if (focus.shown && focus.group == START_PANEL_BUTTONS)
        panel.button = focus.item;
    else
        return {};
    return panel;
}

// The focus keys, unless the task editor has the keyboard: they move the focus over the to-do
// panel's tasks and buttons (while the panel shows), the list's rows (while the list shows) and
// the buttons.
Keyed update_focus() {
    if (todo_panel_run().editor_open) return {};
    const FocusKeys keys = read_focus_keys();
    const bool panel = !player_list_run().list_expanded;
    int sizes[START_GROUPS];
    sizes[START_TASKS] = panel ? start_todo.count : 0;
    sizes[START_PANEL_BUTTONS] = panel ? todo_buttons() : 0;
    sizes[START_LIST] = todo_panel_run().panel_state == 0 ? player_list_rows() : 0;
    sizes[START_NEW_GAME] = sizes[START_OPTIONS] = sizes[START_QUIT] = 1;
    Focus& focus = start_visit.focus;
    const bool act = move_focus(focus, keys, sizes);
    return {player_list_focus(focus, START_LIST, keys, act), panel_focus(focus, keys, act),
            act ? focus.group : NO_GROUP};
}

// The player list, while the to-do panel is collapsed, and the to-do panel, while the list is
// compact; each takes its input and draws in its own call. Returns the 1-based row of the player
// clicked or picked by the keys, or 0.
int run_panels(const Keyed& keyed) {
    int row = 0;
    if (todo_panel_run().panel_state == 0) {
        const bool compact = !player_list_run().list_expanded;
        row = game_DisplayPlayers(LIST_X, compact ? COMPACT_LIST_Y : EXPANDED_LIST_Y,
                                  LIST_START_FORM, 0, LIST_ROW_H,
                                  compact ? COMPACT_LIST_ROWS : EXPANDED_LIST_ROWS, keyed.list);
    }
    if (!player_list_run().list_expanded) { // as the list's toggle just left it
        // The panel stands where the expanded list does, with the list's rows.
        const TodoPanelResult todo = game_DisplayTodo(
            {.x = (LAYOUT_W - start_todo.width) / 2,
             .y = EXPANDED_LIST_Y,
             .selection = start_todo.selection,
             .rows = todo_panel_run().panel_state == 0 ? COMPACT_LIST_ROWS : EXPANDED_LIST_ROWS,
             .row_height = LIST_ROW_H,
             .focus = keyed.panel});
        start_todo = {.selection = todo.selection, .count = todo.count, .width = todo.width};
    }
    return row;
}

// A press on the web-link panel opens the product's page; returns whether the program closes.
bool open_web_link() {
    if (todo_panel_run().editor_open || !WEB_LINK.pressed()) return false;
    platform::open_url(platform::asset_path(ABOUT_PAGE).c_str());
    return true;
}

// Picks up the game of the player at the list's row: the record, the saved game (or a new puzzle
// for the player's level), the player's window placement and theme.
void continue_player(int row) {
    game_NewGame();
    new_game_flag = false;
    player_name[0] = '\0';
    if (!game_LoadPlayer(row, player_name, &score, &level)) {
        current_screen = Screen::start;
        return;
    }
    game_LoadPuzzleMode(player_name);
    if (puzzle_mode == PUZZLES_CLASSIC) classic_stock(); // made while the saved game is played
    if (game_LoadGame(player_name, board, solution) < SAVED_GAME_VALUES)
        game_StartLevel();
    else
        game_LoadNotes(player_name);
    game_LoadSettings(Screen::game);
    game_LoadTheme(player_name);
}

// Escape, else a press on a hovered button or the keys' press on the focused one (options, then
// quit, then new game); returns whether the program closes.
bool press_keys_and_buttons(const Hover& hover, int keyed_button) {
    if (keyboard.keypressed(DIK_ESCAPE, true)) return true;
    Hover pressed = mouse.button_pressed[0] ? hover : Hover{};
    pressed.new_game |= keyed_button == START_NEW_GAME;
    pressed.options |= keyed_button == START_OPTIONS;
    pressed.quit |= keyed_button == START_QUIT;
    if (pressed.options) {
        current_screen = Screen::options;
    } else if (pressed.quit) {
        return true;
    } else if (pressed.new_game) {
        dialog_active = 1;
        game_NewGame();
    }
    return false;
}

// The button, enlarged while hovered, and the focus mark round it.
void draw_button(const Button& b, bool over, int group) {
    game_DisplayLayer(IMAGE_START, OPAQUE, BUTTON_RIGHT, b.centre_y, b.region.left, b.region.top,
                      b.region.right, b.region.bottom, over ? BUTTON_HOVER_SCALE : 1,
                      LayerAnchor::right_middle);
    if (focus_on(start_visit.focus, group)) draw_focus_mark(b.area);
}

// The background, the title and the buttons, unless the task editor runs.
void draw_title_and_buttons(const Hover& hover) {
    const platform::DrawPhase drawing;
    if (todo_panel_run().editor_open) return;
    game_DisplayLayer(IMAGE_BACKGROUND, start_visit.fade);
    game_DisplayLayer(IMAGE_START, OPAQUE, LAYOUT_CENTRE_X, 100, TITLE.left, TITLE.top, TITLE.right,
                      TITLE.bottom, 1, LayerAnchor::centre);
    draw_button(NEW_GAME, hover.new_game, START_NEW_GAME);
    draw_button(OPTIONS, hover.options, START_OPTIONS);
    draw_button(QUIT, hover.quit, START_QUIT);
}

void draw_web_link() {
    const platform::DrawPhase drawing;
    if (todo_panel_run().editor_open) return;
    game_DisplayLayer(IMAGE_START, OPAQUE, WEB_LINK_PANEL.left, WEB_LINK_PANEL.top,
                      WEB_LINK_PANEL.left, WEB_LINK_PANEL.top, WEB_LINK_PANEL.right,
                      WEB_LINK_PANEL.bottom, 1, LayerAnchor::top_left);
}

} // namespace

int start_screen_next_change(bool seen) {
    // The to-do panel runs while the list is compact; its alarms are heard unseen.
    int next = player_list_run().list_expanded ? NO_CHANGE : todo_panel_next_change(seen);
    if (!seen) return next;
    return start_visit.fade < OPAQUE ? 1 : next;
}

void game_StartScreen() {
    fade_in(start_visit.fade);
    const Hover hover = hover_buttons();
    const Keyed keyed = update_focus();
    // The screen's own draws are left out of the frames nobody sees (frame_drawn): they write no
    // state, and the start screen is the one a minimised game catches up.
    if (frame_drawn) draw_title_and_buttons(hover);
    // The panels take their input and draw in one call each, layered between the buttons and the
    // web-link panel, so from here on the frame's input and drawing interleave in that order.
    const int row = run_panels(keyed);
    if (frame_drawn) draw_web_link();
    bool close = open_web_link();
    const ControlsFrame controls = window_controls_update();
    if (frame_drawn) window_controls_draw(controls);
    if (controls.close_clicked) close = true;
    if ((mouse.button_pressed[0] || keyed.list.pick) && row > 0) continue_player(row);
    if (platform::window_visible()) game_DisplayCursor(frame_drawn);
    if (press_keys_and_buttons(hover, keyed.button)) close = true;
    // Closing is the window's close message, whose handler posts the quit message.
    if (close) platform::post_quit_message(0);
}
