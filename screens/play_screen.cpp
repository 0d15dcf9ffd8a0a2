// The game screen: the board, the number picker, the three counters and the player's name, pencil
// marks, undo and pause; mouse and keyboard input become moves, one function applies them, and
// drawing only draws.
#include "screens/play_screen.h"

#include <algorithm>

#include "gfx/cursor.h"
#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/input.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/layout.h"
#include "screens/name_check.h"
#include "screens/next_level_screen.h"
#include "screens/play_hint.h"
#include "screens/window_controls.h"
#include "sudoku/notes.h"
#include "sudoku/saved_game.h"

namespace {

// The grid (its top-left cell's centre is in play_screen.h): the pitch of the cells and of the
// boxes. Every point of the window belongs to some cell (cell_at), so the grid has no area of its
// own.
constexpr int SIDE = 9;     // the cells of a row or a column; the digits 1 to 9
constexpr int BOX_SIDE = 3; // a box's cells in a row or a column; also the pencil marks'
constexpr int CELLS = 81;   // row * SIDE + column
constexpr int CELL_SIZE = 50;
constexpr int BOX_SIZE = 160; // three cells and the 10-pixel gap
constexpr int GRID_REACH = 479;
// The picker: twelve slots in three rows of four, PICKER_STEP apart, each clickable over its
// whole square (slot_area); the eleven items fill the first eleven.
constexpr int PICKER_COLUMNS = 4, PICKER_ROWS = 3;
constexpr float PICKER_SCALE = 0.7f;
constexpr float PICKER_SIZE = 140;
constexpr float SCREEN_EDGE = 511;
constexpr float PICKER_RIGHTMOST = 372; // where a picker that would pass the edge starts
constexpr int PICKER_ITEMS = 11;        // digits 1 to 9, clear, close
constexpr int PICKER_SLOTS = PICKER_COLUMNS * PICKER_ROWS; // the items and the empty slot
constexpr int ITEM_CLEAR = 10;
// The counters along the top and the name below the grid.
constexpr float TICK_INTERVAL = 2.4f;
constexpr float COUNTER_Y = 3;
constexpr int COUNTER_LABEL_TOP = 380, COUNTER_LABEL_BOTTOM = 398;
constexpr int WRONG_COUNT_WARNS = 10; // above it the wrong-entry count shows in the wrong strip
// The sheet's images: the selection frame, and the picker's items after IMAGE_ITEMS. Opacities
// are in percent; a given's frame is faint, the picker's items a little see-through.
constexpr int IMAGE_EMPTY = 0, IMAGE_FRAME = 2, IMAGE_ITEMS = 3;
constexpr float GIVEN_FRAME_OPACITY = 40, PICKER_OPACITY = 90;
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
constexpr int KEY_CODES = 256; // the keyboard snapshot's size

// The screen's state (play_screen.h): the run's, and the visit's.
PlayRun play_run;
PlayVisit play_visit;

} // namespace

const PlayRun& play_screen_run() {
    return play_run;
}

const PlayVisit& play_screen_visit() {
    return play_visit;
}

void play_screen_reset() {
    play_run = {};
    play_visit = {};
    hint_dismiss();
}

// ---- update: the name check, the play time, and input as moves ----

namespace {

// The centre offset of column or row i (0 to 8) from the top-left cell's centre.
float cell_offset(int i) {
    return static_cast<float>(BOX_SIZE * (i / BOX_SIDE) + CELL_SIZE * (i % BOX_SIDE));
}

// The column or row under a mouse coordinate; a point in the gap after a box belongs to the box's
// last cell, and every point of the window maps to a cell.
int cell_at(int pointer, float origin) {
    const int p = std::clamp(pointer - static_cast<int>(origin) + CELL_SIZE / 2, 0, GRID_REACH);
    return BOX_SIDE * (p / BOX_SIZE) + std::min((p % BOX_SIZE) / CELL_SIZE, BOX_SIDE - 1);
}

bool is_given(int32_t code) {
    return code >= 1 && code <= SIDE;
}

int selected_cell() {
    return play_run.selected_row * SIDE + play_run.selected_col;
}

// The square of a picker slot. The picker stands on whole pixels, so no pixel lies on the
// half-pixel edges between two slots.
Area slot_area(int slot) {
    const float x = picker_slot_x(slot), y = picker_slot_y(slot), half = PICKER_STEP / 2;
    return {x - half, y - half, x + half, y + half};
}

// A new player's name is checked against the table before play starts; a free name adds the
// player. NameCheck::free when the frame goes on; a refused name returns to the start screen.
NameCheck name_accepted() {
    if (new_game_flag) play_run.name_check_pending = true;
    if (!play_run.name_check_pending) return NameCheck::free;
    const NameCheck check = game_CheckNewPlayer(player_name);
    if (check == NameCheck::taken || check == NameCheck::empty) {
        play_run.name_check_pending = false;
        current_screen = Screen::start;
        return check;
    }
    if (check == NameCheck::warning) return check; // it blinks; the check runs again next frame
    play_run.name_check_pending = false;
    game_StorePlayer(player_name, score, level, 0);
    return check;
}

// One play-time tick at most a frame, once the frame steps passed the interval.
void count_play_time() {
    play_run.tick_accumulator += frame_step;
    if (play_run.tick_accumulator > TICK_INTERVAL) {
        play_run.tick_accumulator = 0;
        ++elapsed_ticks;
    }
}

// A click on the board: anywhere but on the notes control and the help's controls, which take
// their clicks.
bool board_clicked() {
    return mouse.button_pressed[0] && !NOTES_AREA.contains(mouse.x, mouse.y) &&
           !aid_control_pressed();
}

// A click while the picker is closed selects the cell under it.
Move interpret_grid_click() {
    if (picker_open || !board_clicked()) return {};
    return {.kind = MoveKind::select_cell,
            .cell = cell_at(mouse.y, GRID_Y) * SIDE + cell_at(mouse.x, GRID_X)};
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
    const int cell = selected_cell(), choice = play_run.picker_choice;
    const bool given = is_given(board[cell]);
    if (!picker_open && !given) return {.kind = MoveKind::open_picker};
    if (choice < 0) return {.kind = MoveKind::close_picker};
    if (given) return {.kind = MoveKind::choose_nothing};
    if (choice == ITEM_CLEAR) return {.kind = MoveKind::clear_cell, .cell = cell};
    if (choice >= 1 && choice <= SIDE) return digit_move(choice);
    return {.kind = MoveKind::choose_nothing};
}

Move interpret_notes_control() {
    return {.kind = NOTES_AREA.pressed() ? MoveKind::notes_mode : MoveKind::none};
}

bool key(int code) {
    return keyboard.keypressed(code, true);
}

// Either of a pair of keys (left and right) is held.
bool held(int left, int right) {
    return keyboard.held(left, false) || keyboard.held(right, false);
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
constexpr int KEYPAD_DIGITS[SIDE + 1] = {0,           DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3,
                                         DIK_NUMPAD4, DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7,
                                         DIK_NUMPAD8, DIK_NUMPAD9};

// The arrow that moves the selection this frame, or -1: one just pressed, or one held past the
// repeat delay, every few frames. It reads the arrow keys and keeps their repeat count (the
// visit's held_arrow and held_frames), so the keys' move itself only reads (interpret_keys).
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
    for (int digit = 1; digit <= SIDE; ++digit)
        if (key(DIK_1 + digit - 1)) return digit;
    if (platform::numlock_on())
        for (int digit = 1; digit <= SIDE; ++digit)
            if (key(KEYPAD_DIGITS[digit])) return digit;
    return 0;
}

// The keys of the game screen (Escape aside), after the arrow of the frame (arrow_this_frame). One
// move a frame: a key not asked about keeps its press for the next frame.
Move interpret_keys(int arrow) {
    const int cell = selected_cell();
    if (arrow >= 0) {
        const int col = (play_run.selected_col + ARROWS[arrow].col + SIDE) % SIDE;
        const int row = (play_run.selected_row + ARROWS[arrow].row + SIDE) % SIDE;
        return {.kind = MoveKind::select_cell, .cell = row * SIDE + col};
    }
    if (const int digit = typed_digit()) {
        const Move move = digit_move(digit);
        return move.kind == MoveKind::choose_nothing ? Move{} : move;
    }
    if (key(DIK_BACK) || key(DIK_DELETE))
        return is_given(board[cell]) ? Move{} : Move{.kind = MoveKind::clear_cell, .cell = cell};
    // Alt+Enter is the full-screen chord: its Enter is taken and does nothing here.
    const bool alt = held(DIK_LMENU, DIK_RMENU);
    if ((key(DIK_RETURN) && !alt) || key(DIK_SPACE) || key(DIK_NUMPADENTER)) {
        if (picker_open) return {.kind = MoveKind::close_picker};
        return is_given(board[cell]) ? Move{} : Move{.kind = MoveKind::open_picker};
    }
    if (key(Keyboard::letter_key('n'))) return {.kind = MoveKind::notes_mode};
    if (key(Keyboard::letter_key('p'))) return {.kind = MoveKind::pause};
    if (key(Keyboard::letter_key('h'))) return {.kind = MoveKind::hint};
    if (key(Keyboard::letter_key('c'))) return {.kind = MoveKind::fill_candidates};
    if (key(Keyboard::letter_key('x'))) return {.kind = MoveKind::tidy_candidates};
    const bool control = held(DIK_LCONTROL, DIK_RCONTROL), shift = held(DIK_LSHIFT, DIK_RSHIFT);
    if (key(Keyboard::letter_key('z')) && control)
        return {.kind = shift ? MoveKind::redo : MoveKind::undo};
    if (key(Keyboard::letter_key('y')) && control) return {.kind = MoveKind::redo};
    return {};
}

// While paused, any key or click resumes; every key's press is taken, so none acts on the board.
Move interpret_resume() {
    bool any = mouse.button_pressed[0] || mouse.button_pressed[1] || mouse.button_pressed[2];
    for (int code = 1; code < KEY_CODES; ++code)
        any = keyboard.keypressed(code, code == DIK_ESCAPE) || any;
    return {.kind = any ? MoveKind::resume : MoveKind::none};
}

// A click on the window controls' close control, as their update found it.
Move interpret_close_control(const ControlsFrame& controls) {
    return {.kind = controls.close_clicked ? MoveKind::leave : MoveKind::none};
}

// Escape closes an open picker, or else leaves the game.
Move interpret_escape() {
    if (!keyboard.keypressed(DIK_ESCAPE, true)) return {};
    return {.kind = picker_open ? MoveKind::close_picker : MoveKind::leave};
}

// Selects a cell. The picker follows the selection: its first item goes below the cell, left of
// the right edge where it would pass it, and above the cell in the low rows.
void select_cell(int cell) {
    PlayRun& run = play_run;
    run.selected_col = cell % SIDE;
    run.selected_row = cell / SIDE;
    run.selected_x = cell_centre_x(cell);
    run.selected_y = cell_centre_y(cell);
    run.picker_x = run.selected_x;
    run.picker_y = run.selected_y + PICKER_STEP;
    if (run.picker_x + PICKER_SIZE > SCREEN_EDGE) run.picker_x = PICKER_RIGHTMOST;
    if (run.picker_y + PICKER_SIZE > SCREEN_EDGE)
        run.picker_y = run.selected_y - PICKER_ROWS * PICKER_STEP;
}

// Every choice from the picker closes it and checks the board.
MoveResult finish_choice(bool changed) {
    picker_open = false;
    return {.changed = changed, .complete = boardcomplete(board)};
}

// Notes the picker slot under the pointer in picker_choice; the next click chooses it.
void note_picker_slot() {
    play_run.picker_choice = -1;
    for (int slot = 1; slot <= PICKER_SLOTS; ++slot)
        if (slot_area(slot).hovered()) play_run.picker_choice = slot;
}

// A digit goes into a cell: the cell's own marks go, and the digit's mark from its row, column
// and box.
void put_digit(int cell, int digit, int32_t code) {
    board[cell] = code;
    play_notes.marks[cell] = 0;
    int peers[STEP_CELLS - 1];
    peer_cells(cell, peers);
    for (const int peer : peers) play_notes.marks[peer] &= static_cast<uint16_t>(~mark_bit(digit));
}

// A choice's change of a cell (enter_digit, clear_cell or toggle_mark).
void change_cell(const Move& move) {
    if (move.kind == MoveKind::enter_digit) {
        const bool right = move.digit == solution[move.cell];
        put_digit(move.cell, move.digit, move.digit + (right ? CELL_RIGHT : CELL_WRONG));
    } else if (move.kind == MoveKind::clear_cell) {
        board[move.cell] = CELL_EMPTY;
        play_notes.marks[move.cell] = 0;
    } else {
        play_notes.marks[move.cell] ^= mark_bit(move.digit);
    }
}

// A choice that changes a cell, as one step of the history; a wrong entry is counted.
MoveResult record_choice(const Move& move) {
    StepRecord step;
    begin_step(step, move.cell);
    change_cell(move);
    end_step(step);
    if (move.kind == MoveKind::enter_digit && move.digit != solution[move.cell]) ++wrong_entries;
    return finish_choice(true);
}

// The history's step in either direction; the selection goes to its cell. Nothing changed when
// there was none to take.
MoveResult step_history(bool forward) {
    int cell = 0;
    picker_open = false;
    if (!(forward ? redo_step(cell) : undo_step(cell))) return {};
    select_cell(cell);
    return {.changed = true, .complete = boardcomplete(board)};
}

} // namespace

float cell_centre_x(int cell) {
    return GRID_X + cell_offset(cell % SIDE);
}

float cell_centre_y(int cell) {
    return GRID_Y + cell_offset(cell / SIDE);
}

float mark_centre_x(int cell, int digit) {
    return cell_centre_x(cell) + MARK_STEP * static_cast<float>((digit - 1) % BOX_SIDE - 1);
}

float mark_centre_y(int cell, int digit) {
    return cell_centre_y(cell) + MARK_STEP * static_cast<float>((digit - 1) / BOX_SIDE - 1);
}

void draw_mark(int cell, int digit, float opacity) {
    const int left = MARKS_LEFT + MARK_WIDTH * (digit - 1);
    game_DisplayCell({.x = mark_centre_x(cell, digit),
                      .y = mark_centre_y(cell, digit),
                      .left = left,
                      .top = MARKS_TOP,
                      .right = left + MARK_WIDTH,
                      .bottom = MARKS_TOP + MARK_HEIGHT,
                      .opacity = opacity,
                      .anchor = CellAnchor::centre});
}

float picker_slot_x(int slot) {
    return play_run.picker_x + PICKER_STEP * static_cast<float>((slot - 1) % PICKER_COLUMNS);
}

float picker_slot_y(int slot) {
    return play_run.picker_y + PICKER_STEP * static_cast<float>((slot - 1) / PICKER_COLUMNS);
}

MoveResult apply_move(const Move& move) {
    if (move.kind != MoveKind::none && move.kind != MoveKind::hint) hint_dismiss();
    switch (move.kind) {
    case MoveKind::none:
        return {};
    case MoveKind::select_cell:
        picker_open = false;
        select_cell(move.cell);
        return {};
    case MoveKind::open_picker:
        picker_open = true;
        return {};
    case MoveKind::enter_digit:
    case MoveKind::clear_cell:
    case MoveKind::toggle_mark:
        return record_choice(move);
    case MoveKind::choose_nothing:
        return finish_choice(false);
    case MoveKind::close_picker:
        picker_open = false;
        return {};
    case MoveKind::leave:
        return {.leave = true};
    case MoveKind::undo:
    case MoveKind::redo:
        return step_history(move.kind == MoveKind::redo);
    case MoveKind::notes_mode:
        play_visit.notes_mode = !play_visit.notes_mode;
        return {};
    case MoveKind::pause:
        play_visit.paused = true;
        picker_open = false;
        return {};
    case MoveKind::resume:
        play_visit.paused = false;
        return {};
    case MoveKind::hint:
        return apply_hint();
    case MoveKind::fill_candidates:
    case MoveKind::tidy_candidates:
        return apply_candidates(move.kind == MoveKind::fill_candidates);
    }
    return {};
}

void play_screen_enter() {
    play_visit = {};
    hint_dismiss();
    const int32_t* empty = std::find(board, board + CELLS, CELL_EMPTY);
    if (empty != board + CELLS) select_cell(static_cast<int>(empty - board));
}

// ---- the frame's update: the moves applied in order, the saves, the board as the frame draws it
// ----

namespace {

// The board as the frame draws it: taken before the picker's and the keys' moves (docs/
// ARCHITECTURE.md, "The game screen: moves"), so an entry shows from the next frame on.
struct BoardView {
    int32_t codes[CELLS] = {};
    uint16_t marks[CELLS] = {};
    int32_t wrong_entries = 0, elapsed_ticks = 0;
    int selected = 0; // the selected cell
    float selected_x = 0, selected_y = 0;
    bool notes_mode = false, paused = false;
    HintShown hint;
};

BoardView board_view() {
    BoardView view{.wrong_entries = wrong_entries,
                   .elapsed_ticks = elapsed_ticks,
                   .selected = selected_cell(),
                   .selected_x = play_run.selected_x,
                   .selected_y = play_run.selected_y,
                   .notes_mode = play_visit.notes_mode,
                   .paused = play_visit.paused,
                   .hint = hint_shown()};
    std::copy(board, board + CELLS, view.codes);
    std::copy(play_notes.marks, play_notes.marks + CELLS, view.marks);
    return view;
}

// What the frame draws, as its update left it.
struct PlayFrame {
    enum class Shows { nothing, warning, board, all } shows = Shows::nothing;
    BoardView board{};   // from the board on
    bool picker = false; // and with all, the open picker, the window controls and the pointer
    ControlsFrame controls;
};

// The picker's move and then the key's (none after a completing one: its key keeps its press),
// saved once when they changed the board or the marks. False when the board is complete: the
// next-level screen follows, and it saves the next level.
bool apply_board_moves() {
    const bool aided = apply_move(interpret_aid_controls()).changed; // marks only: never complete
    MoveResult result = apply_move(interpret_picker_click());
    if (!result.complete) {
        const MoveResult keyed = apply_move(interpret_keys(arrow_this_frame()));
        result = {.changed = result.changed || keyed.changed, .complete = keyed.complete};
    }
    if (result.complete) {
        current_screen = Screen::next_level;
        return false;
    }
    if (result.changed || aided) game_SaveInBackground();
    return true;
}

// Leaving saves the game whole (a save that failed is shown) and returns to the start screen.
void leave_on(const MoveResult& result) {
    if (!result.leave) return;
    game_SaveGameOrTell();
    current_screen = Screen::start;
}

// The board is taken for the draw before the picker's move is applied: an entry shows from the
// next frame on, and one that completes the board ends the frame there, before the window
// controls' update and before Escape is read, so that last frame shows the board alone. Escape is
// read after the close control: a click on it and Escape in one frame are two moves, and both
// leave (docs/ARCHITECTURE.md, "The game screen: moves").
PlayFrame play_screen_update() {
    PlayFrame frame;
    if (const NameCheck check = name_accepted(); check != NameCheck::free) {
        if (check == NameCheck::warning) frame.shows = PlayFrame::Shows::warning;
        return frame;
    }
    frame.shows = PlayFrame::Shows::board;
    if (play_visit.paused) { // the clock stands and the board is hidden; any key or click resumes
        frame.board = board_view();
        apply_move(interpret_resume());
    } else {
        count_play_time();
        apply_move(interpret_notes_control());
        apply_move(interpret_grid_click());
        frame.board = board_view();
        if (!apply_board_moves()) return frame;
        if (picker_open) note_picker_slot();
        frame.picker = picker_open;
    }
    frame.controls = window_controls_update();
    leave_on(apply_move(interpret_close_control(frame.controls)));
    leave_on(apply_move(interpret_escape()));
    dismiss_hint_on_other_input();
    new_game_flag = false;
    frame.shows = PlayFrame::Shows::all;
    return frame;
}

// ---- draw ----

void counter_label(float x, int left, int right) {
    game_DisplayCell({.x = x,
                      .y = COUNTER_Y,
                      .left = left,
                      .top = COUNTER_LABEL_TOP,
                      .right = right,
                      .bottom = COUNTER_LABEL_BOTTOM});
}

void draw_counters(const BoardView& view) {
    counter_label(20, 0, 90);
    game_DisplayNumber(
        view.wrong_entries, TEXT_SCALE, 115, COUNTER_Y, NumberAlign::left_top, DIGIT_STRIP_X,
        view.wrong_entries > WRONG_COUNT_WARNS ? WRONG_DIGIT_STRIP_Y : DIGIT_STRIP_Y);
    counter_label(195, 100, 154);
    game_DisplayTime(view.elapsed_ticks, TEXT_SCALE, 249, COUNTER_Y, TimeAlign::left, true);
    counter_label(355, 160, 226);
    game_DisplayNumber(level, TEXT_SCALE, 425, COUNTER_Y, NumberAlign::left_top, DIGIT_STRIP_X,
                       DIGIT_STRIP_Y);
}

// The digit a board code shows: a given's, or an entry's right or wrong; 0 for none.
int shown_digit(int32_t code) {
    if (is_given(code)) return code;
    if (code > CELL_RIGHT && code <= CELL_RIGHT + SIDE) return code - CELL_RIGHT;
    if (code > CELL_WRONG && code <= CELL_WRONG + SIDE) return code - CELL_WRONG;
    return 0;
}

// An empty cell's pencil marks, in three rows of three.
void draw_marks(int cell, uint16_t marks) {
    for (int digit = 1; digit <= SIDE; ++digit)
        if (marks & mark_bit(digit)) draw_mark(cell, digit, OPAQUE);
}

// A cell's tile, and unless the board is hidden its mark for the selected digit, its digit or its
// pencil marks.
void draw_cell(const BoardView& view, int col, int row, int selected_digit) {
    const int cell = row * SIDE + col;
    const float x = cell_centre_x(cell), y = cell_centre_y(cell);
    const int32_t code = view.codes[cell];
    const bool given = is_given(code) && !view.paused; // paused, every tile looks alike
    game_DisplayCell({.x = x,
                      .y = y,
                      .left = theme_cell_image(board_theme, given),
                      .anchor = CellAnchor::centre});
    if (view.paused) return;
    draw_hint_light(view.hint, cell);
    const int digit = shown_digit(code);
    if (digit != 0 && digit == selected_digit && cell != view.selected)
        game_DisplayCell({.x = x, .y = y, .left = IMAGE_SAME_DIGIT, .anchor = CellAnchor::centre});
    if (digit == 0) {
        if (code == CELL_EMPTY) draw_marks(cell, view.marks[cell]);
        return;
    }
    // A given's strip, a right entry's, or a wrong one's.
    const bool wrong = !given && code > CELL_WRONG;
    game_DisplayNumber(digit, 1, x, y, NumberAlign::centre,
                       given || wrong ? DIGIT_STRIP_X : RIGHT_DIGIT_STRIP_X,
                       wrong ? WRONG_DIGIT_STRIP_Y : DIGIT_STRIP_Y);
}

// The boxes row by row and each box's cells row by row, then the frame of the selected cell; while
// paused, the tiles alone under the pause panel.
void draw_grid(const BoardView& view) {
    const int selected_digit = shown_digit(view.codes[view.selected]);
    for (int box_row = 0; box_row < BOX_SIDE; ++box_row)
        for (int box_col = 0; box_col < BOX_SIDE; ++box_col)
            for (int row = 0; row < BOX_SIDE; ++row)
                for (int col = 0; col < BOX_SIDE; ++col)
                    draw_cell(view, box_col * BOX_SIDE + col, box_row * BOX_SIDE + row,
                              selected_digit);
    if (view.paused) {
        draw_sheet_region(PAUSED_PANEL, BOARD_CENTRE_X, BOARD_CENTRE_Y, 1, CellAnchor::centre);
        return;
    }
    game_DisplayCell({.x = view.selected_x,
                      .y = view.selected_y,
                      .left = IMAGE_FRAME,
                      .opacity = is_given(view.codes[view.selected]) ? GIVEN_FRAME_OPACITY : OPAQUE,
                      .anchor = CellAnchor::centre});
}

// The counters, the notes and help controls, the grid, the player's name and the hint over them.
void draw_board(const BoardView& view) {
    draw_counters(view);
    draw_sheet_region(view.notes_mode ? NOTES_ON : NOTES_OFF, NOTES_X, NOTES_Y, 1,
                      CellAnchor::centre);
    draw_aid_controls(view.hint);
    draw_grid(view);
    game_DisplayFontText(player_name, TEXT_ADVANCE, LAYOUT_CENTRE_X, 506, TEXT_SCALE,
                         TextAnchor::centre);
    draw_hint(view.hint, view.marks);
}

void picker_image(int slot, int image, float opacity) {
    game_DisplayCell({.x = picker_slot_x(slot),
                      .y = picker_slot_y(slot),
                      .left = image,
                      .opacity = opacity,
                      .scale_x = PICKER_SCALE,
                      .scale_y = PICKER_SCALE,
                      .anchor = CellAnchor::centre});
}

// The open picker's items, and the mark on the slot under the pointer.
void draw_picker() {
    for (int item = 1; item <= PICKER_ITEMS; ++item) {
        picker_image(item, IMAGE_EMPTY, PICKER_OPACITY);
        picker_image(item, item + IMAGE_ITEMS, PICKER_OPACITY);
    }
    if (play_run.picker_choice > 0) picker_image(play_run.picker_choice, IMAGE_FRAME, OPAQUE);
}

// The frame as its update left it: the name check's warning, or the board, then the open picker,
// the window controls over it and the pointer.
void play_screen_draw(const PlayFrame& frame) {
    const platform::DrawPhase drawing;
    if (frame.shows == PlayFrame::Shows::warning) name_check_draw();
    if (frame.shows < PlayFrame::Shows::board) return;
    draw_board(frame.board);
    if (frame.shows != PlayFrame::Shows::all) return;
    if (frame.picker) draw_picker();
    window_controls_draw(frame.controls);
    game_DisplayCursor(true);
}

} // namespace

int play_screen_next_change(bool seen) {
    if (!seen) return NO_CHANGE;
    if (play_run.name_check_pending) return name_check_next_change();
    if (play_visit.paused) return NO_CHANGE;
    if (play_visit.held_arrow >= 0) return 1; // a held arrow repeats by itself, with no new input
    return 60 - (elapsed_ticks + 59) % 60;    // the next frame draws the count as it stands
}

// ---- the entry point ----

void game_PlayScreen() {
    const PlayFrame frame = play_screen_update();
    if (frame_drawn) play_screen_draw(frame); // its draws would be dropped: the digits cost most
}

bool game_SaveOnEnd() {
    if (current_screen == Screen::next_level && dialog_active == 0)
        return game_NextLevelSaveOnEnd();
    if (current_screen != Screen::game || dialog_active != 0 || play_run.name_check_pending ||
        new_game_flag)
        return false;
    return game_SaveGame();
}
