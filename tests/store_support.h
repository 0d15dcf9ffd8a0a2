// Test support for the store: whole files as strings, and archive entries written by hand.
#pragma once
#include <string>
#include <vector>

#include "platform/files.h"

inline void writefile(const char* name, const std::string& bytes) {
    platform::file_write(name, bytes.data(), bytes.size());
}

// The whole file, or "<missing>" when it cannot be read.
inline std::string readfile(const char* name) {
    std::vector<uint8_t> bytes;
    if (!platform::file_read(name, bytes)) return "<missing>";
    return {bytes.begin(), bytes.end()};
}

// One archive entry: name;size;data.
inline std::string entry(const std::string& name, const std::string& data) {
    return name + ";" + std::to_string(data.size()) + ";" + data;
}
