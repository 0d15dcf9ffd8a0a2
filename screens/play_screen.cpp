// The game screen: the board, the number picker, the three counters and the player's name, pencil
// marks, undo and pause; mouse and keyboard input become moves, one function applies them, and
// drawing only draws.
#include "screens/play_screen.h"

#include <algorithm>

#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/input.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/name_check.h"
#include "screens/next_level_screen.h"
#include "screens/window_controls.h"
#include "sudoku/notes.h"
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
// The additions: the mark on cells holding the selected digit, the notes-mode control beside the
// counters (off and on), the pencil marks' digits (MARK_WIDTH apart on the sheet, MARK_STEP apart
// in a cell) and the pause panel over the hidden board.
constexpr int IMAGE_SAME_DIGIT = 28;
constexpr platform::Rect NOTES_OFF{210, 160, 244, 178}, NOTES_ON{250, 160, 284, 178};
constexpr float NOTES_X = 170, NOTES_Y = 12;
constexpr Area NOTES_AREA{152, 2, 188, 22};
constexpr int MARKS_LEFT = 210, MARKS_TOP = 185, MARK_WIDTH = 15, MARK_HEIGHT = 16;
constexpr float MARK_STEP = 15;
constexpr platform::Rect PAUSED_PANEL{210, 210, 410, 270};
constexpr float BOARD_CENTRE_X = 255, BOARD_CENTRE_Y = 265;
// An arrow key held this many frames repeats, then every REPEAT_EVERY frames.
constexpr int REPEAT_DELAY = 24, REPEAT_EVERY = 4;

} // namespace

// The screen's state is the design's own globals; game_Reset wipes them (play_screen_reset).
int32_t selected_col = 0, selected_row = 0;
float selected_x = GRID_X, selected_y = GRID_Y;
int32_t picker_choice = -1;
float picker_x = GRID_X, picker_y = GRID_Y + PICKER_STEP;
float tick_accumulator = 0;
bool name_check_pending = false;
PlayVisit play_visit;

void play_screen_reset() {
    play_visit = {};
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
        current_screen = Screen::start;
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

// A click on the board: anywhere but on the notes control, which takes its clicks.
bool board_clicked() {
    return mouse.button_pressed[0] && !NOTES_AREA.contains(mouse.x, mouse.y);
}

// A click while the picker is closed selects the cell under it.
Move interpret_grid_click() {
    if (picker_open || !board_clicked()) return {};
    return {.kind = MoveKind::select_cell,
            .cell = cell_at(mouse.y, GRID_Y) * 9 + cell_at(mouse.x, GRID_X)};
}

// A digit chosen for the selected cell: entered, or in notes mode pencilled into an empty cell.
// choose_nothing when the cell takes neither.
Move digit_move(int digit) {
    const int cell = selected_cell();
    if (is_given(board[cell])) return {.kind = MoveKind::choose_nothing};
    if (!play_visit.notes_mode)
        return {.kind = MoveKind::enter_digit, .cell = cell, .digit = digit};
    if (board[cell] != CELL_EMPTY) return {.kind = MoveKind::choose_nothing};
    return {.kind = MoveKind::toggle_mark, .cell = cell, .digit = digit};
}

// The same click, after the selection moved: it opens the picker beside an editable cell, or
// chooses the picker slot under the pointer as of the frame before (picker_choice), or, on no
// slot, closes the picker.
Move interpret_picker_click() {
    if (!board_clicked()) return {};
    const int cell = selected_cell();
    const bool given = is_given(board[cell]);
    if (!picker_open && !given) return {.kind = MoveKind::open_picker};
    if (picker_choice < 0) return {.kind = MoveKind::close_picker};
    if (given) return {.kind = MoveKind::choose_nothing};
    if (picker_choice == ITEM_CLEAR) return {.kind = MoveKind::clear_cell, .cell = cell};
    if (picker_choice >= 1 && picker_choice <= 9) return digit_move(picker_choice);
    return {.kind = MoveKind::choose_nothing};
}

Move interpret_notes_control() {
    return {.kind = NOTES_AREA.pressed() ? MoveKind::notes_mode : MoveKind::none};
}

bool key(int code) {
    return keyboard.keypressed(code, true);
}

// The arrow keys, and the keypad's while Num Lock is off.
struct Arrow {
    int key, col, row;
    bool keypad;
};
constexpr Arrow ARROWS[] = {{DIK_UP, 0, -1, false},     {DIK_DOWN, 0, 1, false},
                            {DIK_LEFT, -1, 0, false},   {DIK_RIGHT, 1, 0, false},
                            {DIK_NUMPAD8, 0, -1, true}, {DIK_NUMPAD2, 0, 1, true},
                            {DIK_NUMPAD4, -1, 0, true}, {DIK_NUMPAD6, 1, 0, true}};
constexpr int ARROW_COUNT = static_cast<int>(std::size(ARROWS));
constexpr int KEYPAD_DIGITS[10] = {0,           DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4,
                                   DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7, DIK_NUMPAD8, DIK_NUMPAD9};

// The arrow that moves the selection this frame, or -1: one just pressed, or one held past the
// repeat delay, every few frames.
int arrow_this_frame() {
    PlayVisit& visit = play_visit;
    const bool keypad_arrows = !platform::numlock_on();
    for (int i = 0; i < ARROW_COUNT; ++i) {
        if ((ARROWS[i].keypad && !keypad_arrows) || !key(ARROWS[i].key)) continue;
        visit.held_arrow = i;
        visit.held_frames = 0;
        return i;
    }
    if (visit.held_arrow < 0 || !keyboard.held(ARROWS[visit.held_arrow].key, false)) {
        visit.held_arrow = -1;
        return -1;
    }
    ++visit.held_frames;
    const int past = visit.held_frames - REPEAT_DELAY;
    return past >= 0 && past % REPEAT_EVERY == 0 ? visit.held_arrow : -1;
}

// The digit typed on the top row, or on the keypad while Num Lock is on; 0 for none.
int typed_digit() {
    for (int digit = 1; digit <= 9; ++digit)
        if (key(DIK_1 + digit - 1)) return digit;
    if (platform::numlock_on())
        for (int digit = 1; digit <= 9; ++digit)
            if (key(KEYPAD_DIGITS[digit])) return digit;
    return 0;
}

// The keys of the game screen (Escape aside). One move a frame: a key not asked about keeps its
// press for the next frame.
Move interpret_keys() {
    const int cell = selected_cell();
    if (const int arrow = arrow_this_frame(); arrow >= 0) {
        const int col = (selected_col + ARROWS[arrow].col + 9) % 9;
        const int row = (selected_row + ARROWS[arrow].row + 9) % 9;
        return {.kind = MoveKind::select_cell, .cell = row * 9 + col};
    }
    if (const int digit = typed_digit()) {
        const Move move = digit_move(digit);
        return move.kind == MoveKind::choose_nothing ? Move{} : move;
    }
    if (key(DIK_BACK) || key(DIK_DELETE))
        return is_given(board[cell]) ? Move{} : Move{.kind = MoveKind::clear_cell, .cell = cell};
    // Alt+Enter is the full-screen chord: its Enter is taken and does nothing here.
    const bool alt = keyboard.held(DIK_LMENU, false) || keyboard.held(DIK_RMENU, false);
    if ((key(DIK_RETURN) && !alt) || key(DIK_SPACE) || key(DIK_NUMPADENTER)) {
        if (picker_open) return {.kind = MoveKind::close_picker};
        return is_given(board[cell]) ? Move{} : Move{.kind = MoveKind::open_picker};
    }
    if (key(Keyboard::letter_key('n'))) return {.kind = MoveKind::notes_mode};
    if (key(Keyboard::letter_key('p'))) return {.kind = MoveKind::pause};
    const bool control = keyboard.held(DIK_LCONTROL, false) || keyboard.held(DIK_RCONTROL, false);
    const bool shift = keyboard.held(DIK_LSHIFT, false) || keyboard.held(DIK_RSHIFT, false);
    if (key(Keyboard::letter_key('z')) && control)
        return {.kind = shift ? MoveKind::redo : MoveKind::undo};
    if (key(Keyboard::letter_key('y')) && control) return {.kind = MoveKind::redo};
    return {};
}

// While paused, any key or click resumes; every key's press is taken, so none acts on the board.
Move interpret_resume() {
    bool any = mouse.button_pressed[0] || mouse.button_pressed[1] || mouse.button_pressed[2];
    for (int code = 1; code < 256; ++code) any = keyboard.keypressed(code, code == 1) || any;
    return {.kind = any ? MoveKind::resume : MoveKind::none};
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
    if (boardcomplete(board)) current_screen = Screen::next_level;
}

// Notes the picker slot under the pointer in picker_choice; the next click chooses it.
void note_picker_slot() {
    picker_choice = -1;
    for (int slot = 1; slot <= PICKER_SLOTS; ++slot)
        if (slot_area(slot).hovered()) picker_choice = slot;
}

// A digit goes into a cell: the cell's own marks go, and the digit's mark from its row, column
// and box.
void put_digit(int cell, int digit, int32_t code) {
    board[cell] = code;
    play_notes.marks[cell] = 0;
    int peers[20];
    peer_cells(cell, peers);
    for (const int peer : peers) play_notes.marks[peer] &= static_cast<uint16_t>(~mark_bit(digit));
}

// The history's step in either direction; the selection goes to its cell. False when there was
// none to take.
bool step_history(bool forward) {
    int cell = 0;
    picker_open = false;
    if (!(forward ? redo_step(cell) : undo_step(cell))) return false;
    select_cell(cell);
    if (boardcomplete(board)) current_screen = Screen::next_level;
    return true;
}

// Changes the board or the marks of a cell as one step of the history.
template <class Change> void record(int cell, Change change) {
    HistoryStep step;
    begin_step(step, cell);
    change();
    end_step(step);
}

} // namespace

void apply_move(const Move& move) {
    switch (move.kind) {
    case MoveKind::none:
        return;
    case MoveKind::select_cell:
        picker_open = false;
        select_cell(move.cell);
        return;
    case MoveKind::open_picker:
        picker_open = true;
        return;
    case MoveKind::enter_digit: {
        const bool right = move.digit == solution[move.cell];
        record(move.cell, [&] {
            put_digit(move.cell, move.digit, move.digit + (right ? CELL_RIGHT : CELL_WRONG));
        });
        if (!right) ++wrong_entries;
        finish_choice();
        break;
    }
    case MoveKind::clear_cell:
        record(move.cell, [&] {
            board[move.cell] = CELL_EMPTY;
            play_notes.marks[move.cell] = 0;
        });
        finish_choice();
        break;
    case MoveKind::choose_nothing:
        finish_choice();
        return;
    case MoveKind::close_picker:
        picker_open = false;
        return;
    case MoveKind::leave:
        game_SaveGameOrTell(); // a save that failed is shown
        current_screen = Screen::start;
        return;
    case MoveKind::toggle_mark:
        record(move.cell, [&] { play_notes.marks[move.cell] ^= mark_bit(move.digit); });
        finish_choice();
        break;
    case MoveKind::undo:
    case MoveKind::redo:
        if (!step_history(move.kind == MoveKind::redo)) return;
        break;
    case MoveKind::notes_mode:
        play_visit.notes_mode = !play_visit.notes_mode;
        return;
    case MoveKind::pause:
        play_visit.paused = true;
        picker_open = false;
        return;
    case MoveKind::resume:
        play_visit.paused = false;
        return;
    }
    // A change of the board or the marks is saved at once; one that completed the board is not:
    // the next-level screen saves the next level's puzzle.
    if (current_screen == Screen::game) game_SaveInBackground();
}

void play_screen_enter() {
    play_visit = {};
    const int32_t* empty = std::find(board, board + 81, CELL_EMPTY);
    if (empty != board + 81) select_cell(static_cast<int>(empty - board));
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

// The digit a board code shows: a given's, or an entry's right or wrong; 0 for none.
int shown_digit(int32_t code) {
    if (is_given(code)) return code;
    if (code > CELL_RIGHT && code <= CELL_RIGHT + 9) return code - CELL_RIGHT;
    if (code > CELL_WRONG && code <= CELL_WRONG + 9) return code - CELL_WRONG;
    return 0;
}

// An empty cell's pencil marks, in three rows of three.
void draw_marks(float x, float y, uint16_t marks) {
    for (int digit = 1; digit <= 9; ++digit) {
        if ((marks & mark_bit(digit)) == 0) continue;
        const int left = MARKS_LEFT + MARK_WIDTH * (digit - 1);
        game_DisplayCell({.x = x + MARK_STEP * static_cast<float>((digit - 1) % 3 - 1),
                          .y = y + MARK_STEP * static_cast<float>((digit - 1) / 3 - 1),
                          .left = left,
                          .top = MARKS_TOP,
                          .right = left + MARK_WIDTH,
                          .bottom = MARKS_TOP + MARK_HEIGHT,
                          .anchor = CellAnchor::centre});
    }
}

// A cell's tile, and unless the board is hidden its mark for the selected digit, its digit or its
// pencil marks.
void draw_cell(int col, int row, int selected_digit) {
    const float x = GRID_X + cell_offset(col), y = GRID_Y + cell_offset(row);
    const int32_t code = board[row * 9 + col];
    const bool given = is_given(code) && !play_visit.paused; // paused, every tile looks alike
    int image = given ? IMAGE_GIVEN : IMAGE_EMPTY;
    if (board_theme != 0) image = 14 + 2 * board_theme + (given ? 1 : 0);
    game_DisplayCell({.x = x, .y = y, .left = image, .anchor = CellAnchor::centre});
    if (play_visit.paused) return;
    const int digit = shown_digit(code);
    if (digit != 0 && digit == selected_digit && row * 9 + col != selected_cell())
        game_DisplayCell({.x = x, .y = y, .left = IMAGE_SAME_DIGIT, .anchor = CellAnchor::centre});
    if (digit == 0) {
        if (code == CELL_EMPTY) draw_marks(x, y, play_notes.marks[row * 9 + col]);
        return;
    }
    // A given's strip, a right entry's, or a wrong one's.
    const bool wrong = !given && code > CELL_WRONG;
    game_DisplayNumber(digit, 1, x, y, NumberAlign::centre,
                       given || wrong ? STRIP_X : RIGHT_STRIP_X, wrong ? WRONG_STRIP_Y : STRIP_Y);
}

// The boxes row by row and each box's cells row by row, then the frame of the selected cell; while
// paused, the tiles alone under the pause panel.
void draw_grid() {
    const int selected_digit = shown_digit(board[selected_cell()]);
    for (int box_row = 0; box_row < 3; ++box_row)
        for (int box_col = 0; box_col < 3; ++box_col)
            for (int row = 0; row < 3; ++row)
                for (int col = 0; col < 3; ++col)
                    draw_cell(box_col * 3 + col, box_row * 3 + row, selected_digit);
    if (play_visit.paused) {
        draw_sheet_region(PAUSED_PANEL, BOARD_CENTRE_X, BOARD_CENTRE_Y, 1, CellAnchor::centre);
        return;
    }
    game_DisplayCell({.x = selected_x,
                      .y = selected_y,
                      .left = IMAGE_FRAME,
                      .opacity = is_given(board[selected_cell()]) ? 40.0f : 100.0f,
                      .anchor = CellAnchor::centre});
}

// The counters, the notes control, the grid and the player's name.
void draw_board() {
    const platform::DrawPhase drawing;
    draw_counters();
    draw_sheet_region(play_visit.notes_mode ? NOTES_ON : NOTES_OFF, NOTES_X, NOTES_Y, 1,
                      CellAnchor::centre);
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
    if (play_visit.paused) {
        // The clock stands and the board is hidden; any key or click resumes.
        draw_board();
        apply_move(interpret_resume());
    } else {
        count_play_time();
        apply_move(interpret_notes_control());
        apply_move(interpret_grid_click());
        // The board is drawn before the picker's move is applied, as the design orders: an entry
        // shows from the next frame on, and one that completes the board ends the frame here,
        // with no picker, window controls or pointer drawn. A key's move goes with the picker's.
        draw_board();
        apply_move(interpret_picker_click());
        if (current_screen == Screen::game) apply_move(interpret_keys());
        if (current_screen == Screen::next_level) return;
        if (picker_open) {
            note_picker_slot();
            draw_picker();
        }
    }
    // The window controls are drawn over the picker, and Escape is read after their close
    // control: a click on it and Escape in one frame are two moves, as the design orders.
    apply_move(interpret_close_control());
    apply_move(interpret_escape());
    game_DisplayCursor(true);
    new_game_flag = false;
}

bool game_SaveOnEnd() {
    if (current_screen == Screen::next_level && dialog_active == 0) return game_NextLevelSaveOnEnd();
    if (current_screen != Screen::game || dialog_active != 0 || name_check_pending || new_game_flag)
        return false;
    return game_SaveGame();
}
