// Files of the current directory, named the Windows way ("edit\settings86.txt").
// Only this facility turns the backslashes into slashes on the disk.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

// The path on disk for a game file name.
std::string disk_path(const char* name);

bool file_exists(const char* name);
// Makes the file writable again (the attributes set to normal).
bool file_set_normal(const char* name);
bool file_set_readonly(const char* name);
bool file_delete(const char* name);
// Copies with overwrite; the target is replaced by rename, so it is never left half written.
bool file_copy(const char* from, const char* to);
// Renames the file over the target in one step, which needs no room on the disk.
bool file_rename(const char* from, const char* to);
bool make_directory(const char* name);

// The whole file; false (and bytes empty) when it cannot be read or holds more than limit bytes
// (such a file is not read at all).
bool file_read(const char* name, std::vector<uint8_t>& bytes, size_t limit = SIZE_MAX);
// The system's text for why the last file_read on this thread failed ("Permission denied", "Is a
// directory", ...).
std::string file_error();
// Creates or truncates the file and writes the bytes.
bool file_write(const char* name, const void* bytes, size_t size);
// Writes the bytes beside the file, flushes them to the disk and renames them over the file, so
// a crash leaves either the old file or the new one.
bool file_replace(const char* name, const void* bytes, size_t size);

// The files this thread has written, replaced or renamed since the program started (each try
// counts): a screen that found a file missing looks again at once when it moved.
uint32_t files_written();

// Drawing touches no file. While a DrawPhase lives (a screen's draw declares one), every call of
// the calls above (a look, a read or a change) made on its thread is counted (the saves' writer
// thread works meanwhile uncounted); the tests require none. The archive's streams below are not
// counted: the image caches load from it while drawing (docs/ARCHITECTURE.md, "Screens").
struct DrawPhase {
    DrawPhase();
    ~DrawPhase();
    DrawPhase(const DrawPhase&) = delete;
    DrawPhase& operator=(const DrawPhase&) = delete;
};
// The calls counted since the program started.
long files_touched_while_drawing();

// For tests: the disk takes only this many more bytes of file data, after which every write fails
// as on a full disk (the bytes that fit are written first); a negative value means no limit, the
// starting state.
void set_disk_space(long long bytes);

// Makes the folder the current directory, where every game file name starts; false when it cannot.
bool change_directory(const char* path);
// Makes the folder (a path of the system) and every missing folder above it; false, with errno
// telling why, when it cannot.
bool make_folders(const char* path);
// Whether new files can be made in the current directory.
bool current_folder_writable();
// The current directory's lock, which one process at a time holds: an advisory lock on the file
// "gridhollow.lock" there, released by the system when the process ends, and holding the id of
// the process that has it. True when this process holds it now (or the folder's file system keeps
// no locks, or has no room for the file: the program then runs without); false when another
// process holds it, holder then being its id (0 while it has not written it yet). A process holds
// one such lock: taking one lets go of the one held before. The reminder process takes its own
// lock, `name` "reminders.lock", and leaves the game's alone.
bool lock_current_folder(long& holder, const char* name = "gridhollow.lock");
// Whether a process holds the lock on "gridhollow.lock" of the current directory: a game runs on
// the folder. Looked at without taking the lock, so a game starting meanwhile is never refused.
bool folder_lock_taken();

// The game's read-only files (the archive, the alarm sound, the about page) stay where the game is
// installed or built; only the player's files live in the current directory. The path of such a
// file in the folder set last, or in the current directory until one is set ("" again).
void set_asset_folder(const std::string& folder);
std::string asset_path(const char* name);
// The data folder used when the command line names none: on Linux the current directory (the
// gridhollow launcher enters $XDG_DATA_HOME/gridhollow first); on Windows %APPDATA%\Gridhollow,
// SDL's folder for the program's preferences, made when missing ("." when it cannot be).
std::string default_data_folder();
// The same as the help names it.
const char* default_data_folder_name();
// The folder the running program's executable is in; empty when the system does not tell.
std::string executable_folder();
// Makes a new empty folder "PREFIX-XXXXXX" in $TMPDIR (or /tmp) and makes it the current
// directory; returns its path, or an empty text when it cannot. For tests, tools and benchmarks
// (the fuzz runs keep their folders in memory this way).
std::string enter_temporary_folder(const char* prefix);

// A file read a byte or a block at a time from positions of the reader's choosing.
struct ReadStream;
// Opens the file for reading; null when it cannot be opened.
ReadStream* stream_open(const char* name);
void stream_close(ReadStream* stream);
// The next byte (0 to 255), or -1 at the end of the file.
int stream_getc(ReadStream* stream);
// Reads up to size bytes; returns how many were read.
size_t stream_read(ReadStream* stream, void* bytes, size_t size);
long stream_size(ReadStream* stream);
long stream_tell(ReadStream* stream);
// Moves to the absolute position; false when it cannot.
bool stream_seek(ReadStream* stream, long position);

} // namespace platform
