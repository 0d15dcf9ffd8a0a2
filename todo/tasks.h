// Task records and the two task files: reading, appending, replacing, deleting, headings, sorting.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/timeconv.h"

// The open tasks and the completed ones, plain text in the current directory.
constexpr const char* TODO_FILE = "todo.txt";
constexpr const char* DONE_FILE = "todo_done.txt";

// One task. In the files each value stands in front of its tag letter:
// "Dentist_x 14_D 5_M 2008_Y 9_h 30_m 0_s 0_? 0_j 1_a 10_n 345709568_e 29930917_f|" CR LF.
struct TaskRecord {
    platform::SYSTEMTIME when{}; // Y M D h m s; day of week and milliseconds are not stored
    char description[100]{};     // x
    bool alarm = false;          // a
    int32_t done = 0;            // j
    uint16_t warn_minutes = 0;   // n
    int32_t repeat = 0;          // ? (REPEAT_NORMAL ... REPEAT_YEARLY)
    char heading[32]{};          // t: the heading line of the file, read with the first record
    int32_t reserved = 0;        // b: carried through, written only by replacetask
    platform::FILETIME due{};    // e (low half), f (high half): when the reminder fires
};

// How a reader takes a task file's text: the task editor's record (readtask) and the to-do panel's
// list differ in these.
struct TaskReading {
    size_t limit = SIZE_MAX; // records read at most; the text after the last of them stays unread
    // A value longer than 1024 bytes starts again, empty, at every 1024th byte (the list's buffer);
    // otherwise it keeps its first 900 bytes and its last.
    bool wrap = false;
    // A record without the high half of its due moment (f) is due at its `when`.
    bool due_from_when = false;
    const char* heading = ""; // the first record's heading when the text gives it none
};

// A task file's text as read.
struct TaskList {
    // The records, each ended by "|", every field from 0 or empty; the fields of the heading line
    // go to the first. A "_t" sets the heading of the record it stands in.
    std::vector<TaskRecord> records;
    // The fields read after the last record (none after the limit): those of the heading line
    // while there is no record; the text after the last "|" is no record and is left out.
    TaskRecord next;
    bool headed = false; // a "_t" was read, also one after the last "|" while under the limit
    char heading[32]{};  // the value of the last "_t" read
};

// The one parser of the task files (docs/FORMATS.md, "Tasks"): splits the text into the heading
// line and the records (bytes below 32, the line ends, are skipped; every "|" ends a record, also
// one after "_") and sets each record's fields from its tags.
TaskList readtasks(const std::string& text, const TaskReading& how);

// Reads record `index` (from 0) of `file` into `record`; false when there is no such record.
// The heading line reaches `heading` only for index 0 and for -1, which reads the heading and
// the first record's fields and reports false. Fields the record lacks read as 0 or empty.
bool readtask(int index, TaskRecord& record, const char* file);
// Adds `record` at the end of `file`, making a non-empty `heading` the file's heading line.
// Returns the number of lines kept before the new record (the heading line counts), or -1 when
// the file could not be read or written.
int appendtask(const TaskRecord& record, const char* file, const char* heading);
// The same for several records, added in their order by one replacement of the file: all or none.
int appendtasks(const std::vector<TaskRecord>& records, const char* file, const char* heading);
// Replaces record `index` of "todo.txt"; false when there is no such record or the write failed.
bool replacetask(int index, const TaskRecord& record);
// Removes record `index` of `file`; false when there is no such record or the write failed.
bool deletetask(int index, const char* file);
// Makes a non-empty `heading` the heading line of `file`, creating the file when it is missing.
// False when the file could not be read or written (it then stays as it was).
bool writeheading(const char* file, const char* heading);
// Moves record `index` of "todo.txt" to "todo_done.txt", marked done. Returns the append's result,
// -1 when there is no such task (then nothing changes).
int completetask(int index);
// Rewrites "todo.txt" in order of each task's next occurrence: overdue longest first, then the
// soonest ahead; ties keep their order. Only the first 1000 records take part; any further ones
// follow them in their own order. False when the file could not be read or written (it then stays
// as it was); a missing file is nothing to sort.
bool sorttasks();
// How many times this process has written a task file: a reader that keeps the tasks reads them
// again when the count moved.
uint32_t task_file_writes();
