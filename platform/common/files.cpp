// Files on a POSIX disk: Windows-style names mapped to paths, and replacement by rename.
#include "platform/files.h"
#include "platform/common/files_shared.h"

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

using detail::touch;
int lock_file = -1; // the current directory's lock this process holds, open while it does

bool write_all(int fd, const void* bytes, size_t size) {
    return detail::write_all(bytes, size, [fd](const char* p, size_t n) {
        return static_cast<long>(::write(fd, p, n));
    });
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

bool file_rename(const char* from, const char* to) {
    detail::touch_for_writing();
    return ::rename(disk_path(from).c_str(), disk_path(to).c_str()) == 0;
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

std::string default_data_folder() {
    return ".";
}

const char* default_data_folder_name() {
    return "$XDG_DATA_HOME/gridhollow, that is ~/.local/share/gridhollow";
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
        detail::note_read_error(errno);
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
    return detail::read_ended(error, bytes);
}

bool file_write(const char* name, const void* bytes, size_t size) {
    detail::touch_for_writing();
    int fd = ::open(disk_path(name).c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0) return false;
    bool ok = write_all(fd, bytes, size);
    return ::close(fd) == 0 && ok;
}

bool file_replace(const char* name, const void* bytes, size_t size) {
    detail::touch_for_writing();
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

namespace detail {

std::FILE* open_for_reading(const char* name) {
    return std::fopen(disk_path(name).c_str(), "rb");
}

} // namespace detail

} // namespace platform
