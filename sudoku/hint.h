// What the game screen's hint says, and the candidates filled on request: the player's board and
// pencil marks read against the logical stepper (sudoku/logic.h). A model only: it draws nothing.
//
// The hint runs the stepper from the board's givens and right entries (a wrong entry counts as
// empty), every empty cell starting with all the digits its houses allow, to the end. A placement
// the run proves whose digit a cell's non-empty marks leave out comes first: the player's notes
// block the way. Otherwise the hint is the first step that tells the player something: every
// placement, and an elimination that removes at least one digit still pencilled in; the other
// eliminations are taken silently and the run goes on. When the stepper finds nothing more, the
// hint says a guess is needed.
#pragma once
#include <cstdint>

#include "sudoku/logic.h"

enum class HintKind : uint8_t {
    guess,      // no known technique finds a step: nothing more to show
    notes_miss, // step.cell's marks leave out the digit a step proves; step.houses is its row
    step,       // step is the step to learn from
};
// Room for the longest line, "NO LOGICAL STEP FOUND: A GUESS IS NEEDED HERE".
constexpr int HINT_TEXT_SIZE = 48;
struct Hint {
    HintKind kind = HintKind::guess;
    LogicStep step;
    char text[HINT_TEXT_SIZE] = {}; // the line the panel shows, in capitals
};

// The hint for a board (81 codes, as in sudoku/board.h) and the player's marks (bit d: digit d).
// Computed once per request; it allocates nothing.
Hint find_hint(const int32_t* codes, const uint16_t* marks);
// Whether an elimination removes a digit that is pencilled into the cell it leaves.
bool removes_marks(const LogicStep& step, const uint16_t* marks);
// The digits each empty cell's row, column and box allow, as marks: every digit the board shows
// (givens and entries, right or wrong) is taken out of its peers. Cells that are not empty get 0.
void allowed_marks(const int32_t* codes, uint16_t allowed[81]);
