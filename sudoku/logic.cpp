// The logical stepper: each technique reads one picture of the grid made once per search (where
// each digit may go in each house, which cells hold it as a candidate) and returns the first step
// it finds, or nothing.
#include "sudoku/logic.h"

#include <bit>
#include <cstddef>
#include <iterator>

namespace {

// A set of cells, bit i for cell i.
struct Cells {
    uint64_t low = 0, high = 0; // cells 0-63, cells 64-80

    constexpr void add(int cell) {
        if (cell < 64)
            low |= uint64_t{1} << cell;
        else
            high |= uint64_t{1} << (cell - 64);
    }
    constexpr bool has(int cell) const {
        return cell < 64 ? (low >> cell) & 1 : (high >> (cell - 64)) & 1;
    }
    constexpr Cells operator&(Cells other) const { return {low & other.low, high & other.high}; }
    constexpr Cells without(Cells other) const { return {low & ~other.low, high & ~other.high}; }
    constexpr bool operator==(const Cells&) const = default;
    constexpr bool empty() const { return (low | high) == 0; }
    // The lowest cell of a set that is not empty, taken out of it.
    int take() {
        if (low) {
            const int cell = std::countr_zero(low);
            low &= low - 1;
            return cell;
        }
        const int cell = 64 + std::countr_zero(high);
        high &= high - 1;
        return cell;
    }
};

// The house tables: the nine cells of each house, the three houses of each cell, the twenty
// peers of each cell.
struct Tables {
    int8_t house_cell[HOUSE_COUNT][9] = {};
    int8_t cell_house[81][3] = {};
    Cells house_cells[HOUSE_COUNT] = {};
    Cells peers[81] = {};
};

constexpr Tables make_tables() {
    Tables t;
    for (int cell = 0; cell < 81; ++cell) {
        const int row = cell / 9, column = cell % 9, box = row / 3 * 3 + column / 3;
        const int houses[3] = {row, 9 + column, 18 + box};
        const int places[3] = {column, row, row % 3 * 3 + column % 3};
        for (int k = 0; k < 3; ++k) {
            t.cell_house[cell][k] = static_cast<int8_t>(houses[k]);
            t.house_cell[houses[k]][places[k]] = static_cast<int8_t>(cell);
            t.house_cells[houses[k]].add(cell);
        }
    }
    for (int cell = 0; cell < 81; ++cell)
        for (int k = 0; k < 3; ++k)
            for (int other : t.house_cell[t.cell_house[cell][k]])
                if (other != cell) t.peers[cell].add(other);
    return t;
}
constexpr Tables TABLES = make_tables();

constexpr uint16_t ALL_DIGITS = 0x3FE;

// The picture of the grid every technique reads.
struct Picture {
    const LogicGrid& grid;
    uint16_t where[HOUSE_COUNT][10] = {}; // bit i: the house's cell i has digit d as a candidate
    int8_t placed_at[HOUSE_COUNT][10];    // the cell of the house holding digit d, or -1
    uint16_t open[HOUSE_COUNT] = {};      // bit i: the house's cell i is empty
    Cells holding[10] = {};               // the cells with candidate d

    explicit Picture(const LogicGrid& g) : grid(g) {
        for (auto& house : placed_at)
            for (auto& cell : house) cell = -1;
        for (int h = 0; h < HOUSE_COUNT; ++h)
            for (int i = 0; i < 9; ++i) {
                const int cell = TABLES.house_cell[h][i];
                if (grid.digit[cell]) {
                    placed_at[h][grid.digit[cell]] = static_cast<int8_t>(cell);
                    continue;
                }
                open[h] |= static_cast<uint16_t>(1 << i);
                for (uint16_t c = grid.candidates[cell]; c; c &= c - 1)
                    where[h][std::countr_zero(c)] |= static_cast<uint16_t>(1 << i);
            }
        for (int cell = 0; cell < 81; ++cell)
            for (uint16_t c = grid.candidates[cell]; c; c &= c - 1)
                holding[std::countr_zero(c)].add(cell);
    }
};

uint16_t bit(int digit) {
    return static_cast<uint16_t>(1 << digit);
}

// A placement step.
LogicStep placement(Technique technique, int cell, int digit) {
    LogicStep step;
    step.technique = technique;
    step.cell = static_cast<int8_t>(cell);
    step.digit = static_cast<uint8_t>(digit);
    return step;
}

// Removes the digits from the cells where they are candidates; true when any was.
bool remove_from(LogicStep& step, const LogicGrid& grid, Cells cells, uint16_t digits) {
    bool any = false;
    while (!cells.empty()) {
        const int cell = cells.take();
        const uint16_t gone = grid.candidates[cell] & digits;
        step.removed[cell] |= gone;
        any |= gone != 0;
    }
    return any;
}

// Marks the candidates of the house's cells in the position set as reasons.
void mark_places(LogicStep& step, const LogicGrid& grid, int house, uint16_t places,
                 uint16_t digits) {
    for (; places; places &= places - 1) {
        const int cell = TABLES.house_cell[house][std::countr_zero(places)];
        step.reasons[cell] |= grid.candidates[cell] & digits;
    }
}

// The cells of a house at the positions.
Cells cells_at(int house, uint16_t places) {
    Cells cells;
    for (; places; places &= places - 1)
        cells.add(TABLES.house_cell[house][std::countr_zero(places)]);
    return cells;
}

bool full_house(const Picture& p, LogicStep& step) {
    for (int h = 0; h < HOUSE_COUNT; ++h) {
        if (std::popcount(p.open[h]) != 1) continue;
        const int cell = TABLES.house_cell[h][std::countr_zero(p.open[h])];
        if (std::popcount(p.grid.candidates[cell]) != 1) continue;
        step = placement(Technique::full_house, cell, std::countr_zero(p.grid.candidates[cell]));
        if (p.placed_at[h][step.digit] >= 0) continue; // contradictory: no step of this kind
        for (int other : TABLES.house_cell[h])
            if (other != cell) step.reasons[other] = bit(p.grid.digit[other]);
        step.houses = uint32_t{1} << h;
        return true;
    }
    return false;
}

// For each digit the cell cannot hold, the first placed peer holding it.
void mark_placed_peers(const Picture& p, LogicStep& step, int cell, uint16_t ruled_out) {
    for (; ruled_out; ruled_out &= ruled_out - 1) {
        const int digit = std::countr_zero(ruled_out);
        for (int house : TABLES.cell_house[cell]) {
            const int at = p.placed_at[house][digit];
            if (at >= 0) {
                step.reasons[at] |= bit(digit);
                break;
            }
        }
    }
}

bool naked_single(const Picture& p, LogicStep& step) {
    for (int cell = 0; cell < 81; ++cell) {
        const uint16_t candidates = p.grid.candidates[cell];
        if (p.grid.digit[cell] || std::popcount(candidates) != 1) continue;
        step = placement(Technique::naked_single, cell, std::countr_zero(candidates));
        mark_placed_peers(p, step, cell, ALL_DIGITS & ~candidates);
        for (int house : TABLES.cell_house[cell]) step.houses |= uint32_t{1} << house;
        return true;
    }
    return false;
}

bool hidden_single(const Picture& p, LogicStep& step) {
    // Boxes first: there a person looks first.
    for (int k = 0; k < HOUSE_COUNT; ++k) {
        const int h = (k + 18) % HOUSE_COUNT;
        for (int digit = 1; digit <= 9; ++digit) {
            if (std::popcount(p.where[h][digit]) != 1) continue;
            const int cell = TABLES.house_cell[h][std::countr_zero(p.where[h][digit])];
            step = placement(Technique::hidden_single, cell, digit);
            for (uint16_t rest = p.open[h] & ~p.where[h][digit]; rest; rest &= rest - 1) {
                const int other = TABLES.house_cell[h][std::countr_zero(rest)];
                bool seen = false;
                for (int house : TABLES.cell_house[other]) {
                    const int at = p.placed_at[house][digit];
                    seen |= at >= 0 && (step.reasons[at] & bit(digit));
                }
                if (!seen) mark_placed_peers(p, step, other, bit(digit));
            }
            step.houses = uint32_t{1} << h;
            return true;
        }
    }
    return false;
}

// Locked candidates: a digit that, within house `inside`, lies only where it meets house
// `outside` is removed from the rest of `outside`.
bool locked(const Picture& p, LogicStep& step, Technique technique, int inside, int outside,
            int digit) {
    const uint16_t places = p.where[inside][digit];
    if (!places) return false;
    const Cells common = TABLES.house_cells[inside] & TABLES.house_cells[outside];
    if (!cells_at(inside, places).without(common).empty()) return false;
    const Cells rest = (TABLES.house_cells[outside] & p.holding[digit]).without(common);
    if (rest.empty()) return false;
    step = {};
    step.technique = technique;
    remove_from(step, p.grid, rest, bit(digit));
    mark_places(step, p.grid, inside, places, bit(digit));
    step.houses = uint32_t{1} << inside;
    return true;
}

// The rows (or columns) meeting a box: 3 houses from the first.
int box_line(int box, int line_kind, int k) {
    const int b = box - 18;
    return line_kind == 0 ? b / 3 * 3 + k : 9 + b % 3 * 3 + k;
}

bool pointing(const Picture& p, LogicStep& step) {
    for (int box = 18; box < 27; ++box)
        for (int digit = 1; digit <= 9; ++digit)
            for (int kind = 0; kind < 2; ++kind)
                for (int k = 0; k < 3; ++k)
                    if (locked(p, step, Technique::pointing, box, box_line(box, kind, k), digit))
                        return true;
    return false;
}

bool claiming(const Picture& p, LogicStep& step) {
    for (int line = 0; line < 18; ++line)
        for (int digit = 1; digit <= 9; ++digit)
            for (int k = 0; k < 3; ++k) {
                const int box = line < 9 ? 18 + line / 3 * 3 + k : 18 + k * 3 + (line - 9) / 3;
                if (locked(p, step, Technique::claiming, line, box, digit)) return true;
            }
    return false;
}

} // namespace

bool logic_start(const uint8_t digits[81], LogicGrid& grid) {
    grid = {};
    for (int cell = 0; cell < 81; ++cell) {
        if (digits[cell] > 9) return false;
        grid.candidates[cell] = ALL_DIGITS;
    }
    for (int cell = 0; cell < 81; ++cell)
        if (digits[cell] && !logic_apply(grid, placement(Technique::none, cell, digits[cell])))
            return false;
    return true;
}

LogicStep logic_next_step(const LogicGrid& grid) {
    using Finder = bool (*)(const Picture&, LogicStep&);
    static constexpr Finder FINDERS[] = {full_house, naked_single, hidden_single, pointing,
                                         claiming};
    const Picture picture(grid);
    LogicStep step;
    for (Finder find : FINDERS)
        if (find(picture, step)) return step;
    return {};
}

bool logic_apply(LogicGrid& grid, const LogicStep& step) {
    if (step.cell >= 0) {
        const int cell = step.cell;
        // A digit is placed on an empty cell that allows it (a start's givens on an empty grid).
        if (grid.digit[cell] || !(grid.candidates[cell] & bit(step.digit))) return false;
        grid.digit[cell] = step.digit;
        grid.candidates[cell] = 0;
        Cells peers = TABLES.peers[cell];
        while (!peers.empty()) grid.candidates[peers.take()] &= ~bit(step.digit);
    } else {
        for (int cell = 0; cell < 81; ++cell) grid.candidates[cell] &= ~step.removed[cell];
    }
    // Contradictory: an empty cell without a candidate, or a digit with no place in a house.
    for (int cell = 0; cell < 81; ++cell)
        if (!grid.digit[cell] && !grid.candidates[cell]) return false;
    const Picture picture(grid);
    for (int h = 0; h < HOUSE_COUNT; ++h)
        for (int digit = 1; digit <= 9; ++digit)
            if (picture.placed_at[h][digit] < 0 && !picture.where[h][digit]) return false;
    return true;
}

const char* technique_name(Technique technique) {
    static constexpr const char* NAMES[] = {
        "NO STEP",    "FULL HOUSE",  "NAKED SINGLE", "HIDDEN SINGLE", "POINTING",   "CLAIMING",
        "NAKED PAIR", "HIDDEN PAIR", "NAKED TRIPLE", "HIDDEN TRIPLE", "NAKED QUAD", "HIDDEN QUAD",
        "X-WING",     "SWORDFISH",   "XY-WING",      "XYZ-WING",      "X-CHAIN"};
    static_assert(std::size(NAMES) == static_cast<size_t>(Technique::count));
    return NAMES[static_cast<int>(technique)];
}
