// The to-do panel run as the start screen runs it: loading, selecting, scrolling, the buttons, the
// completed list, the bars, the reminders' blink and alarm, and golden images.
#include <string>

#include "gfx_support.h"
#include "players/players.h"
#include "screens/task_editor.h"
#include "screens/todo_panel.h"
#include "todo/dates.h"
#include "todo/reminders.h"
#include "todo_support.h"

namespace hl = platform::headless;

namespace {

constexpr const char* HEADING = "Errands_t\r\n";

// n tasks named TASK A, TASK B, ... a day apart from 15 May 2008, 10:00.
std::string tasks(int n) {
    std::string text = HEADING;
    for (int i = 0; i < n; ++i) {
        const std::string name = std::string("TASK ") + static_cast<char>('A' + i);
        text += task_line(name.c_str(), 2008, 5, 15 + i, 10, 0);
    }
    return text;
}

} // namespace

using PanelTest = TodoTest;

TEST_F(PanelTest, WithoutTaskFileOnlyTheButtonsShowAndNewTaskOpensTheEditor) {
    frames(3);
    EXPECT_TRUE(hl::draws().empty()); // the pointer is far from the panel
    point(256, 185);
    frames(20);
    ASSERT_EQ(hl::draws().size(), 3u);
    EXPECT_EQ(draws_of(200, 400, 225, 425) + draws_of(225, 400, 250, 425) +
                  draws_of(175, 400, 200, 425),
              3);
    EXPECT_NEAR(hl::draws()[1].tx + 12.5f * 1.1f, 256, 0.5f); // centred, the middle one hovered
    EXPECT_EQ(panel.count, 0);
    EXPECT_FLOAT_EQ(panel.width, 0);
    press_button(1);
    EXPECT_TRUE(todo_panel_run().editor_open);
    EXPECT_EQ(panel.selection, -1);
    EXPECT_EQ(todo_panel_run().panel_state, 2);
    EXPECT_TRUE(text_drawn("...")); // the new task's title
    EXPECT_FALSE(text_drawn("to-do"));
}

TEST_F(PanelTest, ClickSelectsSecondClickOpensAndTimeAwayClears) {
    put_file(TODO_FILE, tasks(2));
    frames(2);
    EXPECT_EQ(panel.count, 2);
    EXPECT_TRUE(text_drawn("Errands"));
    EXPECT_TRUE(text_drawn("+01D")); // the countdown while nothing is selected
    EXPECT_FALSE(text_drawn("2008/05/15"));
    click(200, row_y(0));
    EXPECT_EQ(panel.selection, 1);
    EXPECT_STREQ(list_hover_name, "TASK A");
    EXPECT_TRUE(text_drawn("2008/05/15"));
    EXPECT_TRUE(text_drawn("10:00:00"));

    point(200, 450); // away from the panel: the selection lasts 1.5 seconds
    frames(85);
    EXPECT_EQ(panel.selection, 1);
    frames(5);
    EXPECT_EQ(panel.selection, 0);

    click(200, row_y(1));
    EXPECT_FALSE(todo_panel_run().editor_open);
    click(200, row_y(1));
    EXPECT_TRUE(todo_panel_run().editor_open);
    EXPECT_EQ(todo_panel_run().panel_state, 2);
    EXPECT_STREQ(task_editor_visit().edit_task.description, "TASK B");
}

TEST_F(PanelTest, TwelveTasksScrollUntilTheLastIsTheLastRow) {
    put_file(TODO_FILE, tasks(12));
    frame();
    press_button(0);
    EXPECT_EQ(todo_panel_run().panel_state, 1);
    frame();
    const int down_y = 202 + 16 * 10 + 8, up_y = 186 + 8;
    for (int i = 0; i < 4; ++i) click(256, down_y);
    EXPECT_EQ(todo_panel_run().first_row, 2);
    EXPECT_TRUE(text_drawn("TASK L"));
    EXPECT_FALSE(text_drawn("TASK B"));
    click(256, up_y);
    EXPECT_EQ(todo_panel_run().first_row, 1);
    point(256, 480); // the arrows show only near the panel
    EXPECT_EQ(draws_of(102, 400, 176, 420), 0);
}

TEST_F(PanelTest, CompletedListHasItsHeadingNoNewTaskButtonAndNoSound) {
    put_file(TODO_FILE, tasks(1));
    put_file(DONE_FILE, std::string("Completed tasks_t\r\n") +
                            task_line("PAID", 2008, 5, 1, 8, 0, REPEAT_DAILY, true));
    frame();
    press_button(2);
    frames(2);
    EXPECT_FALSE(todo_panel_run().show_open);
    EXPECT_TRUE(text_drawn("Completed tasks"));
    EXPECT_TRUE(text_drawn("-13D")); // counted down as a normal task
    EXPECT_EQ(draws_of(225, 400, 250, 425), 0);
    EXPECT_EQ(draws_of(225, 425, 250, 450), 1);
    EXPECT_TRUE(hl::plays().empty());
    press_button(1); // the switch is now the second button
    frame();
    EXPECT_TRUE(todo_panel_run().show_open);
    EXPECT_TRUE(text_drawn("Errands"));
}

TEST_F(PanelTest, BarIsFullWhenDueAndEmptyAYearAhead) {
    put_file(TODO_FILE, std::string(HEADING) + task_line("NOW", 2008, 5, 14, 9, 0) +
                            task_line("LATER", 2009, 6, 1, 9, 0));
    frame();
    int full = 0, partial = 0; // the fill pieces of the bars
    for (const platform::SpriteDraw& d : hl::draws()) {
        full += d.source.top == 424 && d.source.bottom == 448;
        partial += d.source.top == 400 && d.source.bottom == 424 && d.source.left >= 275;
    }
    EXPECT_EQ(full, 1); // the due task's
    EXPECT_EQ(partial, 0);
}

using ReminderTest = TodoTest;

TEST_F(ReminderTest, NormalTaskBlinksFromItsWarningAndSoundsFromItsMoment) {
    put_file(TODO_FILE, std::string(HEADING) +
                            task_line("DENTIST", 2008, 5, 14, 10, 0, REPEAT_NORMAL, true, 15));
    auto shown = [&](int n) {
        int k = 0;
        for (int i = 0; i < n; ++i) {
            frame();
            k += text_drawn("DENTIST");
        }
        return k;
    };
    set_now(2008, 5, 14, 9, 44, 58);
    EXPECT_EQ(shown(30), 30);
    set_now(2008, 5, 14, 9, 45, 0);
    const int blinking = shown(30);
    EXPECT_GT(blinking, 10);
    EXPECT_LT(blinking, 20);
    EXPECT_EQ(draws_of(450, 300, 475, 325), 0); // warned, not due: no due mark
    EXPECT_TRUE(hl::plays().empty());
    set_now(2008, 5, 14, 10, 0, 0);
    frames(30);
    EXPECT_EQ(hl::plays().size(), 1u);
    hl::advance_clock(1.5); // the alarm has played out: it starts again
    frame();
    EXPECT_EQ(hl::plays().size(), 2u);
}

TEST_F(ReminderTest, RowsOutOfViewStayQuiet) {
    // Sorted overdue longest first: the one with the alarm is the fourth row.
    put_file(TODO_FILE, std::string(HEADING) + task_line("A", 2008, 5, 1, 9, 0) +
                            task_line("B", 2008, 5, 2, 9, 0) + task_line("C", 2008, 5, 3, 9, 0) +
                            task_line("D", 2008, 5, 4, 9, 0, REPEAT_NORMAL, true));
    frames(5);
    EXPECT_TRUE(hl::plays().empty());
    press_button(0); // ten rows: the fourth is drawn and sounds
    frames(2);
    EXPECT_EQ(hl::plays().size(), 1u);
}

TEST_F(ReminderTest, TwoDueAlarmsStartOneEffect) {
    put_file(TODO_FILE, std::string(HEADING) +
                            task_line("E", 2008, 5, 1, 9, 0, REPEAT_NORMAL, true) +
                            task_line("F", 2008, 5, 2, 9, 0, REPEAT_WEEKLY, true));
    frames(3);
    EXPECT_EQ(hl::plays().size(), 1u);
}

TEST_F(ReminderTest, LateRepeatingTasksCountTheirPeriods) {
    auto due = [](int y, int m, int d) {
        return ticksfiletime(toticks({static_cast<uint16_t>(y), static_cast<uint16_t>(m), 0,
                                      static_cast<uint16_t>(d), 10, 0, 0, 0}));
    };
    set_now(2008, 5, 15, 10, 0, 0);
    EXPECT_EQ(alarmstate(due(2008, 4, 30), REPEAT_WEEKLY, 0, false), 2u | DUE_FLAG | WARN_FLAG);
    set_now(2009, 1, 5, 12, 0, 0);
    EXPECT_EQ(alarmstate(due(2008, 12, 20), REPEAT_MONTHLY, 0, false) & COUNT_MASK, 0u);
    set_now(2009, 1, 25, 12, 0, 0);
    EXPECT_EQ(alarmstate(due(2008, 12, 20), REPEAT_MONTHLY, 0, false) & COUNT_MASK, 1u);
    EXPECT_EQ(alarmstate(due(2009, 1, 26), REPEAT_MONTHLY, 0, true), 0u); // not yet
    EXPECT_EQ(alarmstate(due(2009, 1, 25), REPEAT_NORMAL, 15, false), DUE_FLAG);
    EXPECT_EQ(alarmstate(due(2009, 1, 26), REPEAT_NORMAL, 0, false), 0u); // no warning minutes
    EXPECT_EQ(alarmstate(due(2009, 1, 26), REPEAT_NORMAL, 1440, false), WARN_FLAG);
    EXPECT_EQ(alarmstate(due(1800, 1, 1), REPEAT_DAILY, 0, false) & ~(WARN_FLAG - 1),
              DUE_FLAG | WARN_FLAG); // ages late: the count stays below the flags
    EXPECT_TRUE(hl::plays().empty());
}

TEST_F(ReminderTest, CountFlashesOverTheDescription) {
    set_now(2008, 5, 15, 10, 0, 0);
    put_file(TODO_FILE, std::string(HEADING) + task_line("GYM", 2008, 4, 30, 9, 0, REPEAT_WEEKLY));
    int with_count = 0, with_text = 0;
    for (int i = 0; i < 30; ++i) {
        frame();
        with_count += draws_of(50 + 20 * 2, 450, 50 + 20 * 3, 474) > 0;
        with_text += text_drawn("GYM");
    }
    EXPECT_EQ(with_text, 30); // a count is drawn over the description, which stays
    EXPECT_GT(with_count, 10);
    EXPECT_LT(with_count, 20);
}

using ListReaderTest = GameTest;

TEST_F(ListReaderTest, CountsEveryBarAsTheEditorDoesAndKeeps999) {
    std::string text = "Home_t\r\nA_x 5_D 5_M 2008_Y_|";
    for (int i = 0; i < 1200; ++i) text += "B_x 1_?|\r\n";
    const TaskList list = readtasks(text, TODO_PANEL_READING);
    EXPECT_EQ(list.records.size(), 999u);
    EXPECT_STREQ(list.heading, "Home");
    EXPECT_STREQ(list.records[0].description, "A");
    EXPECT_EQ(filetimeticks(list.records[0].due), toticks({2008, 5, 0, 5, 0, 0, 0, 0}));
    EXPECT_STREQ(list.records[1].description, "B"); // the bar after "_" ended the first record
    EXPECT_EQ(list.records[1].repeat, REPEAT_BIRTHDAY);
}
