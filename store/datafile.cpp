// The scrambled data files: the two layers of the stored form, the temporaries and the recipes.
#include "store/datafile.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <string_view>

#include "platform/files.h"
#include "platform/window.h"
#include "store/background_save.h"

namespace {

constexpr size_t CHECKSUM_AT = INNER_HEADER.size();
constexpr size_t CONTENT_AT = CHECKSUM_AT + 1;

// The key words and the length mask of the outer layer; fixed for every file and both directions.
constexpr uint16_t KEYS[6] = {11213, 24677, 3079, 19441, 30011, 7547};
constexpr uint32_t LENGTH_MASK = 0x2D7;

// The word added to byte n (from 1) of an inner layer of the given length under the path's sum.
uint32_t key_term(size_t n, int name_sum, size_t inner_length) {
    return KEYS[(n - 1) % 6] + (static_cast<uint32_t>(n) & static_cast<uint32_t>(name_sum)) +
           (static_cast<uint32_t>(inner_length) & LENGTH_MASK);
}

int path_sum(const char* path) {
    return endaroundsum(reinterpret_cast<const uint8_t*>(path), std::strlen(path));
}

// The checked layer: the header and the content's checksum in front of the content.
std::vector<uint8_t> checked_layer(const std::vector<uint8_t>& content) {
    std::vector<uint8_t> inner(INNER_HEADER.begin(), INNER_HEADER.end());
    inner.push_back(static_cast<uint8_t>(endaroundsum(content.data(), content.size())));
    inner.insert(inner.end(), content.begin(), content.end());
    return inner;
}

// The outer header and one scrambled word for each byte of the inner layer.
std::vector<uint8_t> scrambled(const char* path, const std::vector<uint8_t>& inner) {
    std::vector<uint8_t> stored(OUTER_HEADER.begin(), OUTER_HEADER.end());
    stored.reserve(OUTER_HEADER.size() + 2 * inner.size());
    const int sum = path_sum(path);
    for (size_t i = 0; i < inner.size(); ++i) {
        uint32_t word = inner[i] + key_term(i + 1, sum, inner.size());
        stored.push_back(static_cast<uint8_t>(word));
        stored.push_back(static_cast<uint8_t>(word >> 8));
    }
    return stored;
}

// The layers as lockfile adds them: none in front of a file that already begins with one of the
// headers.
std::vector<uint8_t> add_inner(const std::vector<uint8_t>& content) {
    if (beginswith(content, INNER_HEADER) || beginswith(content, OUTER_HEADER)) return content;
    return checked_layer(content);
}

std::vector<uint8_t> add_outer(const char* path, const std::vector<uint8_t>& inner) {
    return beginswith(inner, OUTER_HEADER) ? inner : scrambled(path, inner);
}

// The inner layer under the scrambled words that follow the outer header's place, whatever that
// place holds. The inner length is recovered from the body's length, an odd last byte counting as
// a word of its own.
std::vector<uint8_t> unscramble(const char* path, const std::vector<uint8_t>& stored) {
    const size_t body = stored.size() - std::min(stored.size(), OUTER_HEADER.size());
    const size_t inner_length = body / 2;
    const int sum = path_sum(path);
    std::vector<uint8_t> inner;
    inner.reserve((body + 1) / 2);
    for (size_t at = OUTER_HEADER.size(), n = 1; at < stored.size(); at += 2, ++n) {
        uint32_t word = stored[at];
        if (at + 1 < stored.size()) word |= static_cast<uint32_t>(stored[at + 1]) << 8;
        inner.push_back(static_cast<uint8_t>(word - key_term(n, sum, inner_length)));
    }
    return inner;
}

// The inner layer of a stored file; anything not in the stored form is its own inner layer.
std::vector<uint8_t> strip_outer(const char* path, const std::vector<uint8_t>& stored) {
    return beginswith(stored, OUTER_HEADER) ? unscramble(path, stored) : stored;
}

// The content of a checked layer, or false when its checksum byte is missing or wrong; a layer
// without the header is plain content.
bool strip_inner(const std::vector<uint8_t>& inner, std::vector<uint8_t>& plain) {
    if (!beginswith(inner, INNER_HEADER)) {
        plain = inner;
        return true;
    }
    if (inner.size() < CONTENT_AT) return false;
    if (endaroundsum(inner.data() + CONTENT_AT, inner.size() - CONTENT_AT) != inner[CHECKSUM_AT])
        return false;
    plain.assign(inner.begin() + CONTENT_AT, inner.end());
    return true;
}

// The writer always puts the checked layer under the scrambled one: a scrambled file whose inner
// layer lacks its header was changed (one byte of its header is enough) and fails its check.
bool scrambled_without_header(const std::vector<uint8_t>& stored,
                              const std::vector<uint8_t>& inner) {
    return beginswith(stored, OUTER_HEADER) && !beginswith(inner, INNER_HEADER);
}

// Whether more than half of the header's bytes stand in their places at the start of the bytes.
bool nearly_begins(const std::vector<uint8_t>& bytes, std::string_view header) {
    if (bytes.size() < header.size()) return false;
    size_t same = 0;
    for (size_t i = 0; i < header.size(); ++i) same += bytes[i] == static_cast<uint8_t>(header[i]);
    return 2 * same > header.size();
}

// A stored file whose outer header was damaged: most of that header is there, and the words after
// it unscramble to most of the checked layer's header. No plain text the game reads begins so.
bool damaged_header(const char* path, const std::vector<uint8_t>& stored) {
    return !beginswith(stored, OUTER_HEADER) && nearly_begins(stored, OUTER_HEADER) &&
           nearly_begins(unscramble(path, stored), INNER_HEADER);
}

// Writes a temporary afresh, whatever its attributes were.
void rewrite(const char* name, const std::vector<uint8_t>& bytes) {
    platform::file_set_normal(name);
    platform::file_delete(name);
    platform::file_write(name, bytes.data(), bytes.size());
}

// The files the player was told about this run (kept, recovered or unreadable): once for each.
std::set<std::string> told_files;
// The files that exist but could not be read this run: none of them is replaced until the next run.
std::set<std::string> unreadable_files;
// The files whose old content was checked before their first background write; a synchronous write
// ends the check's term (the next background write checks again).
std::set<std::string> checked_files;

// The stored form as the writer puts it on disk: both layers always, so content that itself begins
// like a header (a player named "version 2.0" at the top of the players file) reads back as it was
// written.
std::vector<uint8_t> stored_form(const char* path, const std::string& content) {
    return scrambled(path, checked_layer({content.begin(), content.end()}));
}

// Copies the bytes as "NAME.damaged" ("NAME.damaged2", ... when that exists); the name of the copy,
// or "" when it could not be written whole.
std::string keep_copy(const char* path, const std::vector<uint8_t>& bytes) {
    const std::string base = std::string(path) + ".damaged";
    std::string keep = base;
    for (int number = 2; platform::file_exists(keep.c_str()); ++number) {
        if (number == 1000) return "";
        keep = base + std::to_string(number);
    }
    if (platform::file_write(keep.c_str(), bytes.data(), bytes.size())) return keep;
    platform::file_delete(keep.c_str()); // a part of the old file is no keep
    return "";
}

void tell_once(const char* path, const std::string& text) {
    if (told_files.insert(path).second)
        platform::message_box(text.c_str(), "Gridhollow", platform::MB_OK);
}

void tell_kept(const char* path, const std::string& keep) {
    tell_once(path, std::string("\"") + path + "\" could not be read whole. It was kept as \"" +
                        keep + "\"; the game goes on with what it could read.");
}

// The bytes of an existing data file; false when it cannot be read, which marks it unreadable for
// the run and tells the player why.
bool read_existing(const char* path, std::vector<uint8_t>& bytes) {
    if (!unreadable_files.contains(path) && platform::file_read(path, bytes)) return true;
    if (unreadable_files.insert(path).second)
        tell_once(path, std::string("\"") + path +
                            "\" could not be read: " + platform::file_error() +
                            ". It is left as it is, and the game saves no change to it until it "
                            "is started again.");
    return false;
}

} // namespace

void datafile_reset() {
    told_files.clear();
    unreadable_files.clear();
    checked_files.clear();
}

bool readdatabytes(const char* path, std::vector<uint8_t>& bytes) {
    bytes.clear();
    return platform::file_exists(path) && read_existing(path, bytes);
}

bool keepunreadable(const char* path, bool (*whole)(const std::string& plain)) {
    if (!platform::file_exists(path)) return true;
    std::vector<uint8_t> old, plain;
    if (!read_existing(path, old)) return false;
    if (unlockbytes(path, old, plain) && (!whole || whole({plain.begin(), plain.end()})))
        return true;
    const std::string keep = keep_copy(path, old);
    if (keep.empty()) return false;
    tell_kept(path, keep);
    return true;
}

bool beginswith(const std::vector<uint8_t>& bytes, std::string_view header) {
    return bytes.size() >= header.size() &&
           std::memcmp(bytes.data(), header.data(), header.size()) == 0;
}

int endaroundsum(const uint8_t* bytes, size_t size) {
    int total = 0;
    for (size_t i = 0; i < size; ++i) {
        total += bytes[i];
        if (total > 255) total = (total & 255) + 1;
    }
    return total;
}

std::vector<uint8_t> lockbytes(const char* path, const std::vector<uint8_t>& content) {
    return add_outer(path, add_inner(content));
}

bool unlockbytes(const char* path, const std::vector<uint8_t>& stored,
                 std::vector<uint8_t>& plain) {
    const std::vector<uint8_t> inner = strip_outer(path, stored);
    return !damaged_header(path, stored) && !scrambled_without_header(stored, inner) &&
           strip_inner(inner, plain);
}

bool recoverbytes(const char* path, const std::vector<uint8_t>& stored,
                  std::vector<uint8_t>& plain) {
    plain.clear();
    const bool scrambled = beginswith(stored, OUTER_HEADER) || damaged_header(path, stored);
    if (!scrambled && !beginswith(stored, INNER_HEADER)) return false;
    const std::vector<uint8_t> inner = scrambled ? unscramble(path, stored) : stored;
    if (inner.size() >= CONTENT_AT) plain.assign(inner.begin() + CONTENT_AT, inner.end());
    return true;
}

bool unlockfile(char* path) {
    std::vector<uint8_t> stored, plain;
    if (!platform::file_read(path, stored)) return false;
    const std::vector<uint8_t> inner = strip_outer(path, stored);
    rewrite(DUMMY_FILE, inner);
    if (damaged_header(path, stored) || scrambled_without_header(stored, inner) ||
        !strip_inner(inner, plain))
        return false;
    rewrite(READY_FILE, plain);
    std::strcpy(path, READY_FILE);
    return true;
}

void lockfile(const char* path) {
    std::vector<uint8_t> content;
    if (!platform::file_read(path, content)) return;
    const std::vector<uint8_t> inner = add_inner(content);
    rewrite(DUMMY_FILE, inner);
    const std::vector<uint8_t> stored = add_outer(path, inner);
    rewrite(READY_FILE, stored);
    platform::file_set_normal(path);
    platform::file_replace(path, stored.data(), stored.size());
    platform::file_set_normal(path);
}

void clearunlocked() {
    for (const char* name : {DUMMY_FILE, READY_FILE}) {
        platform::file_set_normal(name);
        platform::file_delete(name);
    }
}

bool readdatafile(const char* path, std::string& content) {
    content.clear();
    std::vector<uint8_t> stored, plain;
    if (!readdatabytes(path, stored) || !unlockbytes(path, stored, plain)) return false;
    content.assign(plain.begin(), plain.end());
    return true;
}

bool readdamaged(const char* path, std::string& content) {
    std::vector<uint8_t> stored, plain;
    content.clear();
    if (!readdatabytes(path, stored) || !recoverbytes(path, stored, plain)) return false;
    content.assign(plain.begin(), plain.end());
    return true;
}

void tell_recovered(const char* path, size_t records) {
    tell_once(path, std::string("\"") + path + "\" could not be read whole; " +
                        std::to_string(records) + (records == 1 ? " record was" : " records were") +
                        " recovered from it. The file is kept as it is, as a \"" + path +
                        ".damaged\" copy, when the game next writes it.");
}

bool writedatafile(const char* path, const std::string& content,
                   bool (*whole)(const std::string& plain)) {
    saves_flush();
    checked_files.erase(path);
    if (!keepunreadable(path, whole)) return false;
    const std::vector<uint8_t> stored = stored_form(path, content);
    platform::file_set_normal(path);
    const bool written = platform::file_replace(path, stored.data(), stored.size());
    platform::file_set_normal(path);
    return written;
}

bool writedatafile_in_background(const char* path, const std::string& content,
                                 bool (*whole)(const std::string& plain)) {
    if (!checked_files.contains(path)) {
        if (!keepunreadable(path, whole)) return false;
        checked_files.insert(path);
    }
    replace_in_background(path, stored_form(path, content));
    return true;
}
