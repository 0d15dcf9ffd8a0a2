// The start screen through the loop: the fade, the buttons and their first-match order, Escape,
// the web-link panel, both gone while the task editor runs, the pointer's visibility, the
// pointer's absolute positions, the keyboard focus, and a player's game continued with its notes.
#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>

#include "app/shell.h"
#include "gfx_support.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "players/players.h"
#include "screen_support.h"
#include "screens/name_box.h"
#include "screens/player_list.h"
#include "screens/start_screen.h"
#include "screens/task_editor.h"
#include "screens/todo_panel.h"
#include "store/datafile.h"
#include "sudoku/board.h"
#include "sudoku/notes.h"
#include "sudoku/saved_game.h"
#include "todo/tasks.h"
#include "todo_support.h"

namespace hl = platform::headless;

namespace {
// The draw of a start-sheet region by its source's top-left corner.
const platform::SpriteDraw* region_draw(int left, int top) {
    for (const platform::SpriteDraw& d : hl::draws())
        if (d.source.left == left && d.source.top == top && d.texture != charset_texture) return &d;
    return nullptr;
}
// Whether the game's pointer was drawn this frame.
bool pointer_drawn() {
    for (const platform::SpriteDraw& d : hl::draws())
        if (d.texture == charset_texture && d.source.left == 0 && d.source.top == 400 &&
            d.source.right == 20)
            return true;
    return false;
}
const StartVisit& start = start_screen_visit();
} // namespace

using StartTest = ScreenTest;

TEST_F(StartTest, FadesInAgainOnEveryEntry) {
    pass(10);
    EXPECT_GT(start.fade, 0);
    EXPECT_LT(start.fade, 100);
    pass(400);
    EXPECT_FLOAT_EQ(start.fade, 100);
    current_screen = Screen::options;
    pass();
    current_screen = Screen::start;
    pass();
    EXPECT_LT(start.fade, 2);
}

TEST_F(StartTest, ButtonsGrowUnderThePointerWithinTheirBands) {
    point(400, 400);
    ASSERT_NE(region_draw(360, 400), nullptr);
    EXPECT_FLOAT_EQ(region_draw(360, 400)->sx, 1.1f);
    EXPECT_FLOAT_EQ(region_draw(360, 435)->sx, 1);
    point(400, 415); // the band's edge belongs to no button
    EXPECT_FLOAT_EQ(region_draw(360, 400)->sx, 1);
    EXPECT_FLOAT_EQ(region_draw(360, 435)->sx, 1);
    point(400, 470);
    EXPECT_FLOAT_EQ(region_draw(360, 470)->sx, 1.1f);
    // Drawn by the middle of their right edge at x 505.
    EXPECT_FLOAT_EQ(region_draw(360, 470)->tx + 150 * 1.1f, 505);
}

TEST_F(StartTest, NewGameOpensTheNameDialogOnAFreshPlayer) {
    level = 12;
    score = 900;
    click(400, 400);
    EXPECT_EQ(dialog_active, 1);
    EXPECT_EQ(level, 1);
    EXPECT_EQ(score, 0);
    EXPECT_TRUE(new_game_flag);
    EXPECT_EQ(current_screen, Screen::game);
}

TEST_F(StartTest, OptionsButtonOpensTheOptionsScreen) {
    click(400, 435);
    EXPECT_EQ(current_screen, Screen::options);
    EXPECT_TRUE(pass());
}

TEST_F(StartTest, QuitButtonEndsTheProgramWithCodeZero) {
    click(400, 470);
    EXPECT_TRUE(ended());
    EXPECT_EQ(game_Finish(), 0);
}

TEST_F(StartTest, EscapeEndsTheProgramWithCodeZero) {
    press(DIK_ESCAPE);
    EXPECT_TRUE(ended());
    EXPECT_EQ(game_Finish(), 0);
}

TEST_F(StartTest, EscapeWinsOverAButtonPressedInTheSameFrame) {
    hl::place_mouse(400, 435);
    hl::set_button(0, true);
    hl::set_key(DIK_ESCAPE, true);
    pass(2);
    EXPECT_TRUE(ended());
    EXPECT_EQ(current_screen, Screen::start);
}

TEST_F(StartTest, WebLinkPanelOpensTheAboutPageOncePerPressAndCloses) {
    point(80, 440);
    EXPECT_TRUE(hl::urls_opened().empty());
    hl::set_button(0, true); // held for three frames, as a person clicks
    pass(3);
    ASSERT_EQ(hl::urls_opened().size(), 1u);
    EXPECT_EQ(hl::urls_opened()[0], "about.html");
    EXPECT_TRUE(ended());
}

// One press of Escape closes one thing: the name box, the task editor and the taken-name warning
// each take the press, held as long as a person holds a key, and the program goes on.
TEST_F(StartTest, EscapeInABoxClosesTheBoxAndNotTheProgram) {
    game_StorePlayer("ANN", 10, 2, 0);
    for (int held : {1, 3, 10}) {
        click(400, 400); // new game: the name box
        ASSERT_EQ(dialog_active, 1);
        type("BO");
        press(DIK_ESCAPE, held);
        pass(3);
        EXPECT_FALSE(ended()) << "name box, held " << held;
        EXPECT_EQ(dialog_active, 0);
        EXPECT_EQ(current_screen, Screen::start);

        point(256, 180); // the to-do panel's buttons show under the pointer
        pass(20);
        click(static_cast<int>(256 - todo_panel_run().button_offset + 25), 180); // new task
        ASSERT_TRUE(todo_panel_run().editor_open) << held;
        press(DIK_ESCAPE, held);
        pass(3);
        EXPECT_FALSE(ended()) << "task editor, held " << held;
        EXPECT_FALSE(todo_panel_run().editor_open);

        click(400, 400);
        type("ANN");
        press(DIK_RETURN);
        pass(30); // "Name already exist..." blinks
        ASSERT_EQ(current_screen, Screen::game);
        press(DIK_ESCAPE, held);
        pass(3);
        EXPECT_FALSE(ended()) << "taken name, held " << held;
        EXPECT_EQ(current_screen, Screen::start);
    }
    press(DIK_ESCAPE, 3); // on the start screen itself Escape still quits
    EXPECT_TRUE(ended());
}

TEST_F(StartTest, WhileTheTaskEditorRunsTheButtonsAndTheWebLinkAreGoneAndDoNothing) {
    point(256, 180); // the to-do panel's buttons show under the pointer
    pass(20);
    click(static_cast<int>(256 - todo_panel_run().button_offset + 25), 180); // new task
    ASSERT_TRUE(todo_panel_run().editor_open);
    point(400, 470);
    EXPECT_EQ(region_draw(360, 470), nullptr); // neither the buttons
    EXPECT_EQ(region_draw(0, 375), nullptr);   // nor the web link
    for (int y : {400, 435, 470}) click(400, y);
    click(100, 450);
    EXPECT_FALSE(ended());
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_EQ(dialog_active, 0);
    EXPECT_TRUE(hl::urls_opened().empty());
    press(DIK_ESCAPE);
    pass(3);
    ASSERT_FALSE(todo_panel_run().editor_open);
    point(400, 470);
    ASSERT_NE(region_draw(360, 470), nullptr);
    EXPECT_FLOAT_EQ(region_draw(360, 470)->sx, 1.1f);
    EXPECT_NE(region_draw(0, 375), nullptr);
}

TEST_F(StartTest, CloseControlAtTheWindowEdgeEndsTheProgram) {
    click(499, 5);
    EXPECT_TRUE(ended());
}

TEST_F(StartTest, PointerIsDrawnOnlyWhileTheWindowIsVisible) {
    point(100, 100);
    EXPECT_TRUE(pointer_drawn());
    hl::set_window_visible(false);
    pass();
    EXPECT_FALSE(pointer_drawn());
}

TEST_F(StartTest, AbsolutePositionsPlaceThePointerAndRelativeMotionMovesIt) {
    point(123, 321);
    EXPECT_EQ(mouse.x, 123);
    EXPECT_EQ(mouse.y, 321);
    hl::move_mouse(7, -21);
    pass();
    EXPECT_EQ(mouse.x, 130);
    EXPECT_EQ(mouse.y, 300);
    point(900, -40); // outside the window: held at the layout's edges
    EXPECT_EQ(mouse.x, 500);
    EXPECT_EQ(mouse.y, 0);
}

TEST_F(StartTest, PlayerListAndToDoListHideEachOther) {
    game_StorePlayer("ALICE", 10, 1, 0);
    ASSERT_TRUE(platform::file_write("todo.txt", "", 0));
    current_screen = Screen::options; // the lists read their files when the screen is entered
    pass();
    current_screen = Screen::start;
    pass();
    // Both show; each remembers the frame it last ran in.
    EXPECT_EQ(player_list_run().frame, frame_counter);
    EXPECT_EQ(todo_panel_run().last_frame, frame_counter);

    click(316, 350); // the player list's toggle, below its one row
    ASSERT_TRUE(player_list_run().list_expanded);
    pass();
    EXPECT_EQ(player_list_run().frame, frame_counter);
    EXPECT_NE(todo_panel_run().last_frame, frame_counter);

    click(316, 230); // the toggle below the expanded list's one row
    ASSERT_FALSE(player_list_run().list_expanded);
    point(240, 212); // near the to-do panel: its buttons settle centred
    pass(30);
    click(240, 212); // its expand button
    ASSERT_EQ(todo_panel_run().panel_state, 1);
    pass();
    EXPECT_NE(player_list_run().frame, frame_counter);
    EXPECT_EQ(todo_panel_run().last_frame, frame_counter);
}

TEST_F(StartTest, GoldenStartScreen) {
    game_StorePlayer("ALICE", 2450, 4, 0);
    game_StorePlayer("BOB", 380, 2, 0);
    current_screen = Screen::options;
    pass();
    current_screen = Screen::start;
    pass(400);
    point(420, 435); // over Options
    expect_golden("start");
    expect_dense_goldens("start", [] { point(420, 435); });
    // The keyboard focus: on the second row, then on New game.
    press(DIK_TAB);
    press(DIK_DOWN);
    point(420, 300);
    expect_golden("start_focus");
    press(DIK_TAB);
    expect_golden("start_focus_button");
}

// The whole screen from the keyboard alone, each key held as long as a person holds it: the first
// key shows the focus, Down walks the rows (scrolling the compact list), Enter continues the
// focused player; Tab reaches New game, whose Space opens an empty name box that stays open and
// takes letters on a Russian or Greek layout; while the task editor runs the focus keys do nothing;
// Shift+Tab goes up to the to-do panel's buttons and wraps round to Quit.
TEST_F(StartTest, KeysAloneContinueAPlayerStartANewGameAndQuit) {
    game_StorePlayer("ALICE", 2450, 4, 0);
    game_StorePlayer("BOB", 380, 2, 0);
    game_StorePlayer("CAROL", 200, 3, 0);
    game_StorePlayer("DAN", 90, 5, 0);
    for (int held : {1, 3, 10}) {
        // Entered afresh: the list reads the table in the screen's first frame, after the keys.
        current_screen = Screen::none;
        pass();
        current_screen = Screen::start;
        pass();
        press(DIK_DOWN, held);
        ASSERT_TRUE(start.focus.shown) << held;
        EXPECT_EQ(start.focus.group, START_LIST);
        EXPECT_EQ(start.focus.item, 0);
        for (int step = 0; step < 3; ++step) press(DIK_DOWN, held);
        EXPECT_EQ(player_list_run().list_first_row, 2) << held; // DAN ends the compact list
        press(DIK_RETURN, held);
        ASSERT_EQ(current_screen, Screen::game) << held;
        EXPECT_STREQ(player_name, "DAN");
        EXPECT_EQ(level, 5);
        press(DIK_ESCAPE, held);
        pass(3);
        ASSERT_EQ(current_screen, Screen::start);
        EXPECT_FALSE(start.focus.shown); // a new visit

        press(DIK_TAB, held);
        press(DIK_TAB, held);
        EXPECT_EQ(start.focus.group, START_NEW_GAME);
        press(DIK_SPACE, held);
        pass(3);
        ASSERT_EQ(dialog_active, 1) << held; // the box did not take the Space as typed
        EXPECT_STREQ(player_name, "");
        // Without Latin letters on the layout, the keys type what they type on a US one.
        hl::set_key_layout(held == 1 ? hl::KeyLayout::russian : hl::KeyLayout::greek);
        type("QZ");
        press(DIK_SLASH, held);
        EXPECT_STREQ(player_name, "QZ/") << held;
        hl::set_key_layout(hl::KeyLayout::us);
        press(DIK_ESCAPE, held);
        pass(3);
        ASSERT_EQ(dialog_active, 0);
    }
    point(256, 180); // the to-do panel's buttons show under the pointer
    pass(20);
    click(static_cast<int>(256 - todo_panel_run().button_offset + 25), 180); // new task
    ASSERT_TRUE(todo_panel_run().editor_open);
    for (int key : {DIK_DOWN, DIK_UP, DIK_RIGHT}) press(key, 3);
    EXPECT_FALSE(start.focus.shown);
    press(DIK_ESCAPE);
    pass(3);
    ASSERT_FALSE(todo_panel_run().editor_open);
    press(DIK_TAB); // the focus shows on the first row
    hl::set_key(DIK_LSHIFT, true);
    press(DIK_TAB, 3);
    EXPECT_EQ(start.focus.group, START_PANEL_BUTTONS);
    press(DIK_TAB, 1); // past the panel without tasks
    hl::set_key(DIK_LSHIFT, false);
    EXPECT_EQ(start.focus.group, START_QUIT);
    EXPECT_FALSE(ended());
    press(DIK_NUMPADENTER, 10);
    EXPECT_TRUE(ended());
}

// The to-do panel and its editor from the keyboard alone: Tab goes on from Quit to the panel's
// tasks, which the focus selects and scrolls into view, and to its buttons; Enter opens the focused
// task or presses the focused button. In the editor Down walks its boxes, ticks and buttons (the
// masked Add passed over), letters go to the box in focus on a Russian layout too, Enter clicks a
// tick or a button, and Escape leaves. The panel's clock shows its seconds in two digits.
TEST_F(StartTest, KeysAloneWorkTheToDoPanelAndItsEditor) {
    std::string tasks = "Errands_t\r\n";
    for (int i = 0; i < 4; ++i)
        tasks += task_line(std::array{"GYM", "DENTIST", "SHOP", "VET"}[i], 2030, 5, 14 + i, 8, 30);
    put_file(TODO_FILE, tasks);
    hl::set_local_time({2026, 1, 4, 1, 6, 37, 3, 0});
    pass(2);
    EXPECT_TRUE(text_drawn("6:37:03"));
    press(DIK_TAB); // shows the focus on New game: there is no player
    for (int held : {1, 3, 10}) press(DIK_TAB, held); // Options, Quit, the first task
    EXPECT_EQ(start_screen_todo().selection, 1);
    for (int held : {1, 3, 10}) press(DIK_DOWN, held);
    EXPECT_EQ(start_screen_todo().selection, 4);
    EXPECT_EQ(todo_panel_run().first_row, 1); // the compact panel shows three rows
    press(DIK_UP, 3);
    press(DIK_RETURN, 10);
    ASSERT_TRUE(todo_panel_run().editor_open);
    EXPECT_STREQ(task_editor_visit().edit_task.description, "SHOP");
    hl::set_key_layout(hl::KeyLayout::russian);
    for (int i = 0; i < 4; ++i) press(DIK_BACK);
    type("GIFTS");
    press(DIK_DOWN, 3);
    EXPECT_EQ(task_editor_visit().edit_field, FIELD_DATE);
    EXPECT_STREQ(task_editor_visit().edit_task.description, "GIFTS");
    for (int step = 0; step < 3; ++step) press(DIK_DOWN, 1); // the done tick, the time, the alarm
    press(DIK_RETURN, 10);
    EXPECT_TRUE(task_editor_visit().edit_task.alarm);
    for (int step = 0; step < 4; ++step)
        press(DIK_DOWN, 3); // the repeat, the minutes, Delete, Update
    press(DIK_RETURN, 1);
    pass(2);
    ASSERT_FALSE(todo_panel_run().editor_open);
    TaskRecord saved;
    ASSERT_TRUE(readtask(2, saved, TODO_FILE));
    EXPECT_STREQ(saved.description, "GIFTS");
    EXPECT_TRUE(saved.alarm);

    press(DIK_TAB, 3); // the panel's expand button
    press(DIK_RETURN, 3);
    EXPECT_EQ(todo_panel_run().panel_state, 1);
    press(DIK_RIGHT, 1);
    press(DIK_RETURN, 10); // new task
    ASSERT_TRUE(todo_panel_run().editor_open);
    EXPECT_EQ(start_screen_todo().selection, -1);
}

// A player's row continues the saved game with its pencil marks and undo history; a notes file
// that is damaged or belongs to another puzzle leaves no marks, and the game goes on. On a full
// disk every file still reads (reading writes nothing) and leaving costs only the change; a file
// the system refuses to read is named once with the reason and never replaced in the run.
TEST_F(StartTest, ContinuingAPlayerBringsBackTheGameWithItsNotes) {
    std::strcpy(player_name, "ANN");
    game_StorePlayer("ANN", 10, 3, 0);
    score = 10;
    level = 3;
    game_StartLevel();
    const int entered = static_cast<int>(std::find(board, board + 81, CELL_EMPTY) - board);
    int marked = 80; // the last empty cell
    while (board[marked] != CELL_EMPTY) --marked;
    ASSERT_LT(entered, marked);
    StepRecord step;
    begin_step(step, entered);
    board[entered] = CELL_RIGHT + solution[entered];
    end_step(step);
    play_notes.marks[marked] = mark_bit(4);
    int32_t saved[81];
    std::copy(board, board + 81, saved);
    ASSERT_TRUE(game_SaveGame());

    enum Case { whole, full_disk, damaged, unreadable };
    for (Case trial : {whole, full_disk, damaged, unreadable}) {
        const size_t told = hl::message_boxes().size();
        platform::set_disk_space(trial == full_disk ? 0 : -1);
        if (trial == unreadable) {
            std::filesystem::remove("edit/ANN.notes");
            std::filesystem::create_directory("edit/ANN.notes");
        }
        if (trial == damaged) {
            ASSERT_TRUE(writedatafile("edit\\ANN.notes", "notes 1\r\nend\r\n"));
        }
        current_screen = Screen::start;
        notes_reset();
        std::fill(board, board + 81, 0);
        pass();
        point(200, 331);
        ASSERT_STREQ(list_hover_name, "ANN") << trial;
        click(200, 331);
        EXPECT_EQ(current_screen, Screen::game);
        EXPECT_TRUE(std::equal(board, board + 81, saved)) << trial;
        const bool notes = trial == whole || trial == full_disk;
        EXPECT_EQ(play_notes.marks[marked], notes ? mark_bit(4) : 0);
        int undone = -1;
        EXPECT_EQ(undo_step(undone), notes); // the entry is undone with the saved history
        EXPECT_EQ(undone, notes ? entered : -1);
        if (trial == full_disk || trial == unreadable) {
            press(DIK_ESCAPE, 3);
            ASSERT_EQ(hl::message_boxes().size(), told + (trial == full_disk ? 1 : 2)) << trial;
        }
        if (trial == full_disk) {
            EXPECT_EQ(hl::message_boxes()[told].text, "the game could not be saved");
        }
        if (trial == unreadable) {
            EXPECT_EQ(hl::message_boxes()[told].text,
                      "\"edit\\ANN.notes\" could not be read: Is a directory. It is left as it "
                      "is, and the game saves no change to it until it is started again.");
            EXPECT_EQ(hl::message_boxes()[told + 1].text,
                      "the pencil marks and undo history could not be saved");
        }
    }
    char name[PLAYER_NAME_SIZE] = "ANN";
    int32_t stored_score = 0, stored_level = 0;
    ASSERT_TRUE(game_LoadPlayer(0, name, &stored_score, &stored_level)); // the full disk lost none
    EXPECT_EQ(stored_score, 10);
    EXPECT_EQ(stored_level, 3);
}
