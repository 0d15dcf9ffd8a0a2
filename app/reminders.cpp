// gridhollow --reminders: the tasks' desktop notices while the game is closed.
#include "app/reminders.h"

#include <cstdint>

#include "platform/files.h"
#include "platform/notify.h"
#include "platform/process.h"
#include "todo/notices.h"

int game_Reminders() {
    notices_reload();
    for (;;) {
        notices_update();
        if (!platform::folder_lock_taken()) notices_send();
        const uint64_t next = notices_next_moment();
        if (next == UINT64_MAX) return 0;
        platform::wait_for_moment(next);
        if (platform::notify_show_chosen()) platform::start_detached("gridhollow");
        notices_reload(); // the files may have changed: the tasks, or the notices the game sent
    }
}
