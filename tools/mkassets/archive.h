// The resource archive's pieces: entries, the archive's bytes, the images and the stored grids.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct ArchiveEntry {
    std::string name; // lower case, backslash separators: "img\dialogs.tga"
    std::vector<uint8_t> data;
};

// The archive holding the entries in order, each as name;size;data.
std::vector<uint8_t> archive_bytes(const std::vector<ArchiveEntry>& entries);

// The images the game draws, "img\chrset1.tga" and the screens' images, as 32-bit TGA files: at
// density 1 uncompressed, at 2 and 3 ("img\2x\chrset1.tga", ...) run-length coded.
std::vector<ArchiveEntry> image_entries(int density);

// The ninety stored complete grids "edit\emg0.txt" ... "edit\emg89.txt", made from a fixed seed and
// each locked under the name the game extracts it to ("emg%d.txt").
std::vector<ArchiveEntry> stored_grid_entries();
