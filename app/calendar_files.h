// The calendar options of the command line: the tasks of the data folder written to, or added
// from, an iCalendar file, without a window or a sound device.
#pragma once
#include <cstdio>

// Writes the open and completed tasks of the current folder to `path` (replaced whole) and says
// how many on out. Returns the exit code: 0, or 1 with the reason on err when a task file cannot
// be read or the calendar cannot be written.
int export_calendar(const char* path, std::FILE* out, std::FILE* err);
// Adds the entries of the calendar at `path` that a task can hold to the open tasks of the current
// folder, by one replacement of "todo.txt", and lists each entry it skipped, and why, on out.
// Returns the exit code: 0, or 1 with the reason on err when the calendar cannot be read or is not
// whole, or the task file cannot be read or written; the tasks are then as they were.
int import_calendar(const char* path, std::FILE* out, std::FILE* err);
