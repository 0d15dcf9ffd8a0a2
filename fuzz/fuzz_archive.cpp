// Fuzz target: any bytes as the archive "_data.loc", scanned for entries, extracted into memory and
// into a file, and read as a stored grid; nothing may read or write out of bounds.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string.h>

#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "store/archive.h"
#include "sudoku/board.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz_folder("gridhollow-fuzz-archive")) return 0;
    platform::file_write("_data.loc", data, size);

    // Look up the archive's first entry by its own name, so matches happen as well as misses.
    char first[ARCHIVE_NAME_LIMIT + 1] = "";
    long size_read = 0;
    if (platform::ReadStream* file = platform::stream_open("_data.loc")) {
        readheader(file, first, size_read);
        platform::stream_close(file);
    }
    long length = 0;
    const uint8_t* block = texture_archive.unlockmemory("_data.loc", first, length);
    if ((block == nullptr) != (length == 0) || length < 0 || static_cast<size_t>(length) > size)
        abort();
    if (block != nullptr && memmem(data, size, block, static_cast<size_t>(length)) == nullptr)
        abort();

    grid_archive.unlocksingle("_data.loc", first, "out.txt");
    int32_t grid[81];
    if (loadstoredgrid(grid, 0) > 81) abort();
    return 0;
}
