// The notes file's text: writing it from the marks and history, and its one parser.
#include "sudoku/notes_file.h"

#include <charconv>
#include <memory>

namespace {

constexpr int CELLS = 81;
constexpr uint16_t MARK_BITS = 0x3FE; // digits 1 to 9
constexpr const char* VERSION = "1";

// The text split at white space, read a word at a time.
class Words {
  public:
    explicit Words(const std::string& text) : text_(text) {}

    // The next word, empty at the end.
    std::string_view next() {
        while (at_ < text_.size() && is_space(text_[at_])) ++at_;
        const size_t start = at_;
        while (at_ < text_.size() && !is_space(text_[at_])) ++at_;
        return std::string_view(text_).substr(start, at_ - start);
    }
    bool expect(std::string_view word) { return next() == word; }
    // The next word as a number no greater than limit; false when it is anything else.
    bool number(unsigned limit, unsigned& value) {
        const std::string_view word = next();
        if (word.empty() || word.size() > 5) return false;
        value = 0;
        for (char c : word) {
            if (c < '0' || c > '9') return false;
            value = value * 10 + static_cast<unsigned>(c - '0');
        }
        return value <= limit;
    }
    bool at_end() { return next().empty(); }

    // The next word as marks: the bits of the digits 1 to 9 only.
    bool marks(unsigned& value) { return number(MARK_BITS, value) && !(value & ~MARK_BITS); }
    // The next word as a player's cell code: empty, or an entry 11 to 19 or 21 to 29.
    bool code(unsigned& value) {
        return number(29, value) && (value == 0 || (value >= 11 && value <= 19) || value >= 21);
    }

  private:
    static bool is_space(char c) { return c == ' ' || c == '\r' || c == '\n'; }
    const std::string& text_;
    size_t at_ = 0;
};

// The puzzle line's two words: 81 solution digits 1 to 9, then 81 givens 0 to 9.
bool read_puzzle(Words& words, std::string& puzzle, bool given[CELLS]) {
    const std::string_view digits = words.next(), givens = words.next();
    if (digits.size() != CELLS || givens.size() != CELLS) return false;
    for (int i = 0; i < CELLS; ++i) {
        if (digits[i] < '1' || digits[i] > '9' || givens[i] < '0' || givens[i] > '9') return false;
        given[i] = givens[i] != '0';
    }
    puzzle = std::string(digits) + " " + std::string(givens);
    return true;
}

bool read_marks(Words& words, const bool given[CELLS], uint16_t marks[CELLS]) {
    for (int i = 0; i < CELLS; ++i) {
        unsigned value;
        if (!words.marks(value) || (given[i] && value)) return false;
        marks[i] = static_cast<uint16_t>(value);
    }
    return true;
}

// A slot: "step" begins a step, "more" goes on the one before (never first, never right after
// the slots in effect).
bool read_step(Words& words, const bool given[CELLS], bool may_join, HistoryStep& step) {
    const std::string_view word = words.next();
    unsigned count;
    step.joined = word == "more";
    if ((word != "step" && !(step.joined && may_join)) || !words.number(STEP_CELLS, count) ||
        count == 0)
        return false;
    step.count = static_cast<int>(count);
    for (unsigned i = 0; i < count; ++i) {
        unsigned cell, before, after, notes_before, notes_after;
        if (!words.number(CELLS - 1, cell) || given[cell] || !words.code(before) ||
            !words.code(after) || !words.marks(notes_before) || !words.marks(notes_after))
            return false;
        step.changes[i] = {static_cast<uint8_t>(cell), static_cast<uint8_t>(before),
                           static_cast<uint8_t>(after), static_cast<uint16_t>(notes_before),
                           static_cast<uint16_t>(notes_after)};
    }
    return true;
}

bool read_notes(const std::string& text, std::string& puzzle, PlayNotes& notes) {
    Words words(text);
    bool given[CELLS];
    unsigned steps, applied;
    if (!words.expect("notes") || !words.expect(VERSION) || !words.expect("puzzle") ||
        !read_puzzle(words, puzzle, given) || !words.expect("marks") ||
        !read_marks(words, given, notes.marks) || !words.expect("history") ||
        !words.number(HISTORY_STEPS, steps) || !words.number(steps, applied))
        return false;
    notes.step_count = static_cast<int>(steps);
    notes.applied = static_cast<int>(applied);
    for (unsigned i = 0; i < steps; ++i)
        if (!read_step(words, given, i > 0 && i != applied, notes.steps[i])) return false;
    return words.expect("end") && words.at_end();
}

} // namespace

std::string puzzle_fingerprint(const int32_t* board, const int32_t* solution) {
    const auto digit = [](int32_t value) {
        return static_cast<char>('0' + (value >= 1 && value <= 9 ? value : 0));
    };
    std::string puzzle(2 * CELLS + 1, ' ');
    for (int i = 0; i < CELLS; ++i) {
        puzzle[i] = digit(solution[i]);
        puzzle[CELLS + 1 + i] = digit(board[i]); // a given's digit, 0 for any other cell
    }
    return puzzle;
}

std::string notes_text(const PlayNotes& notes, const int32_t* board, const int32_t* solution) {
    std::string text;
    text.reserve(512 + 16 * static_cast<size_t>(notes.step_count) * STEP_CELLS);
    char digits[16];
    const auto add = [&](const char* word, unsigned value) { // made after every change: no printf
        text += word;
        text.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
    };
    text += std::string("notes ") + VERSION + "\r\npuzzle " + puzzle_fingerprint(board, solution) +
            "\r\nmarks";
    for (uint16_t marks : notes.marks) add(" ", marks);
    add("\r\nhistory ", static_cast<unsigned>(notes.step_count));
    add(" ", static_cast<unsigned>(notes.applied));
    for (int s = 0; s < notes.step_count; ++s) {
        const HistoryStep& step = notes.steps[s];
        add(step.joined ? "\r\nmore " : "\r\nstep ", static_cast<unsigned>(step.count));
        for (int i = 0; i < step.count; ++i) {
            const CellChange& c = step.changes[i];
            for (unsigned value :
                 {unsigned{c.cell}, unsigned{c.code_before}, unsigned{c.code_after},
                  unsigned{c.notes_before}, unsigned{c.notes_after}})
                add(" ", value);
        }
    }
    return text + "\r\nend\r\n";
}

bool notes_parse(const std::string& text, std::string& puzzle, PlayNotes& notes) {
    notes = {};
    if (read_notes(text, puzzle, notes)) return true;
    notes = {};
    return false;
}

bool notes_whole(const std::string& text) {
    std::string puzzle;
    const auto notes = std::make_unique<PlayNotes>();
    return text.empty() || notes_parse(text, puzzle, *notes);
}
