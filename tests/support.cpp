// Test support: the per-test folder and the reset of shared state.
#include "support.h"

#include <algorithm>
#include <filesystem>

#include "app/shell.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "store/background_save.h"

std::string tga_image(int w, int h, uint32_t argb) {
    std::string image(18, '\0');
    image[2] = 2; // uncompressed true colour
    image[12] = static_cast<char>(w & 0xFF);
    image[13] = static_cast<char>(w >> 8);
    image[14] = static_cast<char>(h & 0xFF);
    image[15] = static_cast<char>(h >> 8);
    image[16] = 32;
    image[17] = 0x28; // 8 alpha bits, rows from the top
    for (int i = 0; i < w * h; ++i)
        for (int shift : {0, 8, 16, 24}) image += static_cast<char>((argb >> shift) & 0xFF);
    return image;
}

void write_archive(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string archive;
    for (const auto& [name, data] : entries)
        archive += name + ";" + std::to_string(data.size()) + ";" + data + "\r\n";
    ASSERT_TRUE(platform::file_write("_data.loc", archive.data(), archive.size()));
}

void GameTest::SetUp() {
    previous = std::filesystem::current_path().string();
    folder = platform::enter_temporary_folder("gridhollow-test");
    ASSERT_FALSE(folder.empty());
    platform::headless::reset();
    game_Reset();
    touched_while_drawing = platform::files_touched_while_drawing();
}

void GameTest::TearDown() {
    saves_stop(); // the writer thread writes into this test's folder, never the next one's
    EXPECT_EQ(platform::files_touched_while_drawing(), touched_while_drawing)
        << "a screen's draw read or wrote a file";
    ASSERT_TRUE(platform::change_directory(previous.c_str()));
    // On Windows a folder whose lock a test took (game_CommandLine) cannot go before the process
    // ends: the lock file is open until then.
    std::error_code kept;
    std::filesystem::remove_all(folder, kept);
}

void GameTest::copy_assets() {
    for (const char* name : {"_data.loc", "alarm.wav"})
        std::filesystem::copy_file(std::string(ASSET_DIR) + "/" + name, folder + "/" + name);
}

namespace {

// Fills the grid's empty cells, the one with the fewest candidates first; returns the solutions
// found so far, stopping at two.
int solve(int32_t* grid, int32_t* first, int found) {
    int best = -1;
    unsigned best_free = 0;
    for (int cell = 0, fewest = 10; cell < 81; ++cell) {
        if (grid[cell] != 0) continue;
        const int row = cell / 9, col = cell % 9;
        unsigned used = 0;
        for (int i = 0; i < 9; ++i)
            used |= 1u << grid[row * 9 + i] | 1u << grid[i * 9 + col] |
                    1u << grid[(row / 3 * 3 + i / 3) * 9 + col / 3 * 3 + i % 3];
        const unsigned free = ~used & 0x3FEu;
        if (__builtin_popcount(free) < fewest) {
            fewest = __builtin_popcount(free);
            best = cell;
            best_free = free;
        }
    }
    if (best < 0) {
        if (found == 0) std::copy(grid, grid + 81, first);
        return found + 1;
    }
    for (int digit = 1; digit <= 9 && found < 2; ++digit) {
        if (!(best_free >> digit & 1u)) continue;
        grid[best] = digit;
        found = solve(grid, first, found);
    }
    grid[best] = 0;
    return found;
}

} // namespace

int countsolutions(const int32_t* puzzle, int32_t* first) {
    int32_t grid[81];
    std::copy(puzzle, puzzle + 81, grid);
    return solve(grid, first, 0);
}
