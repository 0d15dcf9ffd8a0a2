// Golden images of the to-do panel (collapsed, expanded, the completed list) and of the editor,
// drawn with the game's own art (see expect_golden in gfx_support.h for regenerating them).
#include <string>

#include "gfx_support.h"
#include "todo/dates.h"
#include "todo/tasks.h"
#include "todo_support.h"

namespace {

std::string open_tasks(int n) {
    const char* const names[] = {"DENTIST",  "GYM",      "CALL MUM", "WATER PLANTS",
                                 "PAY RENT", "BOOK CAR", "TAXES",    "BIRTHDAY CARD",
                                 "SHOP",     "LIBRARY",  "HAIRCUT",  "VET"};
    std::string text = "Errands_t\r\n";
    text += task_line(names[0], 2008, 5, 14, 8, 30, REPEAT_NORMAL, false, 15);
    text += task_line(names[1], 2008, 4, 30, 18, 0, REPEAT_WEEKLY);
    for (int i = 2; i < n; ++i)
        text += task_line(names[i], 2008, 5 + i / 3, 1 + 2 * i, 9 + i % 5, 15 * (i % 4), i % 6);
    return text;
}

} // namespace

using TodoGoldenTest = TodoTest;

TEST_F(TodoGoldenTest, PanelCollapsed) {
    put_file(TODO_FILE, open_tasks(5));
    frames(28); // settled on the centre, the blink on
    expect_golden("todo_collapsed");
}

TEST_F(TodoGoldenTest, PanelExpandedWithItsControls) {
    put_file(TODO_FILE, open_tasks(12));
    frame();
    press_button(0);
    point(200, 260); // a row hovered: it shows its date and time
    frames(19);
    expect_golden("todo_expanded");
}

TEST_F(TodoGoldenTest, PanelCompletedList) {
    put_file(TODO_FILE, open_tasks(3));
    put_file(DONE_FILE, "Completed tasks_t\r\n" + task_line("PAID BILLS", 2008, 5, 1, 8, 0) +
                            task_line("DENTIST", 2008, 3, 3, 9, 0, REPEAT_YEARLY, true));
    frame();
    press_button(2);
    frames(20);
    expect_golden("todo_completed");
}

TEST_F(TodoGoldenTest, EditorOnANewTask) {
    frame();
    press_button(1);
    type_text("BUY STAMPS");
    click(262, 225); // the alarm tick
    click(150, 225); // the time box, with its hint
    frames(8);
    expect_golden("todo_editor");
}
