// What the two systems' file code shares (platform/common/files_shared.cpp): the draw-phase count,
// the test disk's room and the archive's streams. Each system's file (files.cpp, files_windows.cpp)
// implements the rest of platform/files.h.
#pragma once
#include <cstddef>
#include <cstdio>
#include <functional>

namespace platform::detail {

// Every file call but the streams' starts here: it counts the call while a DrawPhase lives.
void touch();
// Counts a write, replacement or rename of a file on this thread (files_written).
void note_written();
// Writes all the bytes through write (which returns how many it wrote, or a negative number on an
// error), within the room the test disk has left; false (errno ENOSPC when the room ran out) when
// not all could be written.
bool write_all(const void* bytes, size_t size,
               const std::function<long(const char*, size_t)>& write);
// The file opened for reading as a C stream; null when it cannot be opened.
std::FILE* open_for_reading(const char* name);

} // namespace platform::detail
