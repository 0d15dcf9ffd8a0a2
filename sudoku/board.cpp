// The board model and the puzzle generator: random grids built box by box, thinned per level.
#include "sudoku/board.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/frame.h"
#include "platform/files.h"
#include "store/archive.h"
#include "store/datafile.h"

int32_t board[100] = {};
int32_t solution[81] = {};
int32_t level = 1;
int32_t box_removal = 3;
int32_t full_removal_chance = 70;
int32_t empty_box = 100;
int32_t wrong_entries = 0;
int32_t elapsed_ticks = 0;
bool picker_open = false;
uint32_t random_state = 1;
int grid_attempts = 200;

namespace {

constexpr int FILL_TRIES = 500;
constexpr int DIGIT_DRAWS = 100;
constexpr int STORED_GRIDS = 90;

bool isdigit19(int32_t value) {
    return value >= 1 && value <= 9;
}

// How many cells of the box hold a digit.
int boxdigits(const int32_t* grid, int box_col, int box_row) {
    int count = 0;
    for (int row = 3 * box_row; row < 3 * box_row + 3; ++row)
        for (int col = 3 * box_col; col < 3 * box_col + 3; ++col)
            count += isdigit19(grid[row * 9 + col]);
    return count;
}

// Whether a level draws a box to empty: the last digit of the level must reach a threshold that
// falls as the levels rise.
bool canemptybox(int lvl) {
    constexpr int LOWEST_LAST_DIGIT[10] = {9, 8, 8, 7, 7, 6, 5, 4, 3, 2};
    return lvl >= 0 && lvl <= 99 && lvl % 10 >= LOWEST_LAST_DIGIT[lvl / 10];
}

} // namespace

int nextrandom() {
    random_state = random_state * 214013u + 2531011u;
    return static_cast<int>((random_state >> 16) & 0x7FFF);
}

void game_StartLevel() {
    levelparameters(level, box_removal, full_removal_chance);
    wrong_entries = 0;
    elapsed_ticks = 0;
    std::fill(std::begin(board), std::end(board), 0);
    // The first generation only moves the random sequence and empty_box on; the second is the
    // puzzle.
    generatepuzzle(board, box_removal, full_removal_chance);
    generatepuzzle(board, box_removal, full_removal_chance);
    picker_open = false;
    current_screen = SCREEN_GAME;
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
        while (filled < 81 && attempts < grid_attempts) {
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
// previous try's digits and count as used.
int fillbox(int32_t* grid, int box_col, int box_row) {
    uint8_t used[10];
    int count = 0;
    for (int tries = 0; count < 9 && tries < FILL_TRIES; ++tries) {
        count = 0;
        for (int row = 3 * box_row; row < 3 * box_row + 3; ++row) {
            for (int col = 3 * box_col; col < 3 * box_col + 3; ++col) {
                useddigits(grid, used, col, row);
                int digit = 0, draws = 0;
                do {
                    digit = nextrandom() % 9 + 1;
                    ++draws;
                } while (used[digit] != 0 && draws < DIGIT_DRAWS);
                if (draws == DIGIT_DRAWS) {
                    digit = 0;
                    for (int d = 9; d >= 1; --d)
                        if (used[d] == 0) digit = d;
                }
                grid[row * 9 + col] = digit;
                count += isdigit19(digit);
            }
        }
    }
    return count;
}

void useddigits(int32_t* grid, uint8_t used[10], int col, int row) {
    int32_t& cell = grid[row * 9 + col];
    const int32_t value = cell;
    cell = 0;
    std::fill(used, used + 10, 0);
    auto mark = [&](int32_t v) {
        if (isdigit19(v)) used[v] = 1;
    };
    for (int i = 0; i < 9; ++i) {
        mark(grid[row * 9 + i]);
        mark(grid[i * 9 + col]);
    }
    for (int r = row / 3 * 3; r < row / 3 * 3 + 3; ++r)
        for (int c = col / 3 * 3; c < col / 3 * 3 + 3; ++c) mark(grid[r * 9 + c]);
    cell = value;
}

void thinbox(int32_t* grid, int box_col, int box_row, int removal, int chance) {
    if (removal == 0) return;
    if (box_col == 0 && box_row == 0 && canemptybox(level)) empty_box = nextrandom() % 10;
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
        filled = boxdigits(grid, box_col, box_row);
    }
}

int loadstoredgrid(int32_t* grid, int number) {
    if (number < 0 || number > 99) return 0;
    char entry[32], file[32];
    std::snprintf(entry, sizeof entry, "edit\\emg%d.txt", number);
    std::snprintf(file, sizeof file, "emg%d.txt", number);
    grid_archive.unlocksingle("_data.loc", entry, file);
    std::string text;
    const bool readable = readdatafile(file, text);
    platform::file_set_normal(file);
    platform::file_delete(file);
    if (!readable) return 0;
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
