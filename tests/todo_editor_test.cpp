// The task editor opened from the panel and worked with the mouse and keyboard: new tasks, the
// boxes and their messages, saving, completing, deleting, and what each step leaves on disk.
#include <string>

#include "input/keyboard.h"
#include "platform/files.h"
#include "screens/task_editor.h"
#include "screens/todo_panel.h"
#include "todo/dates.h"
#include "todo_support.h"

namespace hl = platform::headless;

namespace {

// Where the form's controls are.
constexpr int TITLE[] = {100, 50}, SET_TITLE[] = {320, 50}, DESCRIPTION[] = {100, 120},
              DATE[] = {150, 170}, TIME[] = {150, 225}, MINUTES[] = {250, 275}, DONE[] = {262, 175},
              ALARM[] = {262, 225}, ADD[] = {120, 387}, DELETE[] = {200, 387},
              UPDATE[] = {300, 387}, CLOSE[] = {380, 387};

bool has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

class EditorTest : public TodoTest {
  protected:
    void at(const int (&where)[2]) { click(where[0], where[1]); }
    void open_new() {
        frame();
        press_button(1);
        ASSERT_TRUE(todo_panel_run().editor_open);
    }
    void open_row(int k) {
        frames(2);
        click(200, row_y(k));
        click(200, row_y(k));
        ASSERT_TRUE(todo_panel_run().editor_open);
    }
    // Opens the one task of a fresh "todo.txt" and returns the file as it was.
    std::string open_only(const std::string& line) {
        put_file(TODO_FILE, "Errands_t\r\n" + line);
        frame();
        std::string before = file_text(TODO_FILE);
        open_row(0);
        return before;
    }
    // Whether the message shows in some of the next frames (it blinks).
    bool blinks(const char* message) {
        int shown = 0;
        for (int i = 0; i < 30; ++i) {
            frame();
            shown += text_drawn(message);
        }
        return shown > 0 && shown < 30;
    }
};

TEST_F(EditorTest, NewTaskNeedsADescription) {
    open_new();
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DESCRIPTION);
    at(ADD);
    EXPECT_TRUE(blinks("Description cannot be empty"));
    EXPECT_TRUE(todo_panel_run().editor_open);
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DESCRIPTION);
    EXPECT_FALSE(platform::file_exists(TODO_FILE));
}

TEST_F(EditorTest, DateAndTimeThatDoNotExistAreReportedAndNeverSaved) {
    open_new();
    type_text("DENTIST");
    at(DATE);
    for (int i = 0; i < 10; ++i) type(DIK_BACK);
    type_text("20080230");
    EXPECT_STREQ(task_editor_visit().edit_text, "2008/02/30");
    type(DIK_TAB);
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_TIME);
    EXPECT_TRUE(blinks("Incorrect Date"));
    frames(130);
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DATE); // back on the date after 2.5 seconds
    EXPECT_EQ(task_editor_visit().edit_task.when.wDay, 30);
    at(ADD); // refused with the same message, the focus on the date, nothing written
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DATE);
    EXPECT_TRUE(blinks("Incorrect Date"));
    EXPECT_FALSE(platform::file_exists(TODO_FILE));

    frames(150);
    for (int i = 0; i < 10; ++i) type(DIK_BACK);
    type_text("20080520");
    at(TIME);
    for (int i = 0; i < 8; ++i) type(DIK_BACK);
    type_text("250000");
    EXPECT_STREQ(task_editor_visit().edit_text, "25:00:00");
    at(DESCRIPTION);
    EXPECT_TRUE(blinks("Incorrect Time"));
    at(ADD);
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_TIME);
    EXPECT_TRUE(blinks("Incorrect Time"));
    EXPECT_FALSE(platform::file_exists(TODO_FILE));
}

TEST_F(EditorTest, TabGoesRoundTheFourBoxesAndNeverToTheTitle) {
    open_new();
    for (int expected : {2, 3, 4, 1, 2}) {
        type(DIK_TAB);
        EXPECT_EQ(task_editor_visit().edit_field, expected);
    }
    at(TITLE);
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_TITLE);
    EXPECT_STREQ(task_editor_visit().edit_text, "...");
    type(DIK_RETURN);
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DESCRIPTION);
}

TEST_F(EditorTest, BlankTitleIsRefusedAndNothingSaved) {
    open_new();
    at(TITLE);
    for (int i = 0; i < 3; ++i) type(DIK_BACK);
    at(SET_TITLE);
    EXPECT_TRUE(blinks("title cannot be blank"));
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_TITLE);
    frames(10);
    EXPECT_TRUE(todo_panel_run().editor_open);
    EXPECT_FALSE(task_editor_visit().save_request);
    EXPECT_FALSE(platform::file_exists(TODO_FILE));
}

TEST_F(EditorTest, EscapeWritesNothing) {
    const std::string before = open_only(task_line("BANK", 2008, 6, 1, 9, 30));
    at(DESCRIPTION);
    type_text("XY");
    at(DONE);
    point(UPDATE[0], UPDATE[1]); // Update, then Escape in the frame the save would run
    const long pass = hl::passes() + 1;
    hl::script({{pass, hl::EventKind::button_down, 0},
                {pass + 1, hl::EventKind::button_up, 0},
                {pass + 1, hl::EventKind::key_down, DIK_ESCAPE},
                {pass + 2, hl::EventKind::key_up, DIK_ESCAPE}});
    frames(3);
    EXPECT_FALSE(todo_panel_run().editor_open);
    EXPECT_EQ(file_text(TODO_FILE), before);
    open_row(0); // a save asked for before the Escape does not run on the next opening
    frames(3);
    EXPECT_TRUE(todo_panel_run().editor_open);
    EXPECT_EQ(file_text(TODO_FILE), before);
}

TEST_F(EditorTest, CompletedTaskShowsMasksTakesNoTypingAndDeletes) {
    put_file(DONE_FILE, "Completed tasks_t\r\n" + task_line("PAID", 2008, 5, 1, 8, 0) +
                            task_line("FILED", 2008, 5, 2, 8, 0));
    frame();
    press_button(2);
    open_row(1);
    EXPECT_EQ(draws_of(0, 150, 50, 175), 2); // Add and set-title
    EXPECT_EQ(draws_of(0, 150, 80, 175), 1); // Update
    EXPECT_EQ(draws_of(0, 150, 75, 175), 0); // Delete stays
    type_text("AB");
    at(DATE);
    EXPECT_STREQ(task_editor_visit().edit_text, "FILED");
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DESCRIPTION);
    at(UPDATE);
    EXPECT_FALSE(task_editor_visit().save_request);
    at(DELETE);
    EXPECT_TRUE(blinks("Deleting"));
    at(CLOSE); // the form waits while "Deleting" runs
    EXPECT_TRUE(todo_panel_run().editor_open);
    frames(130);
    EXPECT_FALSE(todo_panel_run().editor_open);
    EXPECT_EQ(file_text(DONE_FILE), "Completed tasks_t\r\n" + task_line("PAID", 2008, 5, 1, 8, 0));
}

TEST_F(EditorTest, DoneOnAWeeklyTaskMovesItAndAppendsItAWeekOn) {
    open_only(task_line("GYM", 2008, 5, 14, 9, 0, REPEAT_WEEKLY));
    at(DONE);
    set_now(2008, 5, 14, 9, 0, 0); // the task falls due now: it may be completed
    at(UPDATE);
    EXPECT_FALSE(todo_panel_run().editor_open);
    EXPECT_TRUE(has(file_text(DONE_FILE),
                    "Completed tasks_t\r\nGYM_x 14_D 5_M 2008_Y 9_h 0_m 0_s 3_? 1_j"));
    TaskRecord again;
    ASSERT_TRUE(readtask(0, again, TODO_FILE));
    EXPECT_STREQ(again.description, "GYM");
    EXPECT_EQ(again.done, 0);
    EXPECT_EQ(filetimeticks(again.due), toticks({2008, 5, 0, 21, 9, 0, 0, 0}));
    EXPECT_FALSE(readtask(1, again, TODO_FILE));
}

TEST_F(EditorTest, TaskCreatedEditedCompletedAndDeletedByMouseAndKeys) {
    open_new();
    type_text("DENTIST");
    at(DATE);
    for (int i = 0; i < 10; ++i) type(DIK_BACK);
    type_text("20080520");
    at(TIME);
    for (int i = 0; i < 8; ++i) type(DIK_BACK);
    type_text("100000");
    at(ALARM);
    at(ADD);
    EXPECT_FALSE(todo_panel_run().editor_open);
    EXPECT_EQ(file_text(TODO_FILE),
              "..._t\r\n" + task_line("DENTIST", 2008, 5, 20, 10, 0, REPEAT_NORMAL, true));
    EXPECT_FALSE(platform::file_exists(DONE_FILE));

    open_row(0);
    at(DESCRIPTION);
    for (int i = 0; i < 7; ++i) type(DIK_BACK);
    type_text("DOCTOR");
    at(MINUTES);
    type(DIK_BACK);
    type_text("15");
    type(DIK_RIGHT);
    type(DIK_LEFT);
    type(DIK_LEFT);
    EXPECT_EQ(task_editor_visit().edit_task.repeat, REPEAT_YEARLY);
    click(150, 275); // the repeat label: left adds one
    EXPECT_EQ(task_editor_visit().edit_task.repeat, REPEAT_NORMAL);
    at(TITLE);
    for (int i = 0; i < 3; ++i) type(DIK_BACK);
    type_text("HEALTH");
    at(UPDATE);
    EXPECT_FALSE(todo_panel_run().editor_open);
    std::string todo = file_text(TODO_FILE);
    EXPECT_TRUE(
        has(todo, "HEALTH_t\r\nDOCTOR_x 20_D 5_M 2008_Y 10_h 0_m 0_s 0_? 0_j 1_a 15_n 0_b "));
    EXPECT_FALSE(platform::file_exists(DONE_FILE));

    open_row(0);
    at(DONE);
    at(UPDATE);
    EXPECT_FALSE(todo_panel_run().editor_open);
    EXPECT_EQ(file_text(TODO_FILE), "HEALTH_t\r\n");
    EXPECT_TRUE(has(file_text(DONE_FILE), "Completed tasks_t\r\nDOCTOR_x 20_D 5_M 2008_Y"));

    press_button(2);
    open_row(0);
    at(DELETE);
    frames(150);
    EXPECT_FALSE(todo_panel_run().editor_open);
    EXPECT_EQ(file_text(DONE_FILE), "Completed tasks_t\r\n");
    EXPECT_EQ(file_text(TODO_FILE), "HEALTH_t\r\n");
}

TEST_F(EditorTest, PastMomentIsRefusedAndCloseKeepsTheFile) {
    const std::string before = open_only(task_line("OLD", 2008, 5, 1, 9, 0));
    at(UPDATE);
    EXPECT_TRUE(blinks("Set Date, Time must be in the future"));
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DATE);
    at(CLOSE);
    EXPECT_FALSE(todo_panel_run().editor_open);
    EXPECT_EQ(file_text(TODO_FILE), before);
}
