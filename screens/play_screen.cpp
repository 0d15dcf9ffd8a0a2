// The game screen: the board, the number picker, the three counters and the player's name; input
// becomes moves, one function applies them, and drawing only draws.
#include "screens/play_screen.h"

#include <algorithm>

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/name_check.h"
#include "screens/next_level_screen.h"
#include "screens/window_controls.h"
#include "sudoku/saved_game.h"

namespace {

// The grid: the centre of the top-left cell, and the pitch of the cells and of the boxes. Every
// point of the window belongs to some cell (cell_at), so the grid has no area of its own.
constexpr float GRID_X = 45, GRID_Y = 55;
constexpr int CELL_SIZE = 50;
constexpr int BOX_SIZE = 160; // three cells and the 10-pixel gap
constexpr int GRID_REACH = 479;
// The picker: twelve slots in rows of four, PICKER_STEP apart, each clickable over its whole
// square (slot_area); the eleven items fill the first eleven.
constexpr float PICKER_STEP = 35;
constexpr float PICKER_SCALE = 0.7f;
constexpr float PICKER_SIZE = 140;
constexpr float SCREEN_EDGE = 511;
constexpr float PICKER_RIGHTMOST = 372; // where a picker that would pass the edge starts
constexpr int PICKER_ITEMS = 11;        // digits 1 to 9, clear, close
constexpr int PICKER_SLOTS = 12;        // the items and the empty slot after them
constexpr int ITEM_CLEAR = 10;
// The counters along the top and the name below the grid.
constexpr float TICK_INTERVAL = 2.4f;
constexpr float COUNTER_Y = 3;
constexpr float TEXT_SCALE = 0.65f; // the counters' values and the name
constexpr int IMAGE_EMPTY = 0, IMAGE_GIVEN = 1, IMAGE_FRAME = 2, IMAGE_ITEMS = 3;
constexpr int STRIP_X = 50, STRIP_Y = 450, WRONG_STRIP_Y = 475, RIGHT_STRIP_X = 275;

} // namespace

// The screen's state is the design's own globals; game_Reset wipes them (play_screen_reset).
int32_t selected_col = 0, selected_row = 0;
float selected_x = GRID_X, selected_y = GRID_Y;
int32_t picker_choice = -1;
float picker_x = GRID_X, picker_y = GRID_Y + PICKER_STEP;
float tick_accumulator = 0;
bool name_check_pending = false;

void play_screen_reset() {
    selected_col = selected_row = 0;
    selected_x = GRID_X;
    selected_y = GRID_Y;
    picker_choice = -1;
    picker_x = GRID_X;
    picker_y = GRID_Y + PICKER_STEP;
    tick_accumulator = 0;
    name_check_pending = false;
}

// ---- update: the name check, the play time, and input as moves ----

namespace {

// The centre offset of column or row i (0 to 8) from the top-left cell's centre.
float cell_offset(int i) {
    return static_cast<float>(BOX_SIZE * (i / 3) + CELL_SIZE * (i % 3));
}

// The column or row under a mouse coordinate; a point in the gap after a box belongs to the box's
// last cell, and every point of the window maps to a cell.
int cell_at(int pointer, float origin) {
    const int p = std::clamp(pointer - static_cast<int>(origin) + CELL_SIZE / 2, 0, GRID_REACH);
    return 3 * (p / BOX_SIZE) + std::min((p % BOX_SIZE) / CELL_SIZE, 2);
}

bool is_given(int32_t code) {
    return code >= 1 && code <= 9;
}

int selected_cell() {
    return selected_row * 9 + selected_col;
}

// The centre of picker slot 1 to 12.
float slot_x(int slot) {
    return picker_x + PICKER_STEP * static_cast<float>((slot - 1) % 4);
}
float slot_y(int slot) {
    return picker_y + PICKER_STEP * static_cast<float>((slot - 1) / 4);
}

// The square of a picker slot. The picker stands on whole pixels, so no pixel lies on the
// half-pixel edges between two slots.
Area slot_area(int slot) {
    const float half = PICKER_STEP / 2;
    return {slot_x(slot) - half, slot_y(slot) - half, slot_x(slot) + half, slot_y(slot) + half};
}

// A new player's name is checked against the table before play starts; a free name adds the
// player. True when the frame goes on; a refused name returns to the start screen.
bool name_accepted() {
    if (new_game_flag) name_check_pending = true;
    if (!name_check_pending) return true;
    const int check = game_CheckNewPlayer(player_name);
    if (check == 2 || check == 3) {
        name_check_pending = false;
        current_screen = SCREEN_START;
        return false;
    }
    if (check != 0) return false; // the warning blinks; the check runs again next frame
    name_check_pending = false;
    game_StorePlayer(player_name, score, level, 0);
    return true;
}

// One play-time tick at most a frame, once the frame steps passed the interval.
void count_play_time() {
    tick_accumulator += frame_step;
    if (tick_accumulator > TICK_INTERVAL) {
        tick_accumulator = 0;
        ++elapsed_ticks;
    }
}

// A click while the picker is closed selects the cell under it.
Move interpret_grid_click() {
    if (picker_open || !mouse.button_pressed[0]) return {};
    return {.kind = MoveKind::select_cell,
            .cell = cell_at(mouse.y, GRID_Y) * 9 + cell_at(mouse.x, GRID_X)};
}

// The same click, after the selection moved: it opens the picker beside an editable cell, or
// chooses the picker slot under the pointer as of the frame before (picker_choice), or, on no
// slot, closes the picker.
Move interpret_picker_click() {
    if (!mouse.button_pressed[0]) return {};
    const int cell = selected_cell();
    const bool given = is_given(board[cell]);
    if (!picker_open && !given) return {.kind = MoveKind::open_picker};
    if (picker_choice < 0) return {.kind = MoveKind::close_picker};
    if (given) return {.kind = MoveKind::choose_nothing};
    if (picker_choice == ITEM_CLEAR) return {.kind = MoveKind::clear_cell, .cell = cell};
    if (picker_choice >= 1 && picker_choice <= 9)
        return {.kind = MoveKind::enter_digit, .cell = cell, .digit = picker_choice};
    return {.kind = MoveKind::choose_nothing};
}

// The window controls draw themselves and report a click on their close control.
Move interpret_close_control() {
    return {.kind = game_WindowControls() ? MoveKind::leave : MoveKind::none};
}

// Escape closes an open picker, or else leaves the game.
Move interpret_escape() {
    if (!keyboard.keypressed(DIK_ESCAPE, true)) return {};
    return {.kind = picker_open ? MoveKind::close_picker : MoveKind::leave};
}

// Selects a cell. The picker follows the selection: its first item goes below the cell, left of
// the right edge where it would pass it, and above the cell in the low rows.
void select_cell(int cell) {
    selected_col = cell % 9;
    selected_row = cell / 9;
    selected_x = GRID_X + cell_offset(selected_col);
    selected_y = GRID_Y + cell_offset(selected_row);
    picker_x = selected_x;
    picker_y = selected_y + PICKER_STEP;
    if (picker_x + PICKER_SIZE > SCREEN_EDGE) picker_x = PICKER_RIGHTMOST;
    if (picker_y + PICKER_SIZE > SCREEN_EDGE) picker_y = selected_y - 3 * PICKER_STEP;
}

// Every choice from the picker closes it; a complete board then ends the level.
void finish_choice() {
    picker_open = false;
    if (boardcomplete(board)) current_screen = SCREEN_NEXT_LEVEL;
}

// Notes the picker slot under the pointer in picker_choice; the next click chooses it.
void note_picker_slot() {
    picker_choice = -1;
    for (int slot = 1; slot <= PICKER_SLOTS; ++slot)
        if (slot_area(slot).hovered()) picker_choice = slot;
}

} // namespace

void apply_move(const Move& move) {
    switch (move.kind) {
    case MoveKind::none:
        break;
    case MoveKind::select_cell:
        select_cell(move.cell);
        break;
    case MoveKind::open_picker:
        picker_open = true;
        break;
    case MoveKind::enter_digit: {
        const bool right = move.digit == solution[move.cell];
        board[move.cell] = move.digit + (right ? CELL_RIGHT : CELL_WRONG);
        if (!right) ++wrong_entries;
        finish_choice();
        break;
    }
    case MoveKind::clear_cell:
        board[move.cell] = CELL_EMPTY;
        finish_choice();
        break;
    case MoveKind::choose_nothing:
        finish_choice();
        break;
    case MoveKind::close_picker:
        picker_open = false;
        break;
    case MoveKind::leave:
        game_SaveGameOrTell(); // a save that failed is shown
        current_screen = SCREEN_START;
        break;
    }
}

// ---- draw ----

namespace {

void counter_label(float x, int left, int right) {
    game_DisplayCell(
        {.x = x, .y = COUNTER_Y, .left = left, .top = 380, .right = right, .bottom = 398});
}

void draw_counters() {
    counter_label(20, 0, 90);
    game_DisplayNumber(wrong_entries, TEXT_SCALE, 115, COUNTER_Y, NumberAlign::left_top, STRIP_X,
                       wrong_entries > 10 ? WRONG_STRIP_Y : STRIP_Y);
    counter_label(195, 100, 154);
    game_DisplayTime(elapsed_ticks, TEXT_SCALE, 249, COUNTER_Y, TimeAlign::left, true);
    counter_label(355, 160, 226);
    game_DisplayNumber(level, TEXT_SCALE, 425, COUNTER_Y, NumberAlign::left_top, STRIP_X, STRIP_Y);
}

void draw_cell(int col, int row) {
    const float x = GRID_X + cell_offset(col), y = GRID_Y + cell_offset(row);
    const int32_t code = board[row * 9 + col];
    const bool given = is_given(code);
    int image = given ? IMAGE_GIVEN : IMAGE_EMPTY;
    if (board_theme != 0) image = 14 + 2 * board_theme + (given ? 1 : 0);
    game_DisplayCell({.x = x, .y = y, .left = image, .anchor = CellAnchor::centre});
    if (given)
        game_DisplayNumber(code, 1, x, y, NumberAlign::centre, STRIP_X, STRIP_Y);
    else if (code > CELL_RIGHT && code <= CELL_RIGHT + 9)
        game_DisplayNumber(code - CELL_RIGHT, 1, x, y, NumberAlign::centre, RIGHT_STRIP_X, STRIP_Y);
    else if (code > CELL_WRONG && code <= CELL_WRONG + 9)
        game_DisplayNumber(code - CELL_WRONG, 1, x, y, NumberAlign::centre, STRIP_X, WRONG_STRIP_Y);
}

// The boxes row by row and each box's cells row by row, then the frame of the selected cell.
void draw_grid() {
    for (int box_row = 0; box_row < 3; ++box_row)
        for (int box_col = 0; box_col < 3; ++box_col)
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 3; ++col) draw_cell(box_col * 3 + col, box_row * 3 + row);
    game_DisplayCell({.x = selected_x,
                      .y = selected_y,
                      .left = IMAGE_FRAME,
                      .opacity = is_given(board[selected_cell()]) ? 40.0f : 100.0f,
                      .anchor = CellAnchor::centre});
}

// The counters, the grid and the player's name.
void draw_board() {
    const platform::DrawPhase drawing;
    draw_counters();
    draw_grid();
    game_DisplayFontText(player_name, 15, 256, 506, TEXT_SCALE, TextAnchor::centre);
}

void picker_image(float x, float y, int image, float opacity) {
    game_DisplayCell({.x = x,
                      .y = y,
                      .left = image,
                      .opacity = opacity,
                      .scale_x = PICKER_SCALE,
                      .scale_y = PICKER_SCALE,
                      .anchor = CellAnchor::centre});
}

// The open picker's items, and the mark on the slot under the pointer.
void draw_picker() {
    const platform::DrawPhase drawing;
    for (int item = 1; item <= PICKER_ITEMS; ++item) {
        picker_image(slot_x(item), slot_y(item), IMAGE_EMPTY, 90);
        picker_image(slot_x(item), slot_y(item), item + IMAGE_ITEMS, 90);
    }
    if (picker_choice > 0)
        picker_image(slot_x(picker_choice), slot_y(picker_choice), IMAGE_FRAME, 100);
}

} // namespace

// ---- the entry point ----

void game_PlayScreen() {
    if (!name_accepted()) return;
    count_play_time();
    apply_move(interpret_grid_click());
    // The board is drawn before the picker's move is applied, as the design orders: an entry
    // shows from the next frame on, and one that completes the board ends the frame here, with
    // no picker, window controls or pointer drawn.
    draw_board();
    apply_move(interpret_picker_click());
    if (current_screen == SCREEN_NEXT_LEVEL) return;
    if (picker_open) {
        note_picker_slot();
        draw_picker();
    }
    // The window controls are drawn over the picker, and Escape is read after their close
    // control: a click on it and Escape in one frame are two moves, as the design orders.
    apply_move(interpret_close_control());
    apply_move(interpret_escape());
    game_DisplayCursor(true);
    new_game_flag = false;
}

bool game_SaveOnEnd() {
    if (current_screen == SCREEN_NEXT_LEVEL && dialog_active == 0) return game_NextLevelSaveOnEnd();
    if (current_screen != SCREEN_GAME || dialog_active != 0 || name_check_pending || new_game_flag)
        return false;
    return game_SaveGame();
}
