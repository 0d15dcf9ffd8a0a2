// The calendar options of the command line: --export-ics and --import-ics.
#include "app/calendar_files.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <string>
#include <vector>

#include "platform/files.h"
#include "store/datafile.h"
#include "todo/ics.h"
#include "todo/tasks.h"

namespace {

// The tasks of a task file as the to-do panel lists them; false when the file exists but cannot
// be read. A missing file holds no tasks.
bool read_task_file(const char* file, std::vector<TaskRecord>& tasks, std::FILE* err) {
    std::string text;
    if (!platform::file_exists(file)) return true;
    if (!readdatafile(file, text)) {
        std::fprintf(err, "gridhollow: the task file '%s' cannot be read: %s\n", file,
                     platform::file_error().c_str());
        return false;
    }
    tasks = readtasks(text, {.due_from_when = true}).records;
    return true;
}

} // namespace

int export_calendar(const char* path, std::FILE* out, std::FILE* err) {
    std::vector<TaskRecord> open, done;
    if (!read_task_file(TODO_FILE, open, err) || !read_task_file(DONE_FILE, done, err)) return 1;
    const std::string calendar = tasks_to_ics(open, done, std::time(nullptr));
    if (!platform::file_replace(path, calendar.data(), calendar.size())) {
        std::fprintf(err, "gridhollow: cannot write the calendar '%s': %s\n", path,
                     std::strerror(errno));
        return 1;
    }
    std::fprintf(out, "Wrote %zu open and %zu completed tasks to %s.\n", open.size(), done.size(),
                 path);
    return 0;
}

int import_calendar(const char* path, std::FILE* out, std::FILE* err) {
    std::vector<uint8_t> bytes;
    if (!platform::file_read(path, bytes)) {
        std::fprintf(err, "gridhollow: cannot read the calendar '%s': %s\n", path,
                     platform::file_error().c_str());
        return 1;
    }
    const IcsImport calendar = tasks_from_ics(std::string(bytes.begin(), bytes.end()));
    if (!calendar.whole) {
        std::fprintf(err, "gridhollow: '%s' is no whole calendar, %s. No task was added.\n", path,
                     calendar.error.c_str());
        return 1;
    }
    for (const std::string& skipped : calendar.skipped)
        std::fprintf(out, "Skipped %s\n", skipped.c_str());
    if (!calendar.tasks.empty() && appendtasks(calendar.tasks, TODO_FILE, "") < 0) {
        std::fprintf(err, "gridhollow: the tasks could not be added to '%s'. No task was added.\n",
                     TODO_FILE);
        return 1;
    }
    std::fprintf(out, "Added %zu tasks, skipped %zu entries.\n", calendar.tasks.size(),
                 calendar.skipped.size());
    return 0;
}
