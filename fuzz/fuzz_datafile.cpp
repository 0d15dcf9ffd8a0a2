// Fuzz target: any bytes as a data file, unlocked in memory and through the reader's recipe; and
// any content locked and unlocked again must come back unchanged.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "store/datafile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!fuzz_folder("gridhollow-fuzz-datafile")) return 0;
    const std::vector<uint8_t> bytes(data, data + size);

    std::vector<uint8_t> plain;
    const bool unlocked = unlockbytes("scores.txt", bytes, plain);
    platform::file_write("scores.txt", data, size);
    std::string read;
    if (readdatafile("scores.txt", read) != unlocked) abort();
    if (unlocked && std::string(plain.begin(), plain.end()) != read) abort();
    if (platform::file_exists("dummy") || platform::file_exists("ready")) abort();

    if (!beginswith(bytes, INNER_HEADER) && !beginswith(bytes, OUTER_HEADER)) {
        std::vector<uint8_t> back;
        if (!unlockbytes("edit\\settings7.txt", lockbytes("edit\\settings7.txt", bytes), back) ||
            back != bytes)
            abort();
    }
    return 0;
}
