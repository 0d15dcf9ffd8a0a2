// Support for the screen tests: files on disk by their game names.
#include "screen_support.h"

#include <filesystem>

bool on_disk(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return std::filesystem::exists(path);
}
