// Due reminders: the reminder word of a task and the alarm it starts.
#include "todo/reminders.h"

#include <algorithm>

#include "platform/clock.h"
#include "run/state.h"
#include "todo/dates.h"

namespace {

// The periods of a repeating kind gone by from due to now (due at or before now). The count is
// kept below the flag bits, so a task late for ages cannot pass for a warned one.
uint32_t periods(uint64_t due, uint64_t now, int repeat, const platform::SYSTEMTIME& today) {
    const platform::SYSTEMTIME then = fromticks(due);
    const int64_t days = int64_t{today.wYear - then.wYear} * 372 +
                         int64_t{today.wMonth - then.wMonth} * 31 + (today.wDay - then.wDay);
    int64_t count = 0;
    switch (repeat) {
    case REPEAT_BIRTHDAY:
        count = today.wYear - then.wYear;
        break;
    case REPEAT_DAILY:
        count = static_cast<int64_t>((now - due) / TICKS_PER_DAY);
        break;
    case REPEAT_WEEKLY:
        count = static_cast<int64_t>((now - due) / TICKS_PER_WEEK);
        break;
    case REPEAT_MONTHLY:
        count = days / 31;
        break;
    default:
        count = days / 372;
        break;
    }
    return static_cast<uint32_t>(std::clamp<int64_t>(count, 0, WARN_FLAG - 1));
}

} // namespace

uint32_t alarmstate(const platform::FILETIME& due_time, int repeat, int warn_minutes, bool alarm) {
    const platform::SYSTEMTIME today = platform::local_time();
    const uint64_t now = toticks(today), due = filetimeticks(due_time);
    uint32_t state = 0;
    if (repeat < REPEAT_BIRTHDAY || repeat > REPEAT_YEARLY) {
        const uint64_t warn = static_cast<uint64_t>(std::max(warn_minutes, 0)) * TICKS_PER_MINUTE;
        if (warn != 0 && due <= now + warn) state = WARN_FLAG;
        if (due <= now) state = DUE_FLAG;
    } else if (due <= now) {
        state = periods(due, now, repeat, today) | DUE_FLAG | WARN_FLAG;
    }
    if ((state & DUE_FLAG) && alarm && sound_bank && !sound_bank->isplaying(alarm_sound))
        sound_bank->play(alarm_sound, 0, 0);
    return state;
}
