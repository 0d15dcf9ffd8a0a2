// Desktop notices while the game runs: a due or warning moment whose row the player cannot see is
// sent once; a row shown in the focused window is not; a daily task is sent once a day.
#include "app/shell.h"
#include "platform/headless/headless.h"
#include "run/state.h"
#include "screen_support.h"
#include "sudoku/board.h"
#include "todo/dates.h"
#include "todo/notices.h"
#include "todo_support.h"

namespace hl = platform::headless;

namespace {

void at(int day, int hour, int minute, int second = 0) {
    hl::set_local_time({2026, 1, 0, static_cast<uint16_t>(day), static_cast<uint16_t>(hour),
                        static_cast<uint16_t>(minute), static_cast<uint16_t>(second), 0});
}

} // namespace

using NoticesTest = ScreenTest;

TEST_F(NoticesTest, AMomentIsSentOnceUnlessItsRowIsSeen) {
    struct Case {
        const char* where;
        bool game_screen, focused, seen;
        std::vector<std::string> summaries; // sent at 11:50 (the warning), then at 12:00
    };
    // The panel reads the task file when the start screen is entered: the start screen's cases
    // come first.
    const Case cases[] = {
        {"start screen, row shown", false, true, true, {}},
        {"start screen, minimised", false, false, false, {"Task due in 10 minutes", "Task due"}},
        {"start screen, behind another window",
         false,
         false,
         true,
         {"Task due in 10 minutes", "Task due"}},
        {"game screen", true, true, true, {"Task due in 10 minutes", "Task due"}},
    };
    int day = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.where);
        at(++day, 11, 0);
        put_file(TODO_FILE, task_line("DENTIST", 2026, 1, day, 12, 0, 0, false, 10));
        notices_reload();
        current_screen = Screen::start;
        if (c.game_screen) game_StartLevel();
        hl::set_focus(c.focused);
        hl::set_window_seen(c.seen);
        const size_t before = hl::notifications().size();
        for (const int minute : {49, 50, 59}) {
            at(day, 11, minute);
            pass(3);
        }
        at(day, 12, 0);
        pass(3);
        std::vector<std::string> sent;
        for (size_t i = before; i < hl::notifications().size(); ++i)
            sent.push_back(hl::notifications()[i].summary);
        EXPECT_EQ(sent, c.summaries);
        if (!sent.empty()) {
            EXPECT_EQ(hl::notifications().back().body,
                      "DENTIST\n2026/01/0" + std::to_string(day) + " 12:00:00");
        }
    }
}

TEST_F(NoticesTest, ADailyTaskIsSentOnceADayAndTheReminderProcessFollowsTheGame) {
    put_file(TODO_FILE, task_line("WATER PLANTS", 2026, 1, 1, 12, 0, REPEAT_DAILY));
    at(1, 11, 0);
    notices_reload();
    game_StartLevel();
    for (const int day : {1, 2, 3})
        for (const int hour : {12, 18, 23}) {
            at(day, hour, 0);
            pass(2);
        }
    ASSERT_EQ(hl::notifications().size(), 3u);
    EXPECT_EQ(hl::notifications()[2].body, "WATER PLANTS\n2026/01/03 12:00:00");
    EXPECT_EQ(notices_next_moment(), toticks({2026, 1, 0, 4, 12, 0, 0, 0}));
    EXPECT_EQ(game_Finish(), 0);
    EXPECT_EQ(hl::programs_started(), std::vector<std::string>{"gridhollow-reminders"});
}
