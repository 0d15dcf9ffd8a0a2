// The file facility's part that every system shares: the draw-phase count, the test disk, the
// asset folder and the archive's streams.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "platform/common/files_shared.h"
#include "platform/files.h"

namespace platform {

namespace {

// Files are also replaced on the saves' writer thread: what two threads share is atomic, and a
// draw counts only the file calls of its own thread.
std::atomic<long long> disk_space =
    -1;                       // bytes a full disk still takes in tests; negative: no limit
thread_local int drawing = 0; // DrawPhases alive on this thread
std::atomic<long> touched_while_drawing = 0;
thread_local uint32_t files_changed = 0; // files_written
thread_local int read_error = 0;         // errno of the last file_read that failed on this thread
std::string asset_folder; // where the read-only files are; empty: the current directory

// Takes room for up to size bytes from the test disk: the bytes that may be written.
size_t take_room(size_t size) {
    long long room = disk_space;
    while (room >= 0) {
        const long long fits = std::min<long long>(static_cast<long long>(size), room);
        if (disk_space.compare_exchange_weak(room, room - fits)) return static_cast<size_t>(fits);
    }
    return size;
}

} // namespace

namespace detail {

void touch() {
    if (drawing > 0) ++touched_while_drawing;
}

void note_read_error(int error) {
    read_error = error;
}

bool read_ended(int error, std::vector<uint8_t>& bytes) {
    if (error == 0) return true;
    read_error = error;
    bytes.clear();
    return false;
}

void touch_for_writing() {
    touch();
    ++files_changed;
}

bool write_all(const void* bytes, size_t size,
               const std::function<long(const char*, size_t)>& write) {
    const char* p = static_cast<const char*>(bytes);
    while (size > 0) {
        const size_t fits = take_room(size);
        if (fits == 0) {
            errno = ENOSPC;
            return false;
        }
        const long n = write(p, fits);
        const size_t written = n > 0 ? static_cast<size_t>(n) : 0;
        if (written < fits && disk_space >= 0) disk_space += static_cast<long long>(fits - written);
        if (n < 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

} // namespace detail

DrawPhase::DrawPhase() {
    ++drawing;
}

DrawPhase::~DrawPhase() {
    --drawing;
}

std::string file_error() {
    return std::strerror(read_error);
}

uint32_t files_written() {
    return files_changed;
}

long files_touched_while_drawing() {
    return touched_while_drawing;
}

void set_disk_space(long long bytes) {
    disk_space = bytes;
}

bool file_copy(const char* from, const char* to) {
    detail::touch();
    std::vector<uint8_t> bytes;
    return file_read(from, bytes) && file_replace(to, bytes.data(), bytes.size());
}

void set_asset_folder(const std::string& folder) {
    asset_folder = folder;
}

std::string asset_path(const char* name) {
    return asset_folder.empty() ? name : asset_folder + "/" + name;
}

struct ReadStream {
    std::FILE* file;
};

ReadStream* stream_open(const char* name) {
    std::FILE* file = detail::open_for_reading(name);
    return file ? new ReadStream{file} : nullptr;
}

void stream_close(ReadStream* stream) {
    if (!stream) return;
    std::fclose(stream->file);
    delete stream;
}

int stream_getc(ReadStream* stream) {
    return std::fgetc(stream->file);
}

size_t stream_read(ReadStream* stream, void* bytes, size_t size) {
    return std::fread(bytes, 1, size, stream->file);
}

long stream_size(ReadStream* stream) {
    struct stat st;
    return ::fstat(::fileno(stream->file), &st) == 0 ? static_cast<long>(st.st_size) : -1;
}

long stream_tell(ReadStream* stream) {
    return std::ftell(stream->file);
}

bool stream_seek(ReadStream* stream, long position) {
    return std::fseek(stream->file, position, SEEK_SET) == 0;
}

} // namespace platform
