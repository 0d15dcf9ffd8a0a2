// Desktop notices of the open tasks: each task's warning moment and due moment (every due moment of
// a repeating task) reaches the player once, as a desktop notification unless the player sees the
// task's row. The moments handled (sent, or seen on the panel) are kept in "notices.txt", which
// the game and the reminder process (gridhollow --reminders) share.
#pragma once
#include <cstdint>

#include "todo/tasks.h"

constexpr const char* NOTICES_FILE = "notices.txt";

// Reads the open tasks and the moments handled afresh; the next notices_update does so by itself
// after this process wrote a task file.
void notices_reload();
// Finds the moments the local time has reached that no notice handled yet. Cheap until the next
// moment: the game calls it at the start of every frame.
void notices_update();
// The player sees the task's row (the panel shows it, the window focused): its moment reached is
// handled, and no notification is sent for it.
void notices_seen(const TaskRecord& task);
// Sends one notification for each moment reached and not seen, and keeps the moments handled in
// "notices.txt". A notification that cannot be sent is not tried again.
void notices_send();
// The next moment (local time, 100-ns ticks since 1601-01-01) at which a notice may fall due, for
// the loop to wake at; UINT64_MAX when no open task has a moment to come.
uint64_t notices_next_moment();
// Forgets the tasks and the moments read.
void notices_reset();
