// Pencil marks and the undo history of the level being played, kept beside the saved game.
//
// Every change of the board or the marks is one step of the history: the cells it changed, each
// with its code and marks before and after. A step of more than STEP_CELLS cells (the candidates
// filled on request, a whole board's worth) is kept in consecutive slots, each after the first
// marked joined, and undone and redone whole. Undo puts the "before" values back, redo the "after"
// values; neither touches the wrong-entry count, and no step ever holds a given cell. The history
// lasts for the level; a level start wipes it with the marks (notes_reset).
#pragma once
#include <cstdint>

// The slots kept; when the history is full the oldest step is forgotten.
constexpr int HISTORY_STEPS = 400;
// The cells one slot holds: a cell and the twenty cells of its row, column and box.
constexpr int STEP_CELLS = 21;
constexpr int BOARD_CELLS = 81;

struct CellChange {
    uint8_t cell = 0;                           // 0 to 80
    uint8_t code_before = 0, code_after = 0;    // board codes: 0, 11 to 19, 21 to 29
    uint16_t notes_before = 0, notes_after = 0; // marks: bit d set for digit d (1 to 9)
};
// One slot of the history.
struct HistoryStep {
    int count = 0;       // changes used
    bool joined = false; // the slot goes on the step of the slot before it
    CellChange changes[STEP_CELLS];
};
// A step while it is recorded: a cell and its peers, or the whole board.
struct StepRecord {
    int count = 0;
    CellChange changes[BOARD_CELLS];
};

// The marks and the history of the level being played. Wiped by a level start and by game_Reset;
// a continued game reads them from the notes file.
struct PlayNotes {
    uint16_t marks[81] = {};          // bit d set: digit d is pencilled into the cell
    HistoryStep steps[HISTORY_STEPS]; // the oldest first
    int step_count = 0;               // slots recorded
    int applied = 0;                  // slots in effect: undo goes back from here, redo on
};
extern PlayNotes play_notes;

void notes_reset();
// The bit of a digit in a cell's marks.
constexpr uint16_t mark_bit(int digit) {
    return static_cast<uint16_t>(1u << digit);
}
// The cells sharing a row, column or box with the cell, the cell itself left out.
void peer_cells(int cell, int peers[20]);

// Records one step around a change: begin_step notes the cell and its peers as they are (or
// begin_board_step every cell), the caller changes board and marks, end_step keeps what changed as
// a step (dropping any steps undone before it). A change that changed nothing records nothing.
void begin_step(StepRecord& step, int cell);
void begin_board_step(StepRecord& step);
void end_step(StepRecord& step);
// Undoes the last step in effect, or redoes the next one; false when there is none (or the step no
// longer matches the board, which then forgets the history). cell is the step's first cell.
bool undo_step(int& cell);
bool redo_step(int& cell);
