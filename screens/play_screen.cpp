// The game screen: the board, the number picker, the three counters and the player's name.
#include "screens/play_screen.h"

#include <algorithm>

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/name_check.h"
#include "screens/next_level_screen.h"
#include "screens/window_controls.h"
#include "sudoku/saved_game.h"

namespace {

constexpr float GRID_X = 45, GRID_Y = 55; // the centre of the top-left cell
constexpr int CELL_SIZE = 50;
constexpr int BOX_SIZE = 160; // three cells and the 10-pixel gap
constexpr int GRID_REACH = 479;
constexpr float PICKER_STEP = 35;
constexpr float PICKER_SCALE = 0.7f;
constexpr float PICKER_SIZE = 140;
constexpr float SCREEN_EDGE = 511;
constexpr float PICKER_RIGHTMOST = 372; // where a picker that would pass the edge starts
constexpr int PICKER_ITEMS = 11;        // digits 1 to 9, clear, close
constexpr int ITEM_CLEAR = 10;
constexpr float TICK_INTERVAL = 2.4f;
constexpr float COUNTER_Y = 3;
constexpr float TEXT_SCALE = 0.65f; // the counters' values and the name
constexpr int IMAGE_EMPTY = 0, IMAGE_GIVEN = 1, IMAGE_FRAME = 2, IMAGE_ITEMS = 3;
constexpr int STRIP_X = 50, STRIP_Y = 450, WRONG_STRIP_Y = 475, RIGHT_STRIP_X = 275;

} // namespace

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

int32_t& selected_cell() {
    return board[selected_row * 9 + selected_col];
}

void counter_label(float x, int left, int right) {
    game_DisplayCell(
        {.x = x, .y = COUNTER_Y, .left = left, .top = 380, .right = right, .bottom = 398});
}

// Counts the play time and draws the three counters.
void update_counters() {
    counter_label(20, 0, 90);
    game_DisplayNumber(wrong_entries, TEXT_SCALE, 115, COUNTER_Y, NumberAlign::left_top, STRIP_X,
                       wrong_entries > 10 ? WRONG_STRIP_Y : STRIP_Y);
    tick_accumulator += frame_step;
    if (tick_accumulator > TICK_INTERVAL) {
        tick_accumulator = 0;
        ++elapsed_ticks;
    }
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

// Draws the boxes row by row and each box's cells row by row, moves the selection to the cell
// under a click while the picker is closed, and frames the selected cell.
void draw_grid() {
    for (int box_row = 0; box_row < 3; ++box_row)
        for (int box_col = 0; box_col < 3; ++box_col)
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 3; ++col) draw_cell(box_col * 3 + col, box_row * 3 + row);
    if (!picker_open && mouse.button_pressed[0]) {
        selected_col = cell_at(mouse.x, GRID_X);
        selected_row = cell_at(mouse.y, GRID_Y);
        selected_x = GRID_X + cell_offset(selected_col);
        selected_y = GRID_Y + cell_offset(selected_row);
    }
    game_DisplayCell({.x = selected_x,
                      .y = selected_y,
                      .left = IMAGE_FRAME,
                      .opacity = is_given(selected_cell()) ? 40.0f : 100.0f,
                      .anchor = CellAnchor::centre});
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

// Draws the items in rows of four and notes the item under the mouse in picker_choice.
void draw_picker() {
    for (int k = 1; k <= PICKER_ITEMS; ++k) {
        const float x = picker_x + PICKER_STEP * static_cast<float>((k - 1) % 4);
        const float y = picker_y + PICKER_STEP * static_cast<float>((k - 1) / 4);
        picker_image(x, y, IMAGE_EMPTY, 90);
        picker_image(x, y, k + IMAGE_ITEMS, 90);
    }
    const float half = PICKER_STEP / 2;
    const float px = static_cast<float>(mouse.x) + half, py = static_cast<float>(mouse.y) + half;
    const int hx = static_cast<int>((px - picker_x) / PICKER_STEP);
    const int hy = static_cast<int>((py - picker_y) / PICKER_STEP);
    if (px < picker_x || hx > 3 || py < picker_y || hy > 2) {
        picker_choice = -1;
        return;
    }
    picker_image(picker_x + PICKER_STEP * static_cast<float>(hx),
                 picker_y + PICKER_STEP * static_cast<float>(hy), IMAGE_FRAME, 100);
    picker_choice = hx + 4 * hy + 1;
}

// Judges a picker choice for the selected cell: a digit against the solution, or a clear.
void enter_choice(int choice) {
    int32_t& cell = selected_cell();
    if (choice == ITEM_CLEAR) {
        cell = CELL_EMPTY;
    } else if (choice >= 1 && choice <= 9) {
        const bool right = choice == solution[selected_row * 9 + selected_col];
        cell = choice + (right ? CELL_RIGHT : CELL_WRONG);
        if (!right) ++wrong_entries;
    }
}

// One frame of the picker: a click opens it beside an editable cell, or lands on an item or
// elsewhere and closes it. Returns whether a choice was handled.
bool run_picker() {
    bool handled = false;
    if (mouse.button_pressed[0]) {
        picker_x = selected_x;
        picker_y = selected_y + PICKER_STEP;
        if (picker_x + PICKER_SIZE > SCREEN_EDGE) picker_x = PICKER_RIGHTMOST;
        if (picker_y + PICKER_SIZE > SCREEN_EDGE) picker_y = selected_y - 3 * PICKER_STEP;
        const bool given = is_given(selected_cell());
        if (!picker_open && !given) {
            picker_open = true;
        } else if (picker_choice >= 0) {
            handled = true;
            picker_open = false;
            if (!given) enter_choice(picker_choice);
        } else {
            picker_open = false;
        }
    }
    if (picker_open) draw_picker();
    return handled;
}

// Saves the game and goes back to the start screen; a save that failed is shown.
void leave_game() {
    game_SaveGameOrTell();
    current_screen = SCREEN_START;
}

} // namespace

void game_PlayScreen() {
    if (new_game_flag) name_check_pending = true;
    if (name_check_pending) {
        const int check = game_CheckNewPlayer(player_name);
        if (check == 2 || check == 3) {
            name_check_pending = false;
            current_screen = SCREEN_START;
            return;
        }
        if (check != 0) return; // the warning blinks; the check runs again next frame
        name_check_pending = false;
        game_StorePlayer(player_name, score, level, 0);
    }
    update_counters();
    draw_grid();
    game_DisplayFontText(player_name, 15, 256, 506, TEXT_SCALE, TextAnchor::centre);
    if (run_picker() && boardcomplete(board)) {
        current_screen = SCREEN_NEXT_LEVEL;
        return;
    }
    if (game_WindowControls()) leave_game();
    if (keyboard.keypressed(DIK_ESCAPE, true)) {
        if (picker_open)
            picker_open = false;
        else
            leave_game();
    }
    game_DisplayCursor(true);
    new_game_flag = false;
}

bool game_SaveOnEnd() {
    if (current_screen == SCREEN_NEXT_LEVEL && dialog_active == 0) return game_NextLevelSaveOnEnd();
    if (current_screen != SCREEN_GAME || dialog_active != 0 || name_check_pending || new_game_flag)
        return false;
    return game_SaveGame();
}
