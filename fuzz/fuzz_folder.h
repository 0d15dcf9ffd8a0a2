// The folder a fuzz target works in: made in $TMPDIR for the target's first input and emptied
// before each of the others, so that no input meets the files, the kept copies of damaged files or
// the temporaries an earlier input left (a thousand kept copies of one file stop its replacement).
#pragma once
#include <filesystem>
#include <initializer_list>
#include <string>
#include <system_error>
#include <vector>

#include "platform/files.h"

// Makes the folder the current directory with nothing in it but the named subfolders; false when
// it cannot. Every input of a target calls it first, with the same prefix.
inline bool fuzz_folder(const char* prefix, std::initializer_list<const char*> subfolders = {}) {
    static const std::string path = platform::enter_temporary_folder(prefix);
    if (path.empty()) return false;
    std::error_code error;
    std::vector<std::filesystem::path> left;
    for (const auto& entry : std::filesystem::directory_iterator(path, error))
        left.push_back(entry.path());
    for (const auto& entry : left) std::filesystem::remove_all(entry, error);
    if (!std::filesystem::is_empty(path, error)) return false;
    for (const char* folder : subfolders)
        if (!platform::make_directory(folder)) return false;
    return true;
}
