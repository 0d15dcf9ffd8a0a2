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
    constexpr Cells operator|(Cells other) const { return {low | other.low, high | other.high}; }
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

// Makes the step an elimination of the technique: the digits leave the cells where they are
// candidates. Reasons and houses are the caller's to add.
void eliminate(LogicStep& step, Technique technique, const LogicGrid& grid, Cells cells,
               uint16_t digits) {
    step = {};
    step.technique = technique;
    while (!cells.empty()) {
        const int cell = cells.take();
        step.removed[cell] = grid.candidates[cell] & digits;
    }
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

bool full_house(const Picture& p, LogicStep& step, Technique, int) {
    for (int h = 0; h < HOUSE_COUNT; ++h) {
        if (std::popcount(p.open[h]) != 1) continue;
        const int cell = TABLES.house_cell[h][std::countr_zero(p.open[h])];
        if (std::popcount(p.grid.candidates[cell]) != 1) continue;
        step = placement(Technique::full_house, cell, std::countr_zero(p.grid.candidates[cell]));
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

bool naked_single(const Picture& p, LogicStep& step, Technique, int) {
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

bool hidden_single(const Picture& p, LogicStep& step, Technique, int) {
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
    eliminate(step, technique, p.grid, rest, bit(digit));
    mark_places(step, p.grid, inside, places, bit(digit));
    step.houses = uint32_t{1} << inside;
    return true;
}

// The rows (or columns) meeting a box: 3 houses from the first.
int box_line(int box, int line_kind, int k) {
    const int b = box - 18;
    return line_kind == 0 ? b / 3 * 3 + k : 9 + b % 3 * 3 + k;
}

bool pointing(const Picture& p, LogicStep& step, Technique, int) {
    for (int box = 18; box < 27; ++box)
        for (int digit = 1; digit <= 9; ++digit)
            for (int kind = 0; kind < 2; ++kind)
                for (int k = 0; k < 3; ++k)
                    if (locked(p, step, Technique::pointing, box, box_line(box, kind, k), digit))
                        return true;
    return false;
}

bool claiming(const Picture& p, LogicStep& step, Technique, int) {
    for (int line = 0; line < 18; ++line)
        for (int digit = 1; digit <= 9; ++digit)
            for (int k = 0; k < 3; ++k) {
                const int box = line < 9 ? 18 + line / 3 * 3 + k : 18 + k * 3 + (line - 9) / 3;
                if (locked(p, step, Technique::claiming, line, box, digit)) return true;
            }
    return false;
}

// Naked subsets: size cells of a house whose candidates together are size digits; those digits
// leave the house's other cells.
bool naked_subset(const Picture& p, LogicStep& step, Technique technique, int size) {
    for (int h = 0; h < HOUSE_COUNT; ++h) {
        uint16_t small = 0; // the empty cells with at most size candidates
        for (uint16_t open = p.open[h]; open; open &= open - 1) {
            const int i = std::countr_zero(open);
            if (std::popcount(p.grid.candidates[TABLES.house_cell[h][i]]) <= size) small |= bit(i);
        }
        for (uint16_t set = small; set; set = (set - 1) & small) {
            if (std::popcount(set) != size) continue;
            uint16_t digits = 0;
            for (uint16_t s = set; s; s &= s - 1)
                digits |= p.grid.candidates[TABLES.house_cell[h][std::countr_zero(s)]];
            if (std::popcount(digits) != size) continue;
            const Cells rest = cells_at(h, p.open[h] & ~set);
            bool any = false;
            for (uint16_t d = digits; d; d &= d - 1)
                any |= !(rest & p.holding[std::countr_zero(d)]).empty();
            if (!any) continue;
            eliminate(step, technique, p.grid, rest, digits);
            mark_places(step, p.grid, h, set, digits);
            step.houses = uint32_t{1} << h;
            return true;
        }
    }
    return false;
}

// Hidden subsets: size digits of a house that together have only size places; the places lose
// every other candidate.
bool hidden_subset(const Picture& p, LogicStep& step, Technique technique, int size) {
    for (int h = 0; h < HOUSE_COUNT; ++h) {
        uint16_t few = 0; // the digits with at most size places in the house
        for (int digit = 1; digit <= 9; ++digit)
            if (p.where[h][digit] && std::popcount(p.where[h][digit]) <= size) few |= bit(digit);
        for (uint16_t set = few; set; set = (set - 1) & few) {
            if (std::popcount(set) != size) continue;
            uint16_t places = 0;
            for (uint16_t d = set; d; d &= d - 1) places |= p.where[h][std::countr_zero(d)];
            if (std::popcount(places) != size) continue;
            bool any = false;
            for (uint16_t s = places; s; s &= s - 1)
                any |= (p.grid.candidates[TABLES.house_cell[h][std::countr_zero(s)]] & ~set) != 0;
            if (!any) continue;
            eliminate(step, technique, p.grid, cells_at(h, places), ALL_DIGITS & ~set);
            mark_places(step, p.grid, h, places, set);
            step.houses = uint32_t{1} << h;
            return true;
        }
    }
    return false;
}

// Fish: size rows (or columns) where a digit's places lie in size columns (rows) together; the
// digit leaves the rest of those columns (rows). Row i's place j is column j and column j's
// place i is row i, so the place sets of both kinds of lines read alike.
bool fish(const Picture& p, LogicStep& step, Technique technique, int size) {
    for (int digit = 1; digit <= 9; ++digit)
        for (int first = 0; first < 18; first += 9) {
            uint16_t lines = 0; // the base lines that may take part, bit k for line first + k
            for (int k = 0; k < 9; ++k) {
                const int places = std::popcount(p.where[first + k][digit]);
                if (places >= 2 && places <= size) lines |= bit(k);
            }
            for (uint16_t set = lines; set; set = (set - 1) & lines) {
                if (std::popcount(set) != size) continue;
                uint16_t covers = 0;
                Cells base;
                for (uint16_t s = set; s; s &= s - 1) {
                    const int line = first + std::countr_zero(s);
                    covers |= p.where[line][digit];
                    base = base | TABLES.house_cells[line];
                }
                if (std::popcount(covers) != size) continue;
                Cells rest;
                for (uint16_t c = covers; c; c &= c - 1)
                    rest = rest | TABLES.house_cells[9 - first + std::countr_zero(c)];
                rest = (rest & p.holding[digit]).without(base);
                if (rest.empty()) continue;
                eliminate(step, technique, p.grid, rest, bit(digit));
                for (uint16_t s = set; s; s &= s - 1) {
                    const int line = first + std::countr_zero(s);
                    mark_places(step, p.grid, line, p.where[line][digit], bit(digit));
                    step.houses |= uint32_t{1} << line;
                }
                return true;
            }
        }
    return false;
}

// The houses two cells share.
uint32_t shared_houses(int a, int b) {
    uint32_t houses = 0;
    for (int k = 0; k < 3; ++k)
        if (TABLES.cell_house[a][k] == TABLES.cell_house[b][k])
            houses |= uint32_t{1} << TABLES.cell_house[a][k];
    return houses;
}

// A wing: a pivot and two pincers it sees, each pincer with two candidates, which together with
// the pivot's leave `digit` in one of the pincers (or the pivot) in every solution; the digit
// leaves the cells that see all of them that may hold it (`seeing`).
void wing_step(const Picture& p, LogicStep& step, Technique technique, const int cells[3],
               Cells seeing, int digit) {
    eliminate(step, technique, p.grid, seeing, bit(digit));
    for (int k = 0; k < 3; ++k) step.reasons[cells[k]] = p.grid.candidates[cells[k]];
    step.houses = shared_houses(cells[0], cells[1]) | shared_houses(cells[0], cells[2]);
}

// XY-wing (pivot xy, pincers xz and yz: z leaves what sees both pincers) and XYZ-wing (pivot
// xyz, pincers xz and yz: z leaves what sees all three), by the pivot's candidate count.
bool wing(const Picture& p, LogicStep& step, Technique technique, int pivot_candidates) {
    for (int pivot = 0; pivot < 81; ++pivot) {
        const uint16_t xy = p.grid.candidates[pivot];
        if (std::popcount(xy) != pivot_candidates) continue;
        for (Cells first = TABLES.peers[pivot]; !first.empty();) {
            const int a = first.take();
            const uint16_t xz = p.grid.candidates[a];
            if (std::popcount(xz) != 2 ||
                std::popcount(static_cast<uint16_t>(xz & xy)) != pivot_candidates - 1)
                continue;
            for (Cells second = TABLES.peers[pivot]; !second.empty();) {
                const int b = second.take();
                const uint16_t yz = p.grid.candidates[b];
                // The pincers share z alone, and together with it hold the pivot's candidates.
                const uint16_t z = xz & yz;
                if (b == a || std::popcount(yz) != 2 || std::popcount(z) != 1 ||
                    (xz | yz) != (xy | z) || (pivot_candidates == 3 && !(xy & z)))
                    continue;
                const int digit = std::countr_zero(z);
                Cells seeing = TABLES.peers[a] & TABLES.peers[b] & p.holding[digit];
                if (pivot_candidates == 3) seeing = seeing & TABLES.peers[pivot];
                if (seeing.empty()) continue;
                const int cells[3] = {pivot, a, b};
                wing_step(p, step, technique, cells, seeing, digit);
                return true;
            }
        }
    }
    return false;
}

// X-chain: for one digit, a chain of cells from A to Z whose links alternate strong (the only
// two places of the digit in a house: one of them holds it) and weak (two cells that see each
// other: at most one holds it), first and last strong. If A does not hold the digit the next
// cell does, the one after it does not, and so on: Z does. So A or Z holds it, and every cell
// that sees both does not. The shortest chain of all is found breadth first, from each start.
struct ChainSearch {
    int16_t from[81][2]; // the state before: cell * 2 + (1: reached by a strong link), -1 none
    int8_t house[81];    // the house of the strong link that reached the cell's state 1
    int16_t queue[162];
};

bool x_chain(const Picture& p, LogicStep& step, Technique, int) {
    ChainSearch search{};
    int best = 64; // links of the best chain found, more than any chain has
    int best_digit = 0, best_end = -1, best_start = -1;
    ChainSearch best_search{};
    for (int digit = 1; digit <= 9; ++digit)
        for (Cells starts = p.holding[digit]; !starts.empty();) {
            const int start = starts.take();
            for (auto& f : search.from) f[0] = f[1] = -1;
            // The start is its own predecessor, "off": reached by a weak link.
            search.from[start][0] = static_cast<int16_t>(start * 2);
            search.queue[0] = static_cast<int16_t>(start * 2);
            int head = 0, tail = 1, links = 0, level_end = 1;
            bool found = false;
            while (head < tail && !found && links + 1 < best) {
                const int state = search.queue[head++];
                const int cell = state / 2, strong = state % 2;
                if (strong) {
                    for (Cells next = TABLES.peers[cell] & p.holding[digit]; !next.empty();) {
                        const int other = next.take();
                        if (search.from[other][0] >= 0) continue;
                        search.from[other][0] = static_cast<int16_t>(state);
                        search.queue[tail++] = static_cast<int16_t>(other * 2);
                    }
                } else {
                    for (int h : TABLES.cell_house[cell]) {
                        if (std::popcount(p.where[h][digit]) != 2) continue;
                        for (uint16_t o = p.where[h][digit]; o; o &= o - 1) {
                            const int other = TABLES.house_cell[h][std::countr_zero(o)];
                            if (other == cell || search.from[other][1] >= 0) continue;
                            search.from[other][1] = static_cast<int16_t>(state);
                            search.house[other] = static_cast<int8_t>(h);
                            search.queue[tail++] = static_cast<int16_t>(other * 2 + 1);
                            if (found || other == start || links + 1 < 3) continue;
                            if ((TABLES.peers[start] & TABLES.peers[other] & p.holding[digit])
                                    .empty())
                                continue;
                            best = links + 1;
                            best_digit = digit, best_end = other, best_start = start;
                            best_search = search;
                            found = true;
                        }
                    }
                }
                if (head == level_end) ++links, level_end = tail;
            }
        }
    if (best_end < 0) return false;
    eliminate(step, Technique::x_chain, p.grid,
              TABLES.peers[best_start] & TABLES.peers[best_end] & p.holding[best_digit],
              bit(best_digit));
    for (int state = best_end * 2 + 1; state != best_start * 2;) {
        const int cell = state / 2, strong = state % 2;
        step.reasons[cell] |= bit(best_digit);
        if (strong) step.houses |= uint32_t{1} << best_search.house[cell];
        state = best_search.from[cell][strong];
    }
    step.reasons[best_start] |= bit(best_digit);
    return true;
}

// The finders in the order of the techniques; the size is a subset's, a fish's or a wing pivot's.
struct Finder {
    Technique technique;
    bool (*find)(const Picture&, LogicStep&, Technique, int size);
    int size;
};
constexpr Finder FINDERS[] = {{Technique::full_house, full_house, 1},
                              {Technique::naked_single, naked_single, 1},
                              {Technique::hidden_single, hidden_single, 1},
                              {Technique::pointing, pointing, 1},
                              {Technique::claiming, claiming, 1},
                              {Technique::naked_pair, naked_subset, 2},
                              {Technique::hidden_pair, hidden_subset, 2},
                              {Technique::naked_triple, naked_subset, 3},
                              {Technique::hidden_triple, hidden_subset, 3},
                              {Technique::naked_quad, naked_subset, 4},
                              {Technique::hidden_quad, hidden_subset, 4},
                              {Technique::x_wing, fish, 2},
                              {Technique::swordfish, fish, 3},
                              {Technique::xy_wing, wing, 2},
                              {Technique::xyz_wing, wing, 3},
                              {Technique::x_chain, x_chain, 1}};
static_assert(std::size(FINDERS) + 1 == static_cast<size_t>(Technique::count));

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
    const Picture picture(grid);
    LogicStep step;
    for (const Finder& finder : FINDERS)
        if (finder.find(picture, step, finder.technique, finder.size)) return step;
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
