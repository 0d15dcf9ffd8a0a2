// What the two systems' file code shares (platform/common/files_shared.cpp): the draw-phase count,
// the test disk's room and the archive's streams. Each system's file (files.cpp, files_windows.cpp)
// implements the rest of platform/files.h.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

namespace platform::detail {

// Every file call but the streams' starts here: it counts the call while a DrawPhase lives.
void touch();
// Keeps the errno of a file_read that failed on this thread, for file_error.
void note_read_error(int error);
// Ends a read: true when error is 0; else keeps it for file_error and empties the bytes.
bool read_ended(int error, std::vector<uint8_t>& bytes);
// Every call that writes, replaces or renames a file starts here: it touches (above) and counts
// the change for files_written.
void touch_for_writing();
// Writes all the bytes through write (which returns how many it wrote, or a negative number on an
// error), within the room the test disk has left; false (errno ENOSPC when the room ran out) when
// not all could be written.
bool write_all(const void* bytes, size_t size,
               const std::function<long(const char*, size_t)>& write);
// The file opened for reading as a C stream; null when it cannot be opened.
std::FILE* open_for_reading(const char* name);

} // namespace platform::detail
