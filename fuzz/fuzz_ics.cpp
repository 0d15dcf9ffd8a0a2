// Fuzz target: any bytes as a calendar to import, which must neither misbehave nor give a task
// that does not come back the same through an export and a second import.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "todo/ics.h"

namespace {

void check(bool ok) {
    if (!ok) abort();
}

bool same(const TaskRecord& a, const TaskRecord& b) {
    return strcmp(a.description, b.description) == 0 &&
           memcmp(&a.when, &b.when, sizeof a.when) == 0 &&
           memcmp(&a.due, &b.due, sizeof a.due) == 0 && a.repeat == b.repeat &&
           a.alarm == b.alarm && a.warn_minutes == b.warn_minutes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size > 16384) return 0;
    const IcsImport first = tasks_from_ics(std::string(reinterpret_cast<const char*>(data), size));
    check(first.whole || (first.tasks.empty() && first.skipped.empty() && !first.error.empty()));
    const IcsImport again = tasks_from_ics(tasks_to_ics(first.tasks, {}, 0));
    check(again.whole && again.skipped.empty() && again.tasks.size() == first.tasks.size());
    for (size_t i = 0; i < first.tasks.size(); ++i) check(same(again.tasks[i], first.tasks[i]));
    return 0;
}
