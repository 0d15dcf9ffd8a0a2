// The game screen's hint in tiers and the candidates on request (screens/play_hint.h).
#include "screens/play_hint.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/area.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "screens/layout.h"
#include "sudoku/notes.h"

namespace {

constexpr int SIDE = 9, CELLS = 81;

// The controls: a column left of the board, each clickable over its plate.
struct AidControl {
    float y;
    platform::Rect image;
    MoveKind move;
};
constexpr float AIDS_X = 10;
constexpr platform::Rect HINT_ON{312, 160, 332, 182};
constexpr AidControl AIDS[] = {{45, {290, 160, 310, 182}, MoveKind::hint},
                               {75, {334, 160, 354, 182}, MoveKind::fill_candidates},
                               {105, {356, 160, 376, 182}, MoveKind::tidy_candidates}};
constexpr Area AID_AREAS[] = {{-1, 33, 21, 57}, {-1, 63, 21, 87}, {-1, 93, 21, 117}};
// The hint's drawings on the sheet: the light of a house's tiles (cell 29), the ring on a cell
// that justifies it, the stroke over a candidate it removes, the ground of its panel.
constexpr int IMAGE_HOUSE_LIGHT = 29;
constexpr platform::Rect REASON{420, 200, 470, 250}, STRIKE{420, 255, 435, 271};
constexpr platform::Rect PANEL{440, 255, 460, 275};
constexpr float GHOST_OPACITY = 45, STRUCK_OPACITY = 60;
constexpr int DIGIT_W = 20, DIGIT_H = 24;
// The panel: one line on a band across the foot of the board, over the player's name.
constexpr float PANEL_Y = 500, PANEL_HEIGHT = 22, PANEL_MARGIN = 16;

HintShown shown_hint;
// The keyboard's snapshot in the last frame the game screen read it: a key down now and not then
// went down in between.
uint8_t keys_down[256] = {};

// Every empty cell's marks become its digits (fill) or keep only them, as one step of the history.
void change_marks(const uint16_t* digits, bool fill) {
    StepRecord step;
    begin_board_step(step);
    for (int cell = 0; cell < CELLS; ++cell) {
        if (board[cell] != CELL_EMPTY) continue;
        uint16_t& marks = play_notes.marks[cell];
        marks = fill ? digits[cell] : static_cast<uint16_t>(marks & digits[cell]);
    }
    end_step(step);
}

void sheet_image(const platform::Rect& image, float x, float y, float opacity = OPAQUE,
                 float scale_x = 1, float scale_y = 1) {
    CellDraw cell = sheet_cell(image, x, y);
    cell.opacity = opacity;
    cell.scale_x = scale_x;
    cell.scale_y = scale_y;
    cell.anchor = CellAnchor::centre;
    game_DisplayCell(cell);
}

bool lit(uint32_t houses, int cell) {
    const int row = cell / SIDE, col = cell % SIDE, box = row / 3 * 3 + col / 3;
    return (houses >> row & 1) || (houses >> (SIDE + col) & 1) || (houses >> (2 * SIDE + box) & 1);
}

// A removed candidate: its digit, faint where the player has not pencilled it, and the stroke.
void draw_struck(int cell, int digit, bool pencilled) {
    if (!pencilled) draw_mark(cell, digit, STRUCK_OPACITY);
    sheet_image(STRIKE, mark_centre_x(cell, digit), mark_centre_y(cell, digit));
}

void draw_panel(const char* text) {
    const float width =
        static_cast<float>(std::strlen(text)) * TEXT_ADVANCE * SMALL_TEXT_SCALE + PANEL_MARGIN;
    sheet_image(PANEL, LAYOUT_CENTRE_X, PANEL_Y, OPAQUE,
                width / static_cast<float>(PANEL.right - PANEL.left),
                PANEL_HEIGHT / static_cast<float>(PANEL.bottom - PANEL.top));
    game_DisplayFontText(text, TEXT_ADVANCE, LAYOUT_CENTRE_X, PANEL_Y, SMALL_TEXT_SCALE,
                         TextAnchor::centre);
}

} // namespace

const HintShown& hint_shown() {
    return shown_hint;
}

void hint_dismiss() {
    shown_hint.tier = 0;
}

MoveResult apply_hint() {
    HintShown& shown = shown_hint;
    if (shown.tier == 0) {
        shown.hint = find_hint(board, play_notes.marks);
        shown.tier = 1;
        return {};
    }
    if (shown.hint.kind != HintKind::step) return {};
    const LogicStep& step = shown.hint.step;
    if (shown.tier == 1 || step.cell >= 0) {
        shown.tier = 2;
        return {};
    }
    uint16_t keep[CELLS];
    for (int cell = 0; cell < CELLS; ++cell)
        keep[cell] = static_cast<uint16_t>(~step.removed[cell]);
    const bool changed = removes_marks(step, play_notes.marks);
    change_marks(keep, false);
    hint_dismiss();
    return {.changed = changed};
}

MoveResult apply_candidates(bool fill) {
    picker_open = false;
    uint16_t allowed[CELLS];
    allowed_marks(board, allowed);
    uint16_t before[CELLS];
    std::memcpy(before, play_notes.marks, sizeof before);
    change_marks(allowed, fill);
    return {.changed = std::memcmp(before, play_notes.marks, sizeof before) != 0};
}

Move interpret_aid_controls() {
    for (int i = 0; i < static_cast<int>(std::size(AIDS)); ++i)
        if (AID_AREAS[i].pressed()) return {.kind = AIDS[i].move};
    return {};
}

bool aid_control_pressed() {
    return interpret_aid_controls().kind != MoveKind::none;
}

void dismiss_hint_on_other_input() {
    bool other = (mouse.button_pressed[0] || mouse.button_pressed[1] || mouse.button_pressed[2]) &&
                 !aid_control_pressed();
    const uint8_t* keys = keyboard.snapshot();
    if (!std::equal(keys, keys + std::size(keys_down), keys_down)) { // most frames, none moved
        const int hint_key = Keyboard::letter_key('h');
        for (int code = 1; code < static_cast<int>(std::size(keys_down)); ++code)
            other = other || (keys[code] && !keys_down[code] && code != hint_key);
        std::copy(keys, keys + std::size(keys_down), keys_down);
    }
    if (other) hint_dismiss();
}

void draw_aid_controls(const HintShown& shown) {
    for (const AidControl& aid : AIDS)
        draw_sheet_region(aid.move == MoveKind::hint && shown.tier > 0 ? HINT_ON : aid.image,
                          AIDS_X, aid.y, 1, CellAnchor::centre);
}

void draw_hint_light(const HintShown& shown, int cell) {
    if (shown.tier > 0 && lit(shown.hint.step.houses, cell))
        game_DisplayCell({.x = cell_centre_x(cell),
                          .y = cell_centre_y(cell),
                          .left = IMAGE_HOUSE_LIGHT,
                          .anchor = CellAnchor::centre});
}

void draw_hint(const HintShown& shown, const uint16_t* marks) {
    if (shown.tier == 0) return;
    const Hint& hint = shown.hint;
    const LogicStep& step = hint.step;
    if (hint.kind == HintKind::notes_miss)
        sheet_image(REASON, cell_centre_x(step.cell), cell_centre_y(step.cell));
    if (hint.kind == HintKind::step && shown.tier >= 2) {
        for (int cell = 0; cell < CELLS; ++cell) {
            if (step.reasons[cell]) sheet_image(REASON, cell_centre_x(cell), cell_centre_y(cell));
            for (int digit = 1; digit <= SIDE; ++digit)
                if (step.removed[cell] & mark_bit(digit))
                    draw_struck(cell, digit, marks[cell] & mark_bit(digit));
        }
        if (step.cell >= 0) {
            const int left = RIGHT_DIGIT_STRIP_X + DIGIT_W * step.digit;
            sheet_image({left, DIGIT_STRIP_Y, left + DIGIT_W, DIGIT_STRIP_Y + DIGIT_H},
                        cell_centre_x(step.cell), cell_centre_y(step.cell), GHOST_OPACITY);
        }
    }
    draw_panel(hint.text);
}
