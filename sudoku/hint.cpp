// The hint's policy and the candidates allowed by the board.
#include "sudoku/hint.h"

#include <cstdio>

#include "sudoku/board.h"
#include "sudoku/notes.h"

namespace {

constexpr int SIDE = 9;

// The digit a code shows, or 0: a given's or any entry's, or with only_right a right entry's only.
int shown(int32_t code, bool only_right) {
    if (code >= 1 && code <= SIDE) return code;
    if (code > CELL_RIGHT && code <= CELL_RIGHT + SIDE) return code - CELL_RIGHT;
    if (!only_right && code > CELL_WRONG && code <= CELL_WRONG + SIDE) return code - CELL_WRONG;
    return 0;
}

// "ROW 4", "COLUMN 2" or "BOX 5", as the panel names house h (0 to 26).
void name_house(int house, char* text, int size) {
    static constexpr const char* KINDS[] = {"ROW", "COLUMN", "BOX"};
    std::snprintf(text, static_cast<size_t>(size), "%s %d", KINDS[house / SIDE], house % SIDE + 1);
}

int lowest_house(uint32_t houses) {
    int house = 0;
    while (!(houses & (uint32_t{1} << house))) ++house;
    return house;
}

Hint notes_miss(int cell) {
    Hint hint;
    hint.kind = HintKind::notes_miss;
    hint.step.cell = static_cast<int8_t>(cell);
    hint.step.houses = uint32_t{1} << (cell / SIDE);
    std::snprintf(hint.text, sizeof hint.text, "YOUR NOTES IN ROW %d LEAVE OUT THE ANSWER",
                  cell / SIDE + 1);
    return hint;
}

Hint step_hint(const LogicStep& step) {
    Hint hint;
    hint.kind = HintKind::step;
    hint.step = step;
    if (step.houses == 0) {
        std::snprintf(hint.text, sizeof hint.text, "%s", technique_name(step.technique));
        return hint;
    }
    char house[16];
    name_house(lowest_house(step.houses), house, sizeof house);
    std::snprintf(hint.text, sizeof hint.text, "%s IN %s", technique_name(step.technique), house);
    return hint;
}

Hint guess_hint() {
    Hint hint;
    std::snprintf(hint.text, sizeof hint.text, "NO LOGICAL STEP FOUND: A GUESS IS NEEDED HERE");
    return hint;
}

} // namespace

bool removes_marks(const LogicStep& step, const uint16_t* marks) {
    for (int cell = 0; cell < BOARD_CELLS; ++cell)
        if (step.removed[cell] & marks[cell]) return true;
    return false;
}

Hint find_hint(const int32_t* codes, const uint16_t* marks) {
    uint8_t digits[BOARD_CELLS];
    for (int cell = 0; cell < BOARD_CELLS; ++cell)
        digits[cell] = static_cast<uint8_t>(shown(codes[cell], true));
    LogicGrid grid;
    if (!logic_start(digits, grid)) return guess_hint();
    LogicStep step;
    bool told = false;
    Hint hint = guess_hint();
    while ((step = logic_next_step(grid)).technique != Technique::none) {
        if (step.cell >= 0 && marks[step.cell] && !(marks[step.cell] & mark_bit(step.digit)))
            return notes_miss(step.cell);
        if (!told && (step.cell >= 0 || removes_marks(step, marks))) {
            hint = step_hint(step);
            told = true;
        }
        if (!logic_apply(grid, step)) break;
    }
    return hint;
}

void allowed_marks(const int32_t* codes, uint16_t allowed[81]) {
    for (int cell = 0; cell < BOARD_CELLS; ++cell) {
        allowed[cell] = 0;
        if (codes[cell] != CELL_EMPTY) continue;
        int peers[STEP_CELLS - 1];
        peer_cells(cell, peers);
        uint16_t taken = 0;
        for (const int peer : peers) taken |= mark_bit(shown(codes[peer], false));
        allowed[cell] = static_cast<uint16_t>(0x3FE & ~taken);
    }
}
