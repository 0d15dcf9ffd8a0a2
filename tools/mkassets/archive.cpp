// Writes the resource archive "_data.loc": the images and the stored grids.
#include "tools/mkassets/archive.h"

#include <algorithm>
#include <random>
#include <utility>

#include "gfx/images.h"
#include "platform/files.h"
#include "store/datafile.h"
#include "tools/mkassets/art.h"
#include "tools/mkassets/mkassets.h"
#include "tools/mkassets/tga.h"

namespace {

constexpr int STORED_GRIDS = 90;
constexpr unsigned GRID_SEED = 20260108;

// A random order of 0..n-1 (Fisher-Yates); the engine's outputs are fixed by the standard, so the
// order is the same on every platform.
template <int N> std::vector<int> shuffled(std::mt19937& random) {
    std::vector<int> order(N);
    for (int i = 0; i < N; ++i) order[i] = i;
    for (int i = N - 1; i > 0; --i) std::swap(order[i], order[random() % (i + 1)]);
    return order;
}

// An order of the nine rows (or columns) that keeps every band of three together.
std::vector<int> bandorder(std::mt19937& random) {
    const std::vector<int> bands = shuffled<3>(random);
    std::vector<int> lines;
    for (int band : bands)
        for (int line : shuffled<3>(random)) lines.push_back(3 * band + line);
    return lines;
}

// A complete grid: the pattern grid with its digits relabelled, its rows and columns moved within
// their bands and stacks, the bands and stacks moved, and perhaps transposed. Each of these keeps
// every row, column and box holding 1 to 9.
std::vector<int> makegrid(std::mt19937& random) {
    const std::vector<int> digits = shuffled<9>(random);
    const std::vector<int> rows = bandorder(random);
    const std::vector<int> cols = bandorder(random);
    const bool transpose = random() % 2 == 1;
    std::vector<int> grid(81);
    for (int r = 0; r < 9; ++r) {
        for (int c = 0; c < 9; ++c) {
            const int row = rows[r], col = cols[c];
            const int pattern = (3 * (row % 3) + row / 3 + col) % 9;
            grid[transpose ? c * 9 + r : r * 9 + c] = digits[pattern] + 1;
        }
    }
    return grid;
}

} // namespace

std::vector<uint8_t> archive_bytes(const std::vector<ArchiveEntry>& entries) {
    std::vector<uint8_t> bytes;
    for (const ArchiveEntry& entry : entries) {
        const std::string header = entry.name + ";" + std::to_string(entry.data.size()) + ";";
        bytes.insert(bytes.end(), header.begin(), header.end());
        bytes.insert(bytes.end(), entry.data.begin(), entry.data.end());
    }
    return bytes;
}

std::vector<ArchiveEntry> image_entries(int density) {
    std::vector<ArchiveEntry> entries;
    for (const Art& art : archive_art(density))
        entries.push_back({art.entry, density == 1 ? tga_bytes(art) : tga_rle_bytes(art)});
    return entries;
}

std::vector<ArchiveEntry> stored_grid_entries() {
    std::mt19937 random(GRID_SEED);
    std::vector<ArchiveEntry> entries;
    for (int number = 0; number < STORED_GRIDS; ++number) {
        std::string text;
        for (int value : makegrid(random)) text += std::to_string(value) + ",";
        const std::string extracted = "emg" + std::to_string(number) + ".txt";
        entries.push_back(
            {"edit\\" + extracted, lockbytes(extracted.c_str(), {text.begin(), text.end()})});
    }
    return entries;
}

bool write_archive(const std::string& out_dir) {
    // The larger drawings come last: the 1x images and the grids keep their bytes and places.
    std::vector<ArchiveEntry> entries = image_entries(1);
    for (ArchiveEntry& grid : stored_grid_entries()) entries.push_back(std::move(grid));
    for (int density = 2; density <= platform::LARGEST_DENSITY; ++density)
        for (ArchiveEntry& image : image_entries(density)) entries.push_back(std::move(image));
    const std::vector<uint8_t> bytes = archive_bytes(entries);
    return platform::file_write((out_dir + "/_data.loc").c_str(), bytes.data(), bytes.size());
}
