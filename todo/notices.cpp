// Desktop notices of the open tasks: their moments, which of them were handled, the notifications
// and the file that keeps them.
#include "todo/notices.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/notify.h"
#include "store/datafile.h"
#include "todo/dates.h"

namespace {

// One open task and its moments.
struct Watched {
    TaskRecord task;
    uint64_t due = 0;     // the task's own due moment: with the description, what names it
    uint64_t reached = 0; // the latest moment at or before now (0: none yet)
    uint64_t next = 0;    // the first moment after now (UINT64_MAX: none)
    uint64_t handled = 0; // the latest moment a notice handled
};

// Wiped by notices_reset; read again when this process wrote a task file.
struct NoticesRun {
    std::vector<Watched> tasks;
    bool read = false;
    uint32_t writes = 0;  // task_file_writes() when the tasks were read
    uint64_t next = 0;    // the earliest moment to come of all tasks
    bool pending = false; // a moment reached is not handled
    bool changed = false; // a moment was handled since notices.txt was written
};
NoticesRun run;

bool repeats(int repeat) {
    return repeat >= REPEAT_BIRTHDAY && repeat <= REPEAT_YEARLY;
}

// The k-th due moment of a repeating task from its own due moment (k = 0); a day that its month
// lacks falls on the month's last day.
uint64_t occurrence(uint64_t due, int repeat, int64_t k) {
    if (repeat == REPEAT_DAILY) return due + static_cast<uint64_t>(k) * TICKS_PER_DAY;
    if (repeat == REPEAT_WEEKLY) return due + static_cast<uint64_t>(k) * TICKS_PER_WEEK;
    platform::SYSTEMTIME t = fromticks(due);
    const int64_t months = (t.wMonth - 1) + k * (repeat == REPEAT_MONTHLY ? 1 : 12);
    t.wYear = static_cast<uint16_t>(t.wYear + months / 12);
    t.wMonth = static_cast<uint16_t>(months % 12 + 1);
    fit_day(t);
    return toticks(t);
}

// The task's moments around now: the warning (tasks that do not repeat) and the due moments.
void place(Watched& w, uint64_t now) {
    const TaskRecord& t = w.task;
    w.reached = 0;
    w.next = UINT64_MAX;
    if (!repeats(t.repeat)) {
        const uint64_t warn = uint64_t{t.warn_minutes} * TICKS_PER_MINUTE;
        for (const uint64_t m : {warn != 0 && warn < w.due ? w.due - warn : 0, w.due}) {
            if (m == 0) continue;
            if (m <= now)
                w.reached = m;
            else
                w.next = std::min(w.next, m);
        }
        return;
    }
    if (w.due > now) {
        w.next = w.due;
        return;
    }
    // From an estimate of the periods gone by, to the last occurrence at or before now.
    const platform::SYSTEMTIME a = fromticks(w.due), b = fromticks(now);
    int64_t k = t.repeat == REPEAT_DAILY     ? static_cast<int64_t>((now - w.due) / TICKS_PER_DAY)
                : t.repeat == REPEAT_WEEKLY  ? static_cast<int64_t>((now - w.due) / TICKS_PER_WEEK)
                : t.repeat == REPEAT_MONTHLY ? (b.wYear - a.wYear) * 12 + (b.wMonth - a.wMonth)
                                             : b.wYear - a.wYear;
    while (k > 0 && occurrence(w.due, t.repeat, k) > now) --k;
    while (occurrence(w.due, t.repeat, k + 1) <= now) ++k;
    w.reached = occurrence(w.due, t.repeat, k);
    w.next = occurrence(w.due, t.repeat, k + 1);
}

bool same_task(const Watched& w, uint64_t due, const char* description) {
    return w.due == due && std::strcmp(w.task.description, description) == 0;
}

// "notices.txt": one line per task, "DUE HANDLED DESCRIPTION", the two moments in ticks.
bool parse_line(const std::string& line, uint64_t& due, uint64_t& handled, std::string& text) {
    int used = 0;
    if (std::sscanf(line.c_str(), "%" SCNu64 " %" SCNu64 " %n", &due, &handled, &used) != 2 ||
        used == 0)
        return false;
    text = line.substr(static_cast<size_t>(used));
    return true;
}

// Calls each(due, handled, description) for every line of the text; false when a line does not
// parse.
template <typename Each> bool each_line(const std::string& text, Each each) {
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = text.find("\r\n", at);
        if (end == std::string::npos) return false;
        uint64_t due = 0, handled = 0;
        std::string description;
        if (!parse_line(text.substr(at, end - at), due, handled, description)) return false;
        each(due, handled, description);
        at = end + 2;
    }
    return true;
}

bool notices_whole(const std::string& text) {
    return each_line(text, [](uint64_t, uint64_t, const std::string&) {});
}

// Takes the moments the file says were handled (another process may have handled some).
void read_handled() {
    std::string text;
    if (!readdatafile(NOTICES_FILE, text)) return;
    each_line(text, [](uint64_t due, uint64_t handled, const std::string& description) {
        for (Watched& w : run.tasks)
            if (same_task(w, due, description.c_str())) w.handled = std::max(w.handled, handled);
    });
}

void write_handled() {
    read_handled();
    std::string text;
    char numbers[48];
    for (const Watched& w : run.tasks) {
        if (w.handled == 0) continue;
        std::snprintf(numbers, sizeof numbers, "%" PRIu64 " %" PRIu64 " ", w.due, w.handled);
        text += numbers;
        text += w.task.description;
        text += "\r\n";
    }
    writedatafile(NOTICES_FILE, text, notices_whole);
    run.changed = false;
}

// The notification of a moment reached: a warning says how many minutes are left; a due moment
// sent more than a minute late says it was missed.
void send(const Watched& w, uint64_t now) {
    const bool warning = !repeats(w.task.repeat) && w.reached != w.due;
    const uint64_t due = warning ? w.due : w.reached;
    std::string summary = "Task due";
    if (warning && due > now) {
        const uint64_t minutes = (due - now + TICKS_PER_MINUTE - 1) / TICKS_PER_MINUTE;
        summary += " in " + std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes");
    } else if (now > due + TICKS_PER_MINUTE) {
        summary += " (missed)";
    }
    const platform::SYSTEMTIME when = fromticks(due);
    platform::notify_send(summary, std::string(w.task.description) + "\n" + datetext(when) + " " +
                                       timetext(when));
}

uint64_t local_now() {
    return toticks(platform::local_time());
}

} // namespace

void notices_reload() {
    run.tasks.clear();
    run.read = true;
    run.writes = task_file_writes();
    run.next = 0;
    std::string text;
    if (!readdatafile(TODO_FILE, text)) return;
    TaskList list = readtasks(text, {.due_from_when = true});
    for (const TaskRecord& task : list.records)
        run.tasks.push_back({.task = task, .due = filetimeticks(task.due)});
    read_handled();
}

void notices_update() {
    if (!run.read || run.writes != task_file_writes()) notices_reload();
    if (run.next == UINT64_MAX) return; // no moment to come: the clock need not be read
    const uint64_t now = local_now();
    if (now < run.next) return;
    run.next = UINT64_MAX;
    run.pending = false;
    for (Watched& w : run.tasks) {
        place(w, now);
        run.pending |= w.reached > w.handled;
        run.next = std::min(run.next, w.next);
    }
}

void notices_seen(const TaskRecord& task) {
    if (!run.pending) return;
    for (Watched& w : run.tasks)
        if (same_task(w, filetimeticks(task.due), task.description) && w.reached > w.handled) {
            w.handled = w.reached;
            run.changed = true;
        }
}

void notices_send() {
    if (run.pending) {
        const uint64_t now = local_now();
        for (Watched& w : run.tasks) {
            if (w.reached <= w.handled) continue;
            send(w, now);
            w.handled = w.reached;
            run.changed = true;
        }
        run.pending = false;
    }
    if (run.changed) write_handled();
}

uint64_t notices_next_moment() {
    return run.next;
}

void notices_reset() {
    run = {};
}
