// Fuzz target: any bytes as "todo.txt" go through the task readers (also as the panel reads it)
// and writers, which must neither misbehave nor lose or invent a record.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "screens/todo_panel.h"
#include "todo/tasks.h"

namespace {

// Every "|" ends a record, so the count of bars is the count of records.
long records(const char* file) {
    std::vector<uint8_t> bytes;
    platform::file_read(file, bytes);
    return std::count(bytes.begin(), bytes.end(), '|');
}

void check(bool ok) {
    if (!ok) abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 8192 || !fuzz_folder("gridhollow-fuzz-tasks")) return 0;
    platform::file_write(TODO_FILE, data, size);
    long count = std::count(data, data + size, '|');

    // The panel's reading counts the same records, up to its 999.
    const std::string text(reinterpret_cast<const char*>(data), size);
    const long listed = static_cast<long>(readtasks(text, TODO_PANEL_READING).records.size());
    check(listed == std::min(count, long{TODO_PANEL_TASKS}));

    TaskRecord task;
    for (int index = -1; index < 3; ++index)
        check(readtask(index, task, TODO_FILE) == (index >= 0 && index < count));
    sorttasks();
    check(records(TODO_FILE) == count);
    check(replacetask(0, task) == (count > 0));
    check(records(TODO_FILE) == count);
    writeheading(TODO_FILE, "Fuzz");
    check(records(TODO_FILE) == count);
    check(appendtask(task, TODO_FILE, "") >= 0 && records(TODO_FILE) == count + 1);
    check(deletetask(1, TODO_FILE) == (count + 1 > 1));
    check(completetask(0) >= 0 && records(TODO_FILE) == count - (count >= 1 ? 1 : 0));
    check(records(DONE_FILE) == 1);
    return 0;
}
