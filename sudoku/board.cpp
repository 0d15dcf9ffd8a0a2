// The board model and the puzzle generator: random grids built box by box, thinned per level.
#include "sudoku/board.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "players/settings.h"
#include "run/state.h"
#include "store/archive.h"
#include "store/datafile.h"
#include "sudoku/classic.h"
#include "sudoku/notes.h"

int32_t board[100] = {};
int32_t solution[81] = {};
int32_t wrong_entries = 0;
int32_t elapsed_ticks = 0;
bool picker_open = false;
int32_t box_removal = 3;
int32_t full_removal_chance = 70;
int32_t empty_box = 100;
BoardGenerator board_generator;

void board_reset() {
    std::fill(std::begin(board), std::end(board), 0);
    std::fill(std::begin(solution), std::end(solution), 0);
    wrong_entries = 0;
    elapsed_ticks = 0;
    picker_open = false;
    box_removal = 3;
    full_removal_chance = 70;
    empty_box = 100;
    board_generator = {};
    classic_reset();
}

namespace {

constexpr int FILL_TRIES = 500;
constexpr int DIGIT_DRAWS = 100;
constexpr int STORED_GRIDS = 90;
constexpr uint32_t RANDOM_MUL = 214013u, RANDOM_ADD = 2531011u;

// The generator's state after a number of draws, as one multiply and add of the state now.
struct RandomJump {
    uint32_t mul = 1, add = 0;
};
constexpr RandomJump random_jump(int draws) {
    RandomJump jump;
    for (int i = 0; i < draws; ++i)
        jump = {jump.mul * RANDOM_MUL, jump.add * RANDOM_MUL + RANDOM_ADD};
    return jump;
}
constexpr int DRAW_GROUP = 4; // a divisor of DIGIT_DRAWS
struct GroupJumps {
    RandomJump jumps[DRAW_GROUP];
};
constexpr GroupJumps group_jumps() {
    GroupJumps group;
    for (int i = 0; i < DRAW_GROUP; ++i) group.jumps[i] = random_jump(i + 1);
    return group;
}
constexpr GroupJumps GROUP_JUMPS = group_jumps();
constexpr RandomJump ALL_DRAWS = random_jump(DIGIT_DRAWS);

// The bit of the digit a draw gives (rand() % 9 + 1, rand() being bits 16 to 30 of the state),
// for every upper half of the state.
struct DigitBits {
    uint16_t bits[65536];
};
constexpr DigitBits digit_bits() {
    DigitBits table{};
    for (int high = 0; high < 65536; ++high)
        table.bits[high] = static_cast<uint16_t>(1u << ((high & 0x7FFF) % 9 + 1));
    return table;
}
constexpr DigitBits DIGIT_BITS = digit_bits();

int lowest_digit(unsigned digits) {
    return digits == 0 ? 0 : std::countr_zero(digits);
}

// A cell's digit from the free digits (bit d set when d may be placed): draws of rand() % 9 + 1
// until one is free, at most DIGIT_DRAWS of them; after that many draws the lowest free digit, or
// 0 when none is. The draws are made exactly as one by one, but a group at a time from states
// computed side by side from the group's first, and all at once when no digit is free.
int draw_digit(unsigned free) {
    uint32_t& random_state = board_generator.random_state;
    if (free == 0) {
        random_state = random_state * ALL_DRAWS.mul + ALL_DRAWS.add;
        return 0;
    }
    uint32_t group = random_state;
    for (int draws = 0; draws < DIGIT_DRAWS; draws += DRAW_GROUP) {
#pragma GCC unroll 8
        for (int i = 0; i < DRAW_GROUP; ++i) {
            const uint32_t state = group * GROUP_JUMPS.jumps[i].mul + GROUP_JUMPS.jumps[i].add;
            const unsigned bit = DIGIT_BITS.bits[state >> 16];
            if (bit & free) {
                random_state = state;
                return draws + i + 1 < DIGIT_DRAWS ? std::countr_zero(bit) : lowest_digit(free);
            }
        }
        const RandomJump& whole = GROUP_JUMPS.jumps[DRAW_GROUP - 1];
        group = group * whole.mul + whole.add;
    }
    random_state = group;
    return lowest_digit(free);
}

bool is_digit(int32_t value) {
    return value >= 1 && value <= 9;
}

// Bit d for a digit d from 1 to 9, no bit for anything else.
unsigned digit_bit(int32_t value) {
    return is_digit(value) ? 1u << value : 0u;
}
constexpr unsigned ALL_DIGITS = 0x3FE;

// How many cells of the box hold a digit.
int box_digits(const int32_t* grid, int box_col, int box_row) {
    int count = 0;
    for (int row = 3 * box_row; row < 3 * box_row + 3; ++row)
        for (int col = 3 * box_col; col < 3 * box_col + 3; ++col)
            count += is_digit(grid[row * 9 + col]);
    return count;
}

// Whether a level draws a box to empty: the last digit of the level must reach a threshold that
// falls as the levels rise.
bool can_empty_box(int lvl) {
    constexpr int LOWEST_LAST_DIGIT[10] = {9, 8, 8, 7, 7, 6, 5, 4, 3, 2};
    return lvl >= 0 && lvl <= 99 && lvl % 10 >= LOWEST_LAST_DIGIT[lvl / 10];
}

} // namespace

int nextrandom() {
    uint32_t& random_state = board_generator.random_state;
    random_state = random_state * RANDOM_MUL + RANDOM_ADD;
    return static_cast<int>((random_state >> 16) & 0x7FFF);
}

void game_StartLevel() {
    wrong_entries = 0;
    elapsed_ticks = 0;
    notes_reset(); // a new puzzle starts with no marks and no history
    std::fill(std::begin(board), std::end(board), 0);
    if (puzzle_mode == PUZZLES_CLASSIC) {
        classicpuzzle(classic_take(level), level, board, solution);
    } else {
        levelparameters(level, box_removal, full_removal_chance);
        // The first generation only moves the random sequence and empty_box on; the second is
        // the puzzle.
        generatepuzzle(board, box_removal, full_removal_chance);
        generatepuzzle(board, box_removal, full_removal_chance);
    }
    picker_open = false;
    current_screen = Screen::game;
}

void levelparameters(int lvl, int32_t& removal, int32_t& chance) {
    lvl = std::clamp(lvl, 0, 99);
    removal = lvl / 10;
    if (lvl % 10 > 2) removal += nextrandom() % 3;
    if (removal < 1)
        removal = 1;
    else
        removal = std::min(removal, lvl < 80 ? 6 : lvl < 90 ? 7 : 8);
    chance = lvl * 10 + 40;
}

void generatepuzzle(int32_t* grid, int removal, int chance) {
    int32_t work[81] = {};
    for (;;) {
        int attempts = 0, filled = 0;
        while (filled < 81 && attempts < board_generator.grid_attempts) {
            std::fill(std::begin(work), std::end(work), 0);
            filled = 0;
            for (int box_row = 0; box_row < 3; ++box_row)
                for (int box_col = 0; box_col < 3; ++box_col)
                    filled += fillbox(work, box_col, box_row);
            ++attempts;
        }
        if (filled < 81) loadstoredgrid(work, nextrandom() % STORED_GRIDS);
        if (!std::equal(std::begin(work), std::end(work), grid)) break;
    }
    std::copy(std::begin(work), std::end(work), grid);
    std::copy(std::begin(work), std::end(work), solution);
    for (int box_row = 0; box_row < 3; ++box_row)
        for (int box_col = 0; box_col < 3; ++box_col)
            thinbox(grid, box_col, box_row, removal, chance);
}

// A retry rewrites the box in place: cells of the box not yet rewritten in this try still hold the
// previous try's digits and count as used. The digits a cell's row and column meet outside the box
// do not change while the box fills, so they are gathered once; each cell then adds the other
// eight cells of the box, exactly as useddigits would find them: this try's digits before it,
// the previous try's after it. Only the last try's digits reach the grid.
int fillbox(int32_t* grid, int box_col, int box_row) {
    const int top = 3 * box_row, left = 3 * box_col;
    unsigned outside_row[3] = {}, outside_col[3] = {}, box_bits[9];
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 9; ++j) {
            if (j / 3 != box_col) outside_row[i] |= digit_bit(grid[(top + i) * 9 + j]);
            if (j / 3 != box_row) outside_col[i] |= digit_bit(grid[j * 9 + left + i]);
        }
    }
    unsigned outside[9];
    for (int k = 0; k < 9; ++k) {
        box_bits[k] = digit_bit(grid[(top + k / 3) * 9 + left + k % 3]);
        outside[k] = outside_row[k / 3] | outside_col[k % 3];
    }
    int digits[9] = {};
    int count = 0;
    for (int tries = 0; count < 9 && tries < FILL_TRIES; ++tries) {
        unsigned after[10]; // after[k]: the previous try's digits in cells k to 8
        after[9] = 0;
        for (int k = 8; k >= 0; --k) after[k] = after[k + 1] | box_bits[k];
        unsigned before = 0;
        count = 0;
        for (int k = 0; k < 9; ++k) {
            digits[k] = draw_digit(~(outside[k] | before | after[k + 1]) & ALL_DIGITS);
            box_bits[k] = digit_bit(digits[k]);
            before |= box_bits[k];
            count += digits[k] != 0;
        }
    }
    for (int k = 0; k < 9; ++k) grid[(top + k / 3) * 9 + left + k % 3] = digits[k];
    return count;
}

void useddigits(int32_t* grid, uint8_t used[10], int col, int row) {
    int32_t& cell = grid[row * 9 + col];
    const int32_t value = cell;
    cell = 0;
    unsigned mask = 0;
    for (int i = 0; i < 9; ++i) mask |= digit_bit(grid[row * 9 + i]) | digit_bit(grid[i * 9 + col]);
    for (int r = row / 3 * 3; r < row / 3 * 3 + 3; ++r)
        for (int c = col / 3 * 3; c < col / 3 * 3 + 3; ++c) mask |= digit_bit(grid[r * 9 + c]);
    cell = value;
    for (int d = 0; d < 10; ++d) used[d] = static_cast<uint8_t>((mask >> d) & 1u);
}

void thinbox(int32_t* grid, int box_col, int box_row, int removal, int chance) {
    if (removal == 0) return;
    if (box_col == 0 && box_row == 0 && can_empty_box(level)) empty_box = nextrandom() % 10;
    int keep = std::max(9 - removal, 1);
    int budget = nextrandom() % 100 > chance ? removal / 2 : 1000;
    if (box_col + 3 * box_row == empty_box) {
        keep = 0;
        empty_box = 100;
    }
    for (int filled = 100; filled > keep && budget > 0; --budget) {
        const int col = 3 * box_col + nextrandom() % 3;
        const int row = 3 * box_row + nextrandom() % 3;
        grid[row * 9 + col] = CELL_EMPTY;
        filled = box_digits(grid, box_col, box_row);
    }
}

int loadstoredgrid(int32_t* grid, int number) {
    if (number < 0 || number > 99) return 0;
    char entry[32], file[32];
    std::snprintf(entry, sizeof entry, "edit\\emg%d.txt", number);
    std::snprintf(file, sizeof file, "emg%d.txt", number);
    // The entry is read in memory as the file it would be extracted to: a level start writes
    // nothing.
    long size = 0;
    const uint8_t* data =
        grid_archive.unlockmemory(platform::asset_path(ARCHIVE_FILE).c_str(), entry, size);
    std::vector<uint8_t> text;
    if (!data || !unlockbytes(file, {data, data + size}, text)) return 0;
    // Each value is a run of digits ended by one other byte; a run not yet ended is not stored.
    int stored = 0, value = 0;
    bool digits = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (value < 100000000) value = value * 10 + (c - '0');
            digits = true;
            continue;
        }
        if (digits && stored < 81) grid[stored++] = value;
        value = 0;
        digits = false;
    }
    return stored;
}

bool boardcomplete(const int32_t* grid) {
    for (int i = 0; i < 81; ++i) {
        int32_t code = grid[i];
        if (code >= CELL_RIGHT && code <= CELL_RIGHT + 9) code -= CELL_RIGHT;
        if (code != solution[i]) return false;
    }
    return true;
}
