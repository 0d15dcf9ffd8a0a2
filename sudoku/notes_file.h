// The notes file's text: the marks and the undo history of a game, with the puzzle they belong to.
//
// Plain lines ended by "\r\n", written and read by these two functions only:
//   notes 1
//   puzzle SSS...S GGG...G          the 81 solution digits, then the 81 givens (0: not a given)
//   marks M M ... M                 81 numbers: bit d set for digit d pencilled in
//   history STEPS APPLIED           the steps recorded and the steps in effect
//   step N C B A NB NA ...          one line a slot, oldest first: N changes, each its cell, codes
//                                   before and after, marks before and after
//   more N C B A NB NA ...          a slot that goes on the step of the line before
//   end                             so that a file cut short never reads
// The file is kept in the stored form beside the saved game; empty content means no notes.
#pragma once
#include <cstdint>
#include <string>

#include "sudoku/notes.h"

// The puzzle a board and its solution hold, as the file names it: the 81 solution digits, a space,
// the 81 givens.
std::string puzzle_fingerprint(const int32_t* board, const int32_t* solution);
// The text of the notes for the puzzle of board and solution.
std::string notes_text(const PlayNotes& notes, const int32_t* board, const int32_t* solution);
// Reads the text into notes and the puzzle it names (as puzzle_fingerprint gives it); false, with
// notes wiped, when any line, count or value is out of place or range: a cell beyond 80, a code
// other than 0, 11 to 19 and 21 to 29, marks beyond the bits of 1 to 9, marks or a step on a given,
// more steps or changes than are kept, more steps in effect than recorded, anything left over.
bool notes_parse(const std::string& text, std::string& puzzle, PlayNotes& notes);
// Whether the plain content of a notes file reads whole (empty content does).
bool notes_whole(const std::string& text);
