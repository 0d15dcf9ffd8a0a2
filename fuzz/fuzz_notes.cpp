// Fuzz target: any bytes as a notes file. The parser either reads notes whose every value is in
// range, which write back to the same notes, or reads nothing at all; through the file, notes load
// only for the puzzle they name.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/notes_file.h"
#include "sudoku/saved_game.h"

namespace {

void check(bool ok) {
    if (!ok) std::abort();
}

bool code_in_range(int code) {
    return code == 0 || (code >= 11 && code <= 19) || (code >= 21 && code <= 29);
}

// Every value of the notes within its range, and nothing on a given of the puzzle.
void check_ranges(const PlayNotes& notes, const std::string& puzzle) {
    for (int i = 0; i < 81; ++i) check((notes.marks[i] & ~0x3FE) == 0);
    check(notes.step_count >= 0 && notes.step_count <= HISTORY_STEPS);
    check(notes.applied >= 0 && notes.applied <= notes.step_count);
    for (int s = 0; s < notes.step_count; ++s) {
        const HistoryStep& step = notes.steps[s];
        check(step.count >= 1 && step.count <= STEP_CELLS);
        check(!step.joined || (s > 0 && s != notes.applied)); // undo and redo take whole steps
        for (int i = 0; i < step.count; ++i) {
            const CellChange& c = step.changes[i];
            check(c.cell <= 80 && puzzle[82 + c.cell] == '0');
            check(code_in_range(c.code_before) && code_in_range(c.code_after));
            check(((c.notes_before | c.notes_after) & ~0x3FE) == 0);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 200000 || !fuzz_folder("gridhollow-fuzz-notes", {"edit"})) return 0;
    const std::string text(reinterpret_cast<const char*>(data), size);

    const auto notes = std::make_unique<PlayNotes>(), again = std::make_unique<PlayNotes>();
    std::string puzzle, puzzle_again;
    if (!notes_parse(text, puzzle, *notes)) {
        check(notes->step_count == 0 && notes->applied == 0 && notes->marks[0] == 0);
        check(!notes_whole(text) || text.empty());
        return 0;
    }
    check(puzzle.size() == 163 && notes_whole(text));
    check_ranges(*notes, puzzle);

    // The board and solution the fingerprint names: the givens on the board, the rest empty.
    for (int i = 0; i < 81; ++i) {
        solution[i] = puzzle[i] - '0';
        board[i] = puzzle[82 + i] - '0';
    }
    check(puzzle_fingerprint(board, solution) == puzzle);
    const std::string written = notes_text(*notes, board, solution);
    check(notes_parse(written, puzzle_again, *again) && puzzle_again == puzzle);
    check(notes_text(*again, board, solution) == written);

    check(writedatafile("edit\\ANN.notes", text));
    game_LoadNotes("ANN");
    check(notes_text(play_notes, board, solution) == written);
    if (board[0] != 0) { // a given less: another puzzle, whose notes these are not
        board[0] = 0;
        game_LoadNotes("ANN");
        check(play_notes.step_count == 0 &&
              std::all_of(play_notes.marks, play_notes.marks + 81, [](uint16_t m) { return !m; }));
    }
    return 0;
}
