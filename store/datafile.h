// The scrambled, checksummed form of the data files, read and written in memory.
//
// On disk a data file kept in the stored form is "encryption v2.0" followed by one little-endian
// word per byte of an inner layer; the inner layer is "version 2.0", a checksum byte and the plain
// content. The words depend on the exact path string the file was written under, so a file must
// always be read and written under the same string ("scores.txt", "edit\settings86.txt", ...).
// A file that does not begin with "encryption v2.0" is plain and passes through unchanged, unless
// most of that header's bytes stand in their places and the words after it unscramble to most of
// "version 2.0": that is a stored file whose header was damaged, and it fails its check.
//
// How a data-file owner uses this module (no owner touches the stored form itself):
//
//   Reading (players table, saved games, settings, themes, task list, stored grids):
//       std::string text;
//       if (!readdatafile("scores.txt", text)) { ...use the defaults...; return; }
//       ...parse text byte by byte...
//   readdatafile unscrambles in memory and writes nothing, so a full disk or a read-only folder
//   reads as well as any: a missing file or one that fails its check gives false (no data). A file
//   that exists but cannot be read (the system refuses it) gives false too, and is marked for the
//   run: no write replaces it until the game starts again, and the player is told once which
//   file and why. A missing file is the only "no data" a later write may replace.
//
//   Recovering what a file that fails its check still holds (the players table):
//       if (!readdatafile(path, text) && readdamaged(path, text)) {
//           ...keep the records of text that parse whole...; tell_recovered(path, count);
//       }
//
//   Writing a file kept in the stored form (players table, saved games, settings):
//       std::string text = ...the complete plain content, lines ended by "\r\n"...;
//       writedatafile("scores.txt", text, players_whole);
//   writedatafile locks the content under the path string (always with both layers, so content
//   that begins like a header comes back unchanged), replaces the file by write-then-rename
//   (a crash leaves the old file or the new one, and the folder is synced) and first keeps an
//   existing file the game cannot read whole as "NAME.damaged" ("NAME.damaged2", ... when that
//   exists), telling the player once a run (not again when tell_recovered told of it). The data
//   file is never seen half written; the plain work copy "writting.txt" that the players file and
//   the task files still leave is kept on purpose (docs/ARCHITECTURE.md, "Kept on purpose").
//
//   Each owner says what its file read whole is: a function of the plain content that is false
//   when bytes stand there that no record of the file can hold, or a record is cut short (a
//   stored file failing its check never is whole). Empty content is whole: nothing is lost.
//
//   A file written after every change of the game (the saved game, its notes) is handed to the
//   writer thread with writedatafile_in_background; the frame goes on at once.
//
//   Files kept plain (themes, task files) are written by their owners directly, after
//   keepunreadable(path, whole), and may still be read with readdatafile.
//
// unlockfile, lockfile and clearunlocked are the same transform as file-level operations, working
// through the fixed temporaries "dummy" and "ready" in the current directory (only one may be in
// progress at a time). The game's own reads and writes do not use them; clearunlocked at the
// program's end removes temporaries an older version may have left.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The headers of the stored form's two layers.
constexpr std::string_view OUTER_HEADER = "encryption v2.0";
constexpr std::string_view INNER_HEADER = "version 2.0";

// True when the bytes begin with the header.
bool beginswith(const std::vector<uint8_t>& bytes, std::string_view header);

// The fixed temporaries.
constexpr const char* DUMMY_FILE = "dummy";
constexpr const char* READY_FILE = "ready";

// The end-around sum: bytes added as 0..255, a total over 255 folded to (total & 255) + 1.
int endaroundsum(const uint8_t* bytes, size_t size);

// The stored form of content under the path string, exactly as lockfile writes it: content that
// already begins with "version 2.0" gets no second checksum layer, and an inner layer that begins
// with "encryption v2.0" is left as it is.
std::vector<uint8_t> lockbytes(const char* path, const std::vector<uint8_t>& content);
// The plain content of the bytes of a data file read under the path string. False when they are
// in the stored form and fail the checksum (or lack the checksum byte); plain bytes pass through.
bool unlockbytes(const char* path, const std::vector<uint8_t>& stored, std::vector<uint8_t>& plain);
// The content of bytes in the stored form (or with a damaged header, or with the checked layer
// alone) as far as they unscramble, whatever the headers and the checksum hold: a changed byte of
// the file changes at most one byte of the content, at the place it had. False for plain bytes.
bool recoverbytes(const char* path, const std::vector<uint8_t>& stored,
                  std::vector<uint8_t>& plain);

// Makes the plain copy "ready" of the data file named in the buffer and puts "ready" into the
// buffer (which must hold at least 6 characters). False, with the buffer unchanged, when the file
// cannot be read or fails its check; "dummy" may then be left until clearunlocked.
bool unlockfile(char* path);
// Turns the plain file at the path into its stored form in place (write-then-rename). Leaves
// "dummy" and "ready" for the caller's clearunlocked. A file that cannot be read is left alone.
void lockfile(const char* path);
// Removes "dummy" and "ready", even read-only ones; missing files are ignored.
void clearunlocked();

// The bytes of a data file as they lie on disk; false when it is missing or cannot be read (which
// marks it unreadable for the run and tells the player once). Every reader of a data file reads
// through here, the plain task files too.
bool readdatabytes(const char* path, std::vector<uint8_t>& bytes);
// The reader's recipe: the plain content of the data file, or false when it is missing, cannot be
// read or fails its check. Nothing is written.
bool readdatafile(const char* path, std::string& content);
// The content of a data file as recoverbytes gives it, for a file readdatafile found failing its
// check; false when the file is missing, cannot be read or is not in the stored form.
bool readdamaged(const char* path, std::string& content);
// Tells the player once a run that the file failed its check and how many of its records were
// recovered; the keeping of the file before its next write is then not told again.
void tell_recovered(const char* path, size_t records);
// Before a data file is replaced: when the game cannot read it whole as its own (it fails its
// check, or `whole`, when given, says its plain content is not whole), keeps it as "NAME.damaged"
// (numbered when one exists) and tells the player once a run for each file, in a message box naming
// the file and the copy. True when the file may be replaced: it is missing, read whole, or was
// kept; false when it cannot be read (this run) or the copy cannot be written (a full disk), and
// the file must stay.
bool keepunreadable(const char* path, bool (*whole)(const std::string& plain));
// The writer's recipe for files kept in the stored form; false when the file could not be written,
// or when an existing file that cannot be read whole could not first be kept (the old file then
// stays as it was).
bool writedatafile(const char* path, const std::string& content,
                   bool (*whole)(const std::string& plain) = nullptr);
// The writer's recipe with the writing left to the background writer (store/background_save.h):
// the old file is checked as writedatafile checks it, here on the calling thread, at the first
// background write of the file since datafile_reset or its last writedatafile; then the stored
// bytes are handed over. False, with nothing handed over, when the old file must stay. Any
// writedatafile waits for the pending background writes first.
bool writedatafile_in_background(const char* path, const std::string& content,
                                 bool (*whole)(const std::string& plain) = nullptr);
// Forgets which files were told of, found unreadable and checked this run.
void datafile_reset();
