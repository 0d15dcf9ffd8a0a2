// The logical stepper: finds the simplest next step a person can take on a puzzle, by the named
// techniques below, easiest first. A model only: it draws nothing and touches no file.
//
// Every technique is sound on a puzzle with several solutions (the designed levels can have
// several): a placement holds in every solution and an elimination removes a digit from no
// solution. No technique assumes the solution is unique.
//
// Houses are numbered 0 to 26: rows 0-8, columns 9-17, boxes 18-26 (box = box row * 3 + box
// column, as on the board). Cells are row * 9 + column, digits 1 to 9, candidate sets a bit per
// digit (bit d for digit d), as in the pencil marks.
#pragma once
#include <cstdint>

// The techniques, in the order the stepper tries them.
enum class Technique : uint8_t {
    none, // no known technique finds a step: a guess is needed
    full_house,
    naked_single,
    hidden_single,
    pointing, // locked candidates inside a box, removed from the rest of its row or column
    claiming, // locked candidates inside a row or column, removed from the rest of its box
    naked_pair,
    hidden_pair,
    naked_triple,
    hidden_triple,
    naked_quad,
    hidden_quad,
    x_wing,
    swordfish,
    xy_wing,
    xyz_wing,
    x_chain, // one digit: a chain of alternating strong and weak links
    count
};

constexpr int HOUSE_COUNT = 27;

// What the stepper knows of a puzzle: the digits placed and, for each empty cell, the digits
// still possible there.
struct LogicGrid {
    uint8_t digit[81] = {};       // 0 empty, 1 to 9 placed
    uint16_t candidates[81] = {}; // empty cells only: bit d set while d is still possible
};

// One step. A placement names its cell and digit; an elimination names, per cell, the candidates
// it removes. Both name what justifies them: the houses the step lies in and the candidates (or,
// for a placed cell, its digit's bit) that the reasoning rests on.
struct LogicStep {
    Technique technique = Technique::none;
    int8_t cell = -1;          // a placement's cell, -1 for an elimination
    uint8_t digit = 0;         // a placement's digit
    uint16_t removed[81] = {}; // an elimination: bit d set, d leaves that cell's candidates
    uint16_t reasons[81] = {}; // bit d set: the cell's candidate (or placed digit) d is a reason
    uint32_t houses = 0;       // bit h set: house h is where the step lies; the lowest is named
};
// The houses a step lies in: a single's or a subset's house (a naked single's three), the box
// of pointing, the line of claiming, a fish's base lines, the houses a wing's pivot shares with
// its pincers, a chain's strong links. The reasons: the placed digits that rule out the rest of a
// single's house or cell, the candidates of the pattern otherwise.

// Starts a grid from digits (81 values, 0 for empty; the board's right entries as their digits,
// its wrong entries as empty): each empty cell gets every digit its row, column and box allow.
// False when two equal digits share a house, a digit is out of range, or an empty cell has no
// candidate left.
bool logic_start(const uint8_t digits[81], LogicGrid& grid);
// The simplest step from the grid, easiest technique first; technique none when none is found.
// Computes; allocates nothing.
LogicStep logic_next_step(const LogicGrid& grid);
// Applies a step: places the digit (and removes it from the peers' candidates) or removes the
// candidates. False when the grid is left contradictory (a cell without candidates).
bool logic_apply(LogicGrid& grid, const LogicStep& step);
// The technique's name as the game shows it, "HIDDEN SINGLE"; the solver tool prints it with
// underscores for spaces.
const char* technique_name(Technique technique);
