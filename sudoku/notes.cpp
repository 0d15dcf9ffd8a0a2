// Pencil marks and the undo history: recording a step around a change, undoing and redoing it.
#include "sudoku/notes.h"

#include <cstring>

#include "sudoku/board.h"

PlayNotes play_notes;

void notes_reset() {
    play_notes = {};
}

void peer_cells(int cell, int peers[20]) {
    const int col = cell % 9, row = cell / 9;
    int n = 0;
    for (int i = 0; i < 9; ++i) {
        if (i != col) peers[n++] = row * 9 + i;
        if (i != row) peers[n++] = i * 9 + col;
    }
    const int box_col = col / 3 * 3, box_row = row / 3 * 3;
    for (int r = box_row; r < box_row + 3; ++r)
        for (int c = box_col; c < box_col + 3; ++c)
            if (r != row && c != col) peers[n++] = r * 9 + c;
}

void begin_step(HistoryStep& step, int cell) {
    int peers[20];
    peer_cells(cell, peers);
    step.count = STEP_CELLS;
    for (int i = 0; i < STEP_CELLS; ++i) {
        CellChange& change = step.changes[i];
        change.cell = static_cast<uint8_t>(i == 0 ? cell : peers[i - 1]);
        change.code_before = static_cast<uint8_t>(board[change.cell]);
        change.notes_before = play_notes.marks[change.cell];
    }
}

void end_step(HistoryStep& step) {
    int kept = 0;
    for (int i = 0; i < step.count; ++i) {
        CellChange change = step.changes[i];
        change.code_after = static_cast<uint8_t>(board[change.cell]);
        change.notes_after = play_notes.marks[change.cell];
        if (change.code_after != change.code_before || change.notes_after != change.notes_before)
            step.changes[kept++] = change;
    }
    step.count = kept;
    if (kept == 0) return;
    PlayNotes& notes = play_notes;
    if (notes.applied == HISTORY_STEPS) { // full: the oldest step goes
        std::memmove(&notes.steps[0], &notes.steps[1], sizeof(HistoryStep) * (HISTORY_STEPS - 1));
        --notes.applied;
    }
    notes.steps[notes.applied++] = step;
    notes.step_count = notes.applied;
}

namespace {

// Puts one side of a step on the board: the "after" values when forward, else the "before"
// values, once every cell is seen to hold the other side.
bool put_step(const HistoryStep& step, bool forward) {
    for (int i = 0; i < step.count; ++i) {
        const CellChange& c = step.changes[i];
        const int32_t code = forward ? c.code_before : c.code_after;
        const uint16_t marks = forward ? c.notes_before : c.notes_after;
        if (c.cell > 80 || board[c.cell] != code || play_notes.marks[c.cell] != marks) {
            play_notes.step_count = play_notes.applied = 0;
            return false;
        }
    }
    for (int i = 0; i < step.count; ++i) {
        const CellChange& c = step.changes[i];
        board[c.cell] = forward ? c.code_after : c.code_before;
        play_notes.marks[c.cell] = forward ? c.notes_after : c.notes_before;
    }
    return true;
}

} // namespace

bool undo_step(int& cell) {
    PlayNotes& notes = play_notes;
    if (notes.applied == 0) return false;
    const HistoryStep& step = notes.steps[notes.applied - 1];
    if (!put_step(step, false)) return false;
    --notes.applied;
    cell = step.changes[0].cell;
    return true;
}

bool redo_step(int& cell) {
    PlayNotes& notes = play_notes;
    if (notes.applied == notes.step_count) return false;
    const HistoryStep& step = notes.steps[notes.applied];
    if (!put_step(step, true)) return false;
    ++notes.applied;
    cell = step.changes[0].cell;
    return true;
}
