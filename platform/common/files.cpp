// Files on a POSIX disk: Windows-style names mapped to paths, and replacement by rename.
#include "platform/files.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// Files are also replaced on the saves' writer thread: what two threads share is atomic, and a
// draw counts only the file calls of its own thread.
std::atomic<long long> disk_space =
    -1;                            // bytes a full disk still takes in tests; negative: no limit
thread_local int drawing = 0;      // DrawPhases alive on this thread
thread_local int read_error = 0;   // errno of the last file_read that failed on this thread
thread_local uint32_t written = 0; // files_written
std::atomic<long> touched_while_drawing = 0;
std::string asset_folder; // where the read-only files are; empty: the current directory
int lock_file = -1;       // the current directory's lock this process holds, open while it does

// Every file call but the streams' starts here.
void touch() {
    if (drawing > 0) ++touched_while_drawing;
}

// Takes room for up to size bytes from the test disk: the bytes that may be written.
size_t take_room(size_t size) {
    long long room = disk_space;
    while (room >= 0) {
        const long long fits = std::min<long long>(static_cast<long long>(size), room);
        if (disk_space.compare_exchange_weak(room, room - fits)) return static_cast<size_t>(fits);
    }
    return size;
}

bool write_all(int fd, const void* bytes, size_t size) {
    const char* p = static_cast<const char*>(bytes);
    while (size > 0) {
        const size_t fits = take_room(size);
        if (fits == 0) {
            errno = ENOSPC;
            return false;
        }
        ssize_t n = ::write(fd, p, fits);
        const size_t written = n > 0 ? static_cast<size_t>(n) : 0;
        if (written < fits && disk_space >= 0) disk_space += static_cast<long long>(fits - written);
        if (n < 0) return false;
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

// Makes a rename in the folder of path durable: a power cut after it keeps the new name.
void sync_folder(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

DrawPhase::DrawPhase() {
    ++drawing;
}

DrawPhase::~DrawPhase() {
    --drawing;
}

long files_touched_while_drawing() {
    return touched_while_drawing;
}

void set_disk_space(long long bytes) {
    disk_space = bytes;
}

std::string disk_path(const char* name) {
    std::string path(name);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

bool file_exists(const char* name) {
    touch();
    struct stat st;
    return ::stat(disk_path(name).c_str(), &st) == 0;
}

bool file_set_normal(const char* name) {
    touch();
    struct stat st;
    std::string path = disk_path(name);
    return ::stat(path.c_str(), &st) == 0 &&
           ::chmod(path.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0;
}

bool file_set_readonly(const char* name) {
    touch();
    struct stat st;
    std::string path = disk_path(name);
    return ::stat(path.c_str(), &st) == 0 &&
           ::chmod(path.c_str(), st.st_mode & 07777 & ~(S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

bool file_delete(const char* name) {
    touch();
    return ::unlink(disk_path(name).c_str()) == 0;
}

bool file_copy(const char* from, const char* to) {
    touch();
    std::vector<uint8_t> bytes;
    return file_read(from, bytes) && file_replace(to, bytes.data(), bytes.size());
}

bool file_rename(const char* from, const char* to) {
    touch();
    ++written;
    return ::rename(disk_path(from).c_str(), disk_path(to).c_str()) == 0;
}

uint32_t files_written() {
    return written;
}

bool make_directory(const char* name) {
    touch();
    return ::mkdir(disk_path(name).c_str(), 0777) == 0 || file_exists(name);
}

bool change_directory(const char* path) {
    return ::chdir(path) == 0;
}

bool make_folders(const char* path) {
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) errno = error.value();
    return !error;
}

bool current_folder_writable() {
    return ::access(".", W_OK) == 0;
}

bool lock_current_folder(long& holder, const char* name) {
    touch();
    if (lock_file >= 0) ::close(lock_file);
    lock_file = -1;
    const int fd = ::open(name, O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) return true;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const bool taken = errno == EWOULDBLOCK;
        char id[24] = {};
        holder = taken && ::pread(fd, id, sizeof id - 1, 0) > 0 ? std::atol(id) : 0;
        ::close(fd);
        return !taken;
    }
    lock_file = fd;
    const std::string id = std::to_string(::getpid()) + "\n";
    // A second start reads it to find this one's window; without it, that start says so in a box.
    if (::ftruncate(fd, 0) == 0) write_all(fd, id.data(), id.size());
    return true;
}

bool folder_lock_taken() {
    touch();
    struct stat file {};
    if (::stat("gridhollow.lock", &file) != 0) return false;
    // The system's list of locks names each locked file by its device and inode:
    // "1: FLOCK  ADVISORY  WRITE 31155 08:01:1837 0 EOF".
    std::ifstream locks("/proc/locks");
    const std::string inode = ":" + std::to_string(file.st_ino) + " ";
    for (std::string line; std::getline(locks, line);)
        if (line.find(" FLOCK ") != std::string::npos && line.find(inode) != std::string::npos)
            return true;
    return false;
}

void set_asset_folder(const std::string& folder) {
    asset_folder = folder;
}

std::string asset_path(const char* name) {
    return asset_folder.empty() ? name : asset_folder + "/" + name;
}

std::string executable_folder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? "" : program.parent_path().string();
}

bool file_read(const char* name, std::vector<uint8_t>& bytes, size_t limit) {
    touch();
    bytes.clear();
    int fd = ::open(disk_path(name).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        read_error = errno;
        return false;
    }
    struct stat st;
    int error = ::fstat(fd, &st) != 0                        ? errno
                : S_ISDIR(st.st_mode)                        ? EISDIR
                : !S_ISREG(st.st_mode)                       ? EINVAL
                : static_cast<uintmax_t>(st.st_size) > limit ? EFBIG
                                                             : 0;
    uint8_t chunk[65536];
    while (error == 0) {
        ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n <= 0) {
            error = n == 0 ? 0 : errno;
            break;
        }
        if (static_cast<size_t>(n) > limit - bytes.size()) { // it grew past the limit
            error = EFBIG;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    ::close(fd);
    if (error == 0) return true;
    read_error = error;
    bytes.clear();
    return false;
}

std::string file_error() {
    return std::strerror(read_error);
}

bool file_write(const char* name, const void* bytes, size_t size) {
    touch();
    ++written;
    int fd = ::open(disk_path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = write_all(fd, bytes, size);
    return ::close(fd) == 0 && ok;
}

bool file_replace(const char* name, const void* bytes, size_t size) {
    touch();
    ++written;
    std::string path = disk_path(name);
    std::string temp = path + ".new";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = write_all(fd, bytes, size) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok && ::rename(temp.c_str(), path.c_str()) == 0) {
        sync_folder(path);
        return true;
    }
    ::unlink(temp.c_str());
    return false;
}

std::string enter_temporary_folder(const char* prefix) {
    const char* base = std::getenv("TMPDIR");
    std::string name = std::string(base && *base ? base : "/tmp") + "/" + prefix + "-XXXXXX";
    if (::mkdtemp(name.data()) == nullptr || !change_directory(name.c_str())) return "";
    return name;
}

struct ReadStream {
    std::FILE* file;
};

ReadStream* stream_open(const char* name) {
    std::FILE* file = std::fopen(disk_path(name).c_str(), "rb");
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
