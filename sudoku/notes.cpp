// Pencil marks and the undo history: recording a step around a change, undoing and redoing it.
#include "sudoku/notes.h"

#include <algorithm>
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

namespace {

void note_before(CellChange& change, int cell) {
    change.cell = static_cast<uint8_t>(cell);
    change.code_before = static_cast<uint8_t>(board[cell]);
    change.notes_before = play_notes.marks[cell];
}

// Makes room for one more slot: when the history is full, the oldest step goes whole.
void make_room() {
    PlayNotes& notes = play_notes;
    while (notes.applied == HISTORY_STEPS || (notes.applied > 0 && notes.steps[0].joined)) {
        std::memmove(&notes.steps[0], &notes.steps[1], sizeof(HistoryStep) * (HISTORY_STEPS - 1));
        --notes.applied;
    }
}

} // namespace

void begin_step(StepRecord& step, int cell) {
    int peers[STEP_CELLS - 1];
    peer_cells(cell, peers);
    step.count = STEP_CELLS;
    for (int i = 0; i < STEP_CELLS; ++i) note_before(step.changes[i], i == 0 ? cell : peers[i - 1]);
}

void begin_board_step(StepRecord& step) {
    step.count = BOARD_CELLS;
    for (int i = 0; i < BOARD_CELLS; ++i) note_before(step.changes[i], i);
}

void end_step(StepRecord& step) {
    int kept = 0;
    for (int i = 0; i < step.count; ++i) {
        CellChange change = step.changes[i];
        change.code_after = static_cast<uint8_t>(board[change.cell]);
        change.notes_after = play_notes.marks[change.cell];
        if (change.code_after != change.code_before || change.notes_after != change.notes_before)
            step.changes[kept++] = change;
    }
    step.count = kept;
    PlayNotes& notes = play_notes;
    for (int from = 0; from < kept; from += STEP_CELLS) {
        make_room();
        HistoryStep& slot = notes.steps[notes.applied++];
        slot.count = std::min(kept - from, STEP_CELLS);
        slot.joined = from > 0;
        std::copy(step.changes + from, step.changes + from + slot.count, slot.changes);
        notes.step_count = notes.applied;
    }
}

namespace {

// Puts one side of the slots [first, last) on the board: the "after" values when forward, else
// the "before" values, once every cell is seen to hold the other side.
bool put_step(int first, int last, bool forward) {
    PlayNotes& notes = play_notes;
    for (int s = first; s < last; ++s)
        for (int i = 0; i < notes.steps[s].count; ++i) {
            const CellChange& c = notes.steps[s].changes[i];
            const int32_t code = forward ? c.code_before : c.code_after;
            const uint16_t marks = forward ? c.notes_before : c.notes_after;
            if (c.cell > 80 || board[c.cell] != code || notes.marks[c.cell] != marks) {
                notes.step_count = notes.applied = 0;
                return false;
            }
        }
    for (int s = first; s < last; ++s)
        for (int i = 0; i < notes.steps[s].count; ++i) {
            const CellChange& c = notes.steps[s].changes[i];
            board[c.cell] = forward ? c.code_after : c.code_before;
            notes.marks[c.cell] = forward ? c.notes_after : c.notes_before;
        }
    return true;
}

} // namespace

bool undo_step(int& cell) {
    PlayNotes& notes = play_notes;
    if (notes.applied == 0) return false;
    int first = notes.applied - 1;
    while (first > 0 && notes.steps[first].joined) --first;
    if (!put_step(first, notes.applied, false)) return false;
    notes.applied = first;
    cell = notes.steps[first].changes[0].cell;
    return true;
}

bool redo_step(int& cell) {
    PlayNotes& notes = play_notes;
    if (notes.applied == notes.step_count) return false;
    int last = notes.applied + 1;
    while (last < notes.step_count && notes.steps[last].joined) ++last;
    if (!put_step(notes.applied, last, true)) return false;
    cell = notes.steps[notes.applied].changes[0].cell;
    notes.applied = last;
    return true;
}
