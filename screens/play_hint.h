// The game screen's help: the hint shown in tiers, and the pencil marks filled with every candidate
// or tidied on request, with the three controls left of the board that ask for them. The game
// screen (screens/play_screen.cpp) makes the moves and applies them through these; none places a
// digit or touches the counters, and each change of the marks is one step of the history.
#pragma once
#include "screens/play_screen.h"
#include "sudoku/hint.h"

// The hint on show; wiped when the screen is entered, and dismissed by every other move.
struct HintShown {
    Hint hint;
    int tier = 0; // 0 none; 1 its technique and houses; 2 with its reasons and its conclusion
};
const HintShown& hint_shown();
void hint_dismiss();

// The hint's next tier: the first finds the hint (sudoku/hint.h), the second shows why, and for an
// elimination a third takes its candidates out of the marks, as one step, and dismisses it.
MoveResult apply_hint();
// Every empty cell's marks become the digits its houses allow (fill), or keep only those (tidy).
MoveResult apply_candidates(bool fill);

// A click on the hint, fill or tidy control: its move. Those clicks select no cell.
Move interpret_aid_controls();
bool aid_control_pressed();
// Keys and clicks that make no move (a letter the screen does not use, a click beside the board
// or on the window's controls) dismiss the hint too; the hint's own key and control do not. Read
// once a frame, after the frame's moves.
void dismiss_hint_on_other_input();

// The controls, the hint control lit while a hint shows.
void draw_aid_controls(const HintShown& shown);
// Under a cell's digit or marks: the light of a house the hint lies in.
void draw_hint_light(const HintShown& shown, int cell);
// Over the board: the rings on the cells that justify it, the ghost digit or the struck
// candidates, and the panel with its line.
void draw_hint(const HintShown& shown, const uint16_t* marks);
