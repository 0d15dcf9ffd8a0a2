// Files on a Windows disk. The game's names ("edit\NAME.txt") are bytes of the Windows-1252 code
// page, relative to the current directory; the paths of the system (the data folder, the
// program's folder, the temporary folder) are UTF-8. Every file is reached by its full "\\?\"
// path, so that any name the name box takes (a trailing dot or space, say) is a file of its own;
// the characters Windows keeps out of names, and the first letter of a device's name ("CON"),
// stand for themselves in the private use area (U+F000 plus the character), as other POSIX layers
// on Windows store them.
#include "platform/common/files_shared.h"
#include "platform/files.h"

#include <SDL.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <string>

namespace platform {

namespace {

using detail::touch;
HANDLE lock_file = INVALID_HANDLE_VALUE; // the current directory's lock this process holds

std::wstring widen(const char* text, UINT code_page) {
    const int size = MultiByteToWideChar(code_page, 0, text, -1, nullptr, 0);
    std::wstring wide(size > 0 ? size - 1 : 0, L'\0');
    if (size > 1) MultiByteToWideChar(code_page, 0, text, -1, wide.data(), size);
    return wide;
}

std::string utf8(const std::wstring& wide) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, nullptr, 0, nullptr, nullptr);
    std::string text(size > 0 ? size - 1 : 0, '\0');
    if (size > 1)
        WideCharToMultiByte(CP_UTF8, 0, wide.c_str(), -1, text.data(), size, nullptr, nullptr);
    return text;
}

bool absolute(const char* name) {
    return name[0] == '\\' || name[0] == '/' || (name[0] && name[1] == ':');
}

// A name Windows keeps for a device ("CON", "COM1", ...), whatever follows its first dot: its
// first letter is stored as U+F000 plus the letter, for Wine opens the device even by a "\\?\"
// path.
bool device_name(std::wstring stem) {
    for (wchar_t& c : stem) c = static_cast<wchar_t>(std::towupper(c));
    if (stem == L"CON" || stem == L"PRN" || stem == L"AUX" || stem == L"NUL") return true;
    return stem.size() == 4 && (stem.starts_with(L"COM") || stem.starts_with(L"LPT")) &&
           stem[3] >= L'1' && stem[3] <= L'9';
}

// The path the system opens for a game name or a path of the system.
std::wstring wide_path(const char* name) {
    if (absolute(name)) {
        std::wstring path = widen(name, CP_UTF8);
        for (wchar_t& c : path)
            if (c == L'/') c = L'\\';
        return path;
    }
    std::wstring path = widen(name, 1252);
    for (wchar_t& c : path)
        if (c < 32 || c == L'"' || c == L'*' || c == L'<' || c == L'>' || c == L'?' || c == L'|' ||
            c == L':')
            c = static_cast<wchar_t>(0xF000 + c);
    for (size_t start = 0; start < path.size();) {
        const size_t end = std::min(path.find(L'\\', start), path.size());
        if (device_name(path.substr(start, std::min(path.find(L'.', start), end) - start)))
            path[start] = static_cast<wchar_t>(0xF000 + path[start]);
        start = end + 1;
    }
    wchar_t folder[MAX_PATH * 4];
    const DWORD length = GetCurrentDirectoryW(MAX_PATH * 4, folder);
    if (length == 0 || length >= MAX_PATH * 4) return path;
    std::wstring full(folder, length);
    if (full.starts_with(L"\\\\") && !full.starts_with(L"\\\\?\\"))
        full = L"\\\\?\\UNC\\" + full.substr(2);
    else if (!full.starts_with(L"\\\\"))
        full = L"\\\\?\\" + full;
    if (full.back() != L'\\') full += L'\\';
    return full + path;
}

HANDLE open_file(const std::wstring& path, DWORD access, DWORD disposition) {
    return CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
}

bool write_all(HANDLE file, const void* bytes, size_t size) {
    return detail::write_all(bytes, size, [file](const char* p, size_t n) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(n, 1u << 30));
        return WriteFile(file, p, chunk, &written, nullptr) ? static_cast<long>(written) : -1L;
    });
}

bool set_attributes(const char* name, DWORD set, DWORD clear) {
    touch();
    const std::wstring path = wide_path(name);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           SetFileAttributesW(path.c_str(), (attributes & ~clear) | set);
}

// errno for a system error: the messages name the reason with strerror.
int error_number(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EACCES;
    case ERROR_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}

} // namespace

std::string disk_path(const char* name) {
    return utf8(wide_path(name));
}

bool file_exists(const char* name) {
    touch();
    return GetFileAttributesW(wide_path(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool file_set_normal(const char* name) {
    return set_attributes(name, 0, FILE_ATTRIBUTE_READONLY);
}

bool file_set_readonly(const char* name) {
    return set_attributes(name, FILE_ATTRIBUTE_READONLY, 0);
}

bool file_delete(const char* name) {
    touch();
    return DeleteFileW(wide_path(name).c_str());
}

bool file_rename(const char* from, const char* to) {
    detail::touch_for_writing();
    return MoveFileExW(wide_path(from).c_str(), wide_path(to).c_str(), MOVEFILE_REPLACE_EXISTING);
}

bool make_directory(const char* name) {
    touch();
    return CreateDirectoryW(wide_path(name).c_str(), nullptr) || file_exists(name);
}

bool change_directory(const char* path) {
    return SetCurrentDirectoryW(widen(path, CP_UTF8).c_str());
}

bool make_folders(const char* path) {
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(widen(path, CP_UTF8)), error);
    if (error) errno = error_number(static_cast<DWORD>(error.value()));
    return !error;
}

bool current_folder_writable() {
    const HANDLE probe = CreateFileW(L"gridhollow-write-test.tmp", GENERIC_WRITE, 0, nullptr,
                                     CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (probe == INVALID_HANDLE_VALUE) return false;
    CloseHandle(probe);
    return true;
}

// The lock is on one byte far past the file's end: Windows' locks keep others from the bytes they
// cover, and a second start must still read the id at the start.
bool lock_far_byte(HANDLE file) {
    OVERLAPPED far_byte = {};
    far_byte.OffsetHigh = 0x40000000;
    return LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0,
                      &far_byte);
}

bool lock_current_folder(long& holder, const char* name) {
    touch();
    if (lock_file != INVALID_HANDLE_VALUE) CloseHandle(lock_file);
    lock_file = INVALID_HANDLE_VALUE;
    // Not inherited: a browser the game starts does not keep the lock.
    const HANDLE file = open_file(wide_path(name), GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) return true;
    if (!lock_far_byte(file)) {
        const bool taken = GetLastError() == ERROR_LOCK_VIOLATION;
        char id[24] = {};
        DWORD read = 0;
        holder = taken && ReadFile(file, id, sizeof id - 1, &read, nullptr) && read > 0
                     ? std::atol(id)
                     : 0;
        CloseHandle(file);
        return !taken;
    }
    lock_file = file;
    const std::string id = std::to_string(GetCurrentProcessId()) + "\n";
    if (SetEndOfFile(file)) write_all(file, id.data(), id.size());
    return true;
}

// Another process's lock shows as a lock that cannot be taken; one taken here goes with the handle.
bool folder_lock_taken() {
    touch();
    const HANDLE file = open_file(wide_path("gridhollow.lock"), GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool taken = !lock_far_byte(file) && GetLastError() == ERROR_LOCK_VIOLATION;
    CloseHandle(file);
    return taken;
}

std::string default_data_folder() {
    char* folder = SDL_GetPrefPath("", "Gridhollow");
    const std::string path = folder ? folder : ".";
    SDL_free(folder);
    return path;
}

const char* default_data_folder_name() {
    return "%APPDATA%\\Gridhollow";
}

std::string executable_folder() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    if (length == 0 || length >= MAX_PATH * 4) return "";
    return utf8(std::filesystem::path(std::wstring(path, length)).parent_path().wstring());
}

// Why a read failed is told in the C library's words, as on Linux.
bool file_read(const char* name, std::vector<uint8_t>& bytes, size_t limit) {
    touch();
    bytes.clear();
    const std::wstring path = wide_path(name);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        detail::note_read_error(EISDIR);
        return false;
    }
    const HANDLE file = open_file(path, GENERIC_READ, OPEN_EXISTING);
    if (file == INVALID_HANDLE_VALUE) {
        detail::note_read_error(error_number(GetLastError()));
        return false;
    }
    LARGE_INTEGER size;
    int error = !GetFileSizeEx(file, &size)                    ? error_number(GetLastError())
                : static_cast<uint64_t>(size.QuadPart) > limit ? EFBIG
                                                               : 0;
    uint8_t chunk[65536];
    while (error == 0) {
        DWORD n = 0;
        if (!ReadFile(file, chunk, sizeof chunk, &n, nullptr)) {
            error = error_number(GetLastError());
            break;
        }
        if (n == 0) break;
        if (n > limit - bytes.size()) { // it grew past the limit
            error = EFBIG;
            break;
        }
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
    CloseHandle(file);
    return detail::read_ended(error, bytes);
}

bool file_write(const char* name, const void* bytes, size_t size) {
    detail::touch_for_writing();
    const HANDLE file = open_file(wide_path(name), GENERIC_WRITE, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool ok = write_all(file, bytes, size);
    return CloseHandle(file) && ok;
}

// Written beside, flushed to the disk, and moved over the file with the move itself written
// through: a crash leaves the old file or the new one.
bool file_replace(const char* name, const void* bytes, size_t size) {
    detail::touch_for_writing();
    const std::wstring path = wide_path(name);
    const std::wstring temp = path + L".new";
    const HANDLE file = open_file(temp, GENERIC_WRITE, CREATE_ALWAYS);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = write_all(file, bytes, size) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok &&
        MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(temp.c_str());
    return false;
}

std::string enter_temporary_folder(const char* prefix) {
    wchar_t base[MAX_PATH + 1];
    const DWORD length = GetTempPathW(MAX_PATH + 1, base);
    if (length == 0 || length > MAX_PATH) return "";
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring name = std::wstring(base, length) + widen(prefix, CP_UTF8) + L"-" +
                                  std::to_wstring(GetTickCount() ^ (GetCurrentProcessId() << 16)) +
                                  std::to_wstring(attempt);
        if (CreateDirectoryW(name.c_str(), nullptr))
            return SetCurrentDirectoryW(name.c_str()) ? utf8(name) : "";
        if (GetLastError() != ERROR_ALREADY_EXISTS) return "";
    }
    return "";
}

namespace detail {

std::FILE* open_for_reading(const char* name) {
    return _wfopen(wide_path(name).c_str(), L"rb");
}

} // namespace detail

} // namespace platform
