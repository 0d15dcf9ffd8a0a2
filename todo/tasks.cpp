// Task records and the two task files: reading, appending, replacing, deleting, headings, sorting.
#include "todo/tasks.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "platform/files.h"
#include "store/datafile.h"
#include "todo/dates.h"

namespace {

// Every writer builds the new file here first and then copies it over its target.
constexpr const char* TEMP_FILE = "writting.txt";

uint32_t writes = 0; // the task files' writes of this process, for task_file_writes

constexpr const char* DONE_HEADING = "Completed tasks";
// A gathered value keeps its first 900 bytes; each further byte replaces the 901st.
constexpr size_t GATHER_LIMIT = 901;
// A gathered value that wraps starts again, empty, when it reaches this size.
constexpr size_t WRAP_SIZE = 1024;
constexpr size_t SORT_LIMIT = 1000;

// A piece of a task file: a record, ended by "|", or a heading line, ended by the "t" of "_t".
// The text holds every byte of 32 and above except the end byte.
struct Chunk {
    std::string text;
    char end;
};

enum class Source { missing, read, unreadable };

// A completed task moves between the two files through these: the new contents of both files,
// the open file's written last.
constexpr const char* DONE_MOVE = "todo_done.txt.move";
constexpr const char* TODO_MOVE = "todo.txt.move";

// Carries out a move of a completed task that was decided (the open file's new contents exist) and
// drops one that was not. The new contents are renamed into place, the completed file's first, so
// a move cut off at any point ends with the task in exactly one file. False when the move could not
// be finished (the files cannot be renamed).
bool finish_move() {
    if (!platform::file_exists(TODO_MOVE)) {
        platform::file_delete(DONE_MOVE);
        return true;
    }
    if (platform::file_exists(DONE_MOVE) && !platform::file_rename(DONE_MOVE, DONE_FILE))
        return false;
    ++writes;
    return platform::file_rename(TODO_MOVE, TODO_FILE);
}

// Walks a task file's text chunk by chunk: `each(text, end)` for every chunk, its text holding
// every byte of 32 and above but the end byte. Bytes below 32 (the line ends) are skipped; only the
// first chunk can be the heading line; text after the last "|" is no record. Every "|" ends a
// record, also one after "_", so the reader and the writers count the same records; a chunk is
// kept whole however long, so no writer cuts off the fields at the end of an overlong line.
// `each` returns false to stop. Returns whether the text was read whole (no control byte but the
// line ends, no record cut short); the text after the last "|" goes to `tail`.
template <class Each>
bool walk_chunks(const std::string& text, Each each, std::string* tail = nullptr) {
    std::string chunk;
    bool whole = true, first = true;
    bool tag = false; // the byte before was an "_" that announces a tag letter
    for (unsigned char b : text) {
        if (b < 32) {
            whole = whole && (b == '\r' || b == '\n');
            continue;
        }
        if (b == '|' || (tag && b == 't' && first)) {
            first = false;
            if (!each(std::string_view(chunk), static_cast<char>(b))) return whole;
            chunk.clear();
            tag = false;
            continue;
        }
        tag = !tag && b == '_';
        chunk += static_cast<char>(b);
    }
    if (tail) *tail = chunk;
    return whole && chunk.empty();
}

// The chunks of a task file's text, as walk_chunks finds them.
bool split_chunks(const std::string& text, std::vector<Chunk>& chunks) {
    chunks.clear();
    return walk_chunks(text, [&](std::string_view chunk, char end) {
        chunks.push_back({std::string(chunk), end});
        return true;
    });
}

bool tasks_whole(const std::string& text) {
    return walk_chunks(text, [](std::string_view, char) { return true; });
}

// Reads the text of `file`.
Source load_text(const char* file, std::string& text) {
    // Until an interrupted move is finished the files do not say where the task is.
    if (!finish_move()) return Source::unreadable;
    if (!platform::file_exists(file)) return Source::missing;
    std::vector<uint8_t> bytes;
    if (!readdatabytes(file, bytes)) return Source::unreadable;
    text.assign(bytes.begin(), bytes.end());
    return Source::read;
}

// Reads `file` into chunks.
Source load_chunks(const char* file, std::vector<Chunk>& chunks) {
    chunks.clear();
    std::string text;
    const Source source = load_text(file, text);
    if (source == Source::read) split_chunks(text, chunks);
    return source;
}

// The C library's decimal conversion of a leading, optionally signed number after white space,
// with wrap-around 32-bit arithmetic so that "%lu" values above 2147483647 come back bit for bit.
uint32_t number(std::string_view text) {
    size_t i = text.find_first_not_of(" \t\n\v\f\r");
    if (i == std::string::npos) return 0;
    bool negative = text[i] == '-';
    if (text[i] == '-' || text[i] == '+') ++i;
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = value * 10 + static_cast<uint32_t>(text[i] - '0');
    return negative ? 0u - value : value;
}

template <size_t N> void copy_text(char (&field)[N], std::string_view text) {
    size_t n = std::min(text.size(), N - 1);
    memcpy(field, text.data(), n);
    field[n] = 0;
}

// Sets the field of `r` that a tag letter names from the text gathered in front of the tag (a
// number or a text); other letters change nothing.
// The 16-bit field a tag letter names: the moment's six fields and the warning minutes; null for
// the other letters.
uint16_t* short_field(TaskRecord& r, char tag) {
    switch (tag) {
    case 'Y':
        return &r.when.wYear;
    case 'M':
        return &r.when.wMonth;
    case 'D':
        return &r.when.wDay;
    case 'h':
        return &r.when.wHour;
    case 'm':
        return &r.when.wMinute;
    case 's':
        return &r.when.wSecond;
    case 'n':
        return &r.warn_minutes;
    default:
        return nullptr;
    }
}

void settaskfield(TaskRecord& r, char tag, std::string_view value) {
    const uint32_t v = number(value);
    if (uint16_t* field = short_field(r, tag)) *field = static_cast<uint16_t>(v);
    switch (tag) {
    case 'x':
        copy_text(r.description, value);
        break;
    case 't':
        copy_text(r.heading, value);
        break;
    case '?':
        r.repeat = static_cast<int32_t>(v);
        break;
    case 'b':
        r.reserved = static_cast<int32_t>(v);
        break;
    case 'j':
        r.done = v != 0;
        break;
    case 'a':
        r.alarm = v != 0;
        break;
    case 'e':
        r.due.dwLowDateTime = v;
        break;
    case 'f':
        r.due.dwHighDateTime = v;
        break;
    }
}

// The value a tag takes: the text of the chunk since the previous tag, kept by the gather rule
// `wrap` (TaskReading): with it the text starts again, empty, at every WRAP_SIZE-th byte; without
// it the text keeps its first bytes up to GATHER_LIMIT - 1 and its last (`spill` holds that one).
std::string_view gathered(std::string_view text, bool wrap, std::string& spill) {
    if (wrap) return text.substr(text.size() - text.size() % WRAP_SIZE);
    if (text.size() <= GATHER_LIMIT) return text;
    spill.assign(text.substr(0, GATHER_LIMIT - 1));
    spill += text.back();
    return spill;
}

// Sets the fields named by the tags of a chunk's text: "_" and the letter after it name a field,
// whose value is gathered in front of them. Returns whether a heading was among them.
bool apply_tags(TaskRecord& r, std::string_view text, bool wrap = false) {
    bool headed = false;
    std::string spill;
    size_t start = 0;
    for (size_t i = text.find('_'); i != std::string_view::npos && i + 1 < text.size();
         i = text.find('_', start)) {
        const char tag = text[i + 1];
        settaskfield(r, tag, gathered(text.substr(start, i - start), wrap, spill));
        headed = headed || tag == 't';
        start = i + 2;
    }
    return headed;
}

// Every field back to 0 or empty, except the heading.
void clear_fields(TaskRecord& r) {
    TaskRecord cleared;
    memcpy(cleared.heading, r.heading, sizeof cleared.heading);
    r = cleared;
}

void put_chunk(std::string& out, const Chunk& c) {
    out += c.text;
    out += c.end;
    out += "\r\n";
}

// A text as a file value: "_" and "|" would break the file apart, so they become spaces.
std::string file_text(const char* text, size_t limit) {
    std::string value(text, strnlen(text, limit));
    std::replace_if(
        value.begin(), value.end(), [](char c) { return c == '_' || c == '|'; }, ' ');
    return value;
}

void put_heading(std::string& out, const char* heading) {
    out += file_text(heading, strlen(heading));
    out += "_t\r\n";
}

// The record's line; `reserved` adds the reserved field, as an in-place update writes it.
void put_record(std::string& out, const TaskRecord& r, bool reserved) {
    const platform::SYSTEMTIME& w = r.when;
    char line[400];
    int n = snprintf(line, sizeof line, "%s_x %d_D %d_M %d_Y %d_h %d_m %d_s %d_? %d_j %d_a %d_n ",
                     file_text(r.description, sizeof r.description - 1).c_str(), w.wDay, w.wMonth,
                     w.wYear, w.wHour, w.wMinute, w.wSecond, r.repeat, r.done, r.alarm ? 1 : 0,
                     r.warn_minutes);
    if (reserved) n += snprintf(line + n, sizeof line - n, "%d_b ", r.reserved);
    snprintf(line + n, sizeof line - n, "%lu_e %lu_f|\r\n",
             static_cast<unsigned long>(r.due.dwLowDateTime),
             static_cast<unsigned long>(r.due.dwHighDateTime));
    out += line;
}

// Writes the new contents as "writting.txt" and copies that over `file`; the copy replaces the
// file by rename, so the tasks are never missing. "writting.txt" stays only when `keep_temp`.
bool write_file(const char* file, const std::string& contents, bool keep_temp) {
    if (!keepunreadable(file, tasks_whole)) return false;
    platform::file_set_normal(TEMP_FILE); // a left-over read-only copy must not block the write
    bool ok = platform::file_write(TEMP_FILE, contents.data(), contents.size()) &&
              platform::file_copy(TEMP_FILE, file);
    ++writes;
    if (!keep_temp) platform::file_delete(TEMP_FILE);
    return ok;
}

// The contents of `file` with record `index` replaced by `record` or, when `record` is null,
// removed; false when the file cannot be read or has no such record.
bool rewritten(const char* file, int index, const TaskRecord* record, std::string& out) {
    std::vector<Chunk> chunks;
    if (load_chunks(file, chunks) != Source::read) return false;
    bool met = false;
    int number = 0;
    for (const Chunk& c : chunks) {
        if (c.end == '|' && number++ == index) {
            met = true;
            if (record) put_record(out, *record, true);
        } else {
            put_chunk(out, c);
        }
    }
    return met;
}

// Rewrites `file` with record `index` replaced by `record` or, when `record` is null, removed.
bool rewrite_record(const char* file, int index, const TaskRecord* record) {
    std::string out;
    // A deletion leaves "writting.txt" behind; the next write overwrites it.
    return rewritten(file, index, record, out) && write_file(file, out, record == nullptr);
}

// The contents of `file` with `records` appended and a non-empty `heading` as its heading line.
// Returns the number of lines kept before the new records, or -1 when the file cannot be read.
int appended(const std::vector<TaskRecord>& records, const char* file, const char* heading,
             std::string& out) {
    std::vector<Chunk> chunks;
    if (load_chunks(file, chunks) == Source::unreadable) return -1;
    int lines = 0;
    bool new_heading = heading[0] != 0;
    if (new_heading) {
        put_heading(out, heading);
        ++lines;
    }
    for (size_t i = 0; i < chunks.size(); ++i) {
        // Only an old heading line gives way to the new one; a first record is kept.
        if (i == 0 && new_heading && chunks[i].end == 't') continue;
        put_chunk(out, chunks[i]);
        ++lines;
    }
    for (const TaskRecord& record : records) put_record(out, record, false);
    return lines;
}

// The order of a difference: year field x 372 days + months of 31 days + days and time, the
// months, days and time counted back for moments behind (year field below 1601).
int64_t sort_key(const TimeDiff& d) {
    int64_t years = int64_t{d.wYear} * 32140800;
    int64_t rest = int64_t{d.wMonth} * 2678400 + int64_t{d.wDay} * SECONDS_PER_DAY +
                   d.wHour * 3600 + d.wMinute * 60 + d.wSecond;
    return d.wYear >= 1601 ? years + rest : years - rest;
}

} // namespace

TaskList readtasks(const std::string& text, const TaskReading& how) {
    TaskList list;
    list.records.reserve(
        std::min(how.limit, static_cast<size_t>(std::count(text.begin(), text.end(), '|'))));
    copy_text(list.next.heading, how.heading);
    auto read = [&](TaskRecord& r, std::string_view fields) {
        if (!apply_tags(r, fields, how.wrap)) return;
        list.headed = true;
        memcpy(list.heading, r.heading, sizeof list.heading);
    };
    std::string tail;
    walk_chunks(
        text,
        [&](std::string_view chunk, char end) {
            if (end == 't') {
                read(list.next, std::string(chunk) + 't');
                return true;
            }
            read(list.next, chunk);
            TaskRecord& task = list.records.emplace_back(std::exchange(list.next, {}));
            if (how.due_from_when && task.due.dwHighDateTime == 0)
                task.due = ticksfiletime(toticks(task.when));
            return list.records.size() < how.limit;
        },
        &tail);
    if (list.records.size() == how.limit) return list;
    TaskRecord rest = list.next; // only its heading counts
    read(rest, tail);
    return list;
}

bool readtask(int index, TaskRecord& record, const char* file) {
    clear_fields(record);
    std::string text;
    if (load_text(file, text) != Source::read) return false;
    // Index -1 reads the heading line and the first record's fields.
    const size_t k = static_cast<size_t>(std::max(index, 0));
    const TaskList list = readtasks(text, {.limit = k + 1, .heading = record.heading});
    record = k < list.records.size() ? list.records[k] : list.next;
    return index >= 0 && k < list.records.size();
}

int appendtask(const TaskRecord& record, const char* file, const char* heading) {
    return appendtasks({record}, file, heading);
}

int appendtasks(const std::vector<TaskRecord>& records, const char* file, const char* heading) {
    std::string out;
    const int lines = appended(records, file, heading, out);
    return lines >= 0 && write_file(file, out, false) ? lines : -1;
}

bool replacetask(int index, const TaskRecord& record) {
    return rewrite_record(TODO_FILE, index, &record);
}

bool deletetask(int index, const char* file) {
    return rewrite_record(file, index, nullptr);
}

bool writeheading(const char* file, const char* heading) {
    if (!heading[0]) return true;
    std::vector<Chunk> chunks;
    if (load_chunks(file, chunks) == Source::unreadable) return false;
    std::string out;
    put_heading(out, heading);
    for (const Chunk& c : chunks)
        if (c.end == '|') put_chunk(out, c);
    return write_file(file, out, false);
}

int completetask(int index) {
    TaskRecord task;
    if (!readtask(index, task, TODO_FILE)) return -1;
    task.done = 1;
    std::string done, open;
    const int lines = appended({task}, DONE_FILE, DONE_HEADING, done);
    if (lines < 0 || !rewritten(TODO_FILE, index, nullptr, open) ||
        !keepunreadable(DONE_FILE, tasks_whole) || !keepunreadable(TODO_FILE, tasks_whole))
        return -1;
    // Both new contents go beside their files first; the open file's, written last, decides the
    // move, which finish_move then carries out (or the next task-file read after a crash).
    if (!platform::file_replace(DONE_MOVE, done.data(), done.size()) ||
        !platform::file_replace(TODO_MOVE, open.data(), open.size())) {
        platform::file_delete(DONE_MOVE);
        return -1;
    }
    return finish_move() ? lines : -1;
}

uint32_t task_file_writes() {
    return writes;
}

bool sorttasks() {
    std::vector<Chunk> chunks;
    const Source source = load_chunks(TODO_FILE, chunks);
    if (source != Source::read) return source == Source::missing;
    std::string out;
    std::vector<const Chunk*> records;
    for (const Chunk& c : chunks) {
        if (c.end == 't')
            put_chunk(out, c);
        else
            records.push_back(&c);
    }
    platform::SYSTEMTIME now = platform::local_time();
    std::vector<std::pair<int64_t, size_t>> order;
    for (size_t i = 0; i < std::min(records.size(), SORT_LIMIT); ++i) {
        TaskRecord task;
        apply_tags(task, records[i]->text);
        order.emplace_back(sort_key(countdown(task.when, task.repeat, now)), i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    bool moved = false;
    for (size_t i = 0; i < order.size(); ++i) {
        moved = moved || order[i].second != i;
        put_chunk(out, *records[order[i].second]);
    }
    if (!moved) { // already in order (or no records): the file stays as it is
        platform::file_delete(TEMP_FILE); // a work file left by a deletion goes, as after any sort
        return true;
    }
    for (size_t i = order.size(); i < records.size(); ++i) put_chunk(out, *records[i]);
    return write_file(TODO_FILE, out, false);
}
