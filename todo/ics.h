// Tasks as an iCalendar text (RFC 5545) and back: the calendar files of --export-ics and
// --import-ics. Text in, tasks out and back; no file is touched here (docs/FORMATS.md, "Calendar
// files").
#pragma once
#include <ctime>
#include <string>
#include <vector>

#include "todo/tasks.h"

// The calendar of the open tasks (VEVENTs) and the completed ones (VTODOs marked completed), with
// `stamp` as every entry's DTSTAMP. Moments are floating local times: the wall clock the tasks
// keep. Lines end in CR LF and are folded at 75 octets.
std::string tasks_to_ics(const std::vector<TaskRecord>& open, const std::vector<TaskRecord>& done,
                         std::time_t stamp);

// What a calendar text gives.
struct IcsImport {
    // The text is a whole calendar; otherwise `error` says where it is not, and nothing else is
    // set.
    bool whole = false;
    std::string error;
    std::vector<TaskRecord> tasks;    // open tasks, in the order of their entries
    std::vector<std::string> skipped; // a line for each entry left out: which one, and why
};

// The VEVENTs and VTODOs a task can hold: a due moment, at most a repeat (an RRULE of FREQ alone,
// or the rule tasks_to_ics writes), a warning and the alarm tick; every other entry is skipped.
// Times in UTC become local times; times of a named zone (TZID) are skipped.
IcsImport tasks_from_ics(const std::string& text);
