// The game screen played through the headless loop with scripted mouse and keys: whole levels,
// judged entries, the picker, leaving and saving, the new-name check, the end signals, the
// screen's picture.
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <utility>

#include "app/device.h"
#include "app/shell.h"
#include "gfx_support.h"
#include "input/keyboard.h"
#include "platform/files.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/play_screen.h"
#include "store/background_save.h"
#include "sudoku/notes.h"
#include "sudoku/saved_game.h"

namespace hl = platform::headless;

namespace {

constexpr int DIK_Y = 21, DIK_P = 25, DIK_N = 49; // where a US layout has them

float centre(int i) {
    return 45.0f + 160.0f * static_cast<float>(i / 3) + 50.0f * static_cast<float>(i % 3);
}

bool drawn_near(int strip_top, int strip_left_from, float x, float y) {
    return std::any_of(hl::draws().begin(), hl::draws().end(), [&](const platform::SpriteDraw& d) {
        return d.source.top == strip_top && d.source.left >= strip_left_from &&
               std::abs(d.tx - x) < 25 && std::abs(d.ty - y) < 25;
    });
}

} // namespace

class PlayTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        copy_assets();
        platform::make_directory("edit");
        ASSERT_TRUE(game_InitDevice());
        ASSERT_EQ(Game_0Stage0(), 0);
        std::strcpy(player_name, "ANN");
        level = 30;
        game_StartLevel();
        // The pointer to the top-left corner, where the scripts' moves start from.
        events.push_back({pass = 1, hl::EventKind::mouse_move, -1000, -1000});
        ASSERT_TRUE(run());
    }
    void TearDown() override {
        game_Cleanup();
        GameTest::TearDown();
    }
    // Scripts the pointer's move to (x, y) in the next pass, a press in the one after and the
    // release after that (the picker judges the item under the pointer as of the frame before).
    void click(float x, float y) {
        const int tx = static_cast<int>(x), ty = static_cast<int>(y);
        events.push_back({++pass, hl::EventKind::mouse_move, tx - px, ty - py});
        px = tx;
        py = ty;
        events.push_back({++pass, hl::EventKind::button_down, 0});
        events.push_back({++pass, hl::EventKind::button_up, 0});
    }
    void key(int dik) {
        events.push_back({++pass, hl::EventKind::key_down, dik});
        events.push_back({++pass, hl::EventKind::key_up, dik});
    }
    // Holds the keys down for some frames, pressed in order and released in reverse.
    void hold(std::initializer_list<int> keys, int frames) {
        const long down = ++pass;
        for (int k : keys) events.push_back({down, hl::EventKind::key_down, k});
        pass += frames;
        for (auto k = std::rbegin(keys); k != std::rend(keys); ++k)
            events.push_back({pass, hl::EventKind::key_up, *k});
    }
    // Moves the keyboard's selection from (col, row) to cell i with the arrows, each press held
    // for one of the frame counts in turn.
    void arrows_to(int i, int& col, int& row) {
        for (; col != i % 9; col = (col + 1) % 9) hold({DIK_RIGHT}, HOLDS[presses++ % 3]);
        for (; row != i / 9; row = (row + 8) % 9) hold({DIK_UP}, HOLDS[presses++ % 3]);
    }
    // Types a digit on the top row or, every other time, on the keypad.
    void type_digit(int digit) {
        const int keypad[10] = {0,           DIK_NUMPAD1, DIK_NUMPAD2, DIK_NUMPAD3, DIK_NUMPAD4,
                                DIK_NUMPAD5, DIK_NUMPAD6, DIK_NUMPAD7, DIK_NUMPAD8, DIK_NUMPAD9};
        hold({presses % 2 ? keypad[digit] : DIK_1 + digit - 1}, HOLDS[presses % 3]);
        ++presses;
    }
    static constexpr int HOLDS[3] = {1, 3, 10};
    int presses = 0;
    // The saved game on the disk, once every save handed to the background is written.
    void expect_saved(const char* what) {
        saves_flush();
        int32_t saved[81], saved_solution[81];
        const int32_t wrong = wrong_entries;
        ASSERT_EQ(game_LoadGame("ANN", saved, saved_solution), 162) << what;
        EXPECT_TRUE(std::equal(saved, saved + 81, board)) << what;
        EXPECT_EQ(wrong_entries, wrong) << what;
    }
    // Clicks cell i and then the picker item of digit (1 to 9, 10 clears).
    void enter(int i, int digit) {
        const float cx = centre(i % 9), cy = centre(i / 9);
        click(cx, cy);
        const float x = cx + 140 > 511 ? 372 : cx;
        const float y = cy + 35 + 140 > 511 ? cy - 105 : cy + 35;
        click(x + 35.0f * static_cast<float>((digit - 1) % 4),
              y + 35.0f * static_cast<float>((digit - 1) / 4));
    }
    // Runs the loop through the scripted passes; false when it ended.
    bool run(long extra = 0) {
        hl::script(events);
        events.clear();
        pass += extra;
        while (hl::passes() < pass)
            if (!game_LoopPass()) return false;
        return true;
    }
    int first_cell(bool given) const {
        for (int i = 0; i < 81; ++i)
            if ((board[i] >= 1 && board[i] <= 9) == given) return i;
        return -1;
    }
    const PlayRun& play = play_screen_run();
    const PlayVisit& visit = play_screen_visit();
    int selected() const { return play.selected_row * 9 + play.selected_col; }
    std::vector<hl::Event> events;
    long pass = 0;
    int px = 0, py = 0;
};

TEST_F(PlayTest, ALevelPlayedWithTheMouseEndsOnTheNextLevelScreenInTheCompletingFrame) {
    new_game_flag = true;
    int empty = 0, last = 0;
    for (int i = 0; i < 81; ++i)
        if (board[i] == 0) {
            enter(i, solution[i]);
            ++empty;
            last = i;
        }
    ASSERT_GT(empty, 20);
    hl::script(events);
    while (hl::passes() < pass && current_screen == Screen::game) game_LoopPass();
    EXPECT_EQ(current_screen, Screen::next_level);
    EXPECT_EQ(hl::passes(), pass - 1); // the pass of the last press
    EXPECT_TRUE(boardcomplete(board));
    EXPECT_EQ(wrong_entries, 0);
    char name[PLAYER_NAME_SIZE] = "ANN";
    int32_t s = -1, l = -1;
    EXPECT_TRUE(game_LoadPlayer(0, name, &s, &l)); // the new player was added
    EXPECT_EQ(l, 30);
    // Every entry was saved as it was made, but for the completing one: the saved game keeps the
    // level's last unfinished board.
    saves_flush();
    int32_t saved[81], saved_solution[81];
    ASSERT_EQ(game_LoadGame("ANN", saved, saved_solution), 162);
    for (int i = 0; i < 81; ++i) EXPECT_EQ(saved[i], i == last ? 0 : board[i]) << i;
}

TEST_F(PlayTest, ALevelFinishedFromTheKeyboardAlone) {
    new_game_flag = true;
    const int first = first_cell(false);
    EXPECT_EQ(selected(), first); // the selection starts on the first empty cell
    int col = first % 9, row = first / 9, empty = 0;
    for (int i = 0; i < 81; ++i) {
        if (board[i] != 0) continue;
        arrows_to(i, col, row); // rightwards and upwards, wrapping at the edges
        if (i == first) type_digit(solution[i] % 9 + 1); // a wrong digit first
        type_digit(solution[i]);
        ++empty;
    }
    ASSERT_GT(empty, 20);
    hl::script(events);
    while (hl::passes() < pass && current_screen == Screen::game) game_LoopPass();
    EXPECT_EQ(current_screen, Screen::next_level);
    EXPECT_TRUE(boardcomplete(board));
    EXPECT_EQ(wrong_entries, 1);
}

// Clicks and keys act on one selection; a typed digit is judged and counted as a picked one, and
// every change is on the disk at once.
TEST_F(PlayTest, MouseAndKeysMixAndEveryChangeIsSavedAtOnce) {
    const int i = first_cell(false);
    const int wrong = solution[i] % 9 + 1;
    click(centre(i % 9), centre(i / 9)); // selects and opens the picker
    hold({DIK_1 + wrong - 1}, 3);        // typed into the picker's cell, which closes
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[i], wrong + CELL_WRONG);
    EXPECT_EQ(wrong_entries, 1);
    EXPECT_FALSE(picker_open);
    expect_saved("typed");
    enter(i, wrong); // the same wrong digit picked counts again
    ASSERT_TRUE(run(1));
    EXPECT_EQ(wrong_entries, 2);
    expect_saved("picked");

    hold({DIK_RIGHT}, 10); // a ten-frame press moves once
    ASSERT_TRUE(run(1));
    EXPECT_EQ(selected(), i / 9 * 9 + (i + 1) % 9);
    hold({DIK_LEFT}, 1);
    hold({DIK_BACK}, 3);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[i], CELL_EMPTY);
    EXPECT_EQ(wrong_entries, 2);
    expect_saved("cleared");
    for (int frames : {1, 3, 10}) { // Alt+Enter is full screen's alone
        hold({DIK_LMENU, DIK_RETURN}, frames);
        ASSERT_TRUE(run(1));
        EXPECT_FALSE(picker_open) << frames;
        EXPECT_EQ(hl::fullscreen(), frames != 3) << frames;
    }
    hold({DIK_RMENU, DIK_RETURN}, 3);
    ASSERT_TRUE(run(1));
    EXPECT_FALSE(picker_open);
    EXPECT_FALSE(hl::fullscreen());
    hold({DIK_RETURN}, 3); // opens the picker, and the mouse chooses in it
    ASSERT_TRUE(run(1));
    EXPECT_TRUE(picker_open);
    events.push_back({++pass, hl::EventKind::mouse_move, static_cast<int>(play.picker_x) - px,
                      static_cast<int>(play.picker_y) + 35 - py}); // onto item 5
    events.push_back({++pass, hl::EventKind::button_down, 0});
    events.push_back({++pass, hl::EventKind::button_up, 0});
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[i] % 10, 5);
    expect_saved("picked after the keys");

    // An arrow held repeats after a delay; the keypad's arrows work while Num Lock is off.
    const int row = play.selected_row, col = play.selected_col;
    hold({DIK_DOWN}, 30); // a press, then repeats 24 and 28 frames into it
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play.selected_row, (row + 3) % 9);
    hl::set_numlock(false);
    hold({DIK_NUMPAD6}, 3);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play.selected_col, (col + 1) % 9);
    EXPECT_EQ(board[i] % 10, 5);
}

// Pencil marks are never judged; an entry takes its digit out of the marks of its row, column and
// box; undo and redo go over entries, clears and marks and never lower the wrong-entry count.
TEST_F(PlayTest, PencilMarksUndoAndRedo) {
    // A cell with an empty cell in its row, one in its column and one in its box alone.
    int a = -1, r = -1, c = -1, b = -1;
    for (int i = 0; i < 81 && b < 0; ++i) {
        if (board[i] != 0) continue;
        a = i;
        r = c = b = -1;
        for (int j = 0; j < 81; ++j) {
            if (board[j] != 0 || j == i) continue;
            const bool row = j / 9 == i / 9, col = j % 9 == i % 9;
            const bool box = j / 27 == i / 27 && j % 9 / 3 == i % 9 / 3;
            if (row && !box) r = j;
            if (col && !box) c = j;
            if (box && !row && !col) b = j;
        }
        if (r < 0 || c < 0) b = -1;
    }
    ASSERT_GE(b, 0);
    // Four digits, the first wrong in r; the first three are entered in r, c and b.
    int d[4];
    for (int k = 0; k < 4; ++k) d[k] = (solution[r] + k) % 9 + 1;
    const auto bits = [&](std::initializer_list<int> ks) {
        int all = 0;
        for (int k : ks) all |= mark_bit(d[k]);
        return all;
    };
    int col = play.selected_col, row = play.selected_row;
    arrows_to(a, col, row);
    hold({DIK_N}, 3);
    for (int k : {0, 1, 2, 3, 3, 3}) type_digit(d[k]); // the last on, off and on again
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play_notes.marks[a], bits({0, 1, 2, 3}));
    EXPECT_EQ(board[a], CELL_EMPTY);
    EXPECT_EQ(wrong_entries, 0); // marks are never judged
    click(170, 12); // the notes switch beside the counters takes its click: no picker opens
    ASSERT_TRUE(run(1));
    EXPECT_FALSE(visit.notes_mode);
    EXPECT_FALSE(picker_open);
    EXPECT_EQ(selected(), a);
    const int cells[3] = {r, c, b};
    int wrong = 0;
    for (int k = 0; k < 3; ++k) {
        arrows_to(cells[k], col, row);
        type_digit(d[k]);
        wrong += solution[cells[k]] != d[k];
    }
    arrows_to(r, col, row);
    hold({DIK_DELETE}, 1);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play_notes.marks[a], bits({3})); // entered in its row, column and box
    EXPECT_EQ(board[r], CELL_EMPTY);
    EXPECT_GE(wrong, 1);
    EXPECT_EQ(wrong_entries, wrong);

    hold({DIK_LCONTROL, DIK_Z}, 3);  // the clear
    hold({DIK_RCONTROL, DIK_Z}, 10); // the entry in the box
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[r], CELL_WRONG + d[0]);
    EXPECT_EQ(board[b], CELL_EMPTY);
    EXPECT_EQ(play_notes.marks[a], bits({2, 3}));
    EXPECT_EQ(selected(), b); // the selection goes to the undone cell
    hold({DIK_LCONTROL, DIK_Y}, 1);
    hold({DIK_LCONTROL, DIK_LSHIFT, DIK_Z}, 3);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[b] % 10, d[2]);
    EXPECT_EQ(board[r], CELL_EMPTY);
    EXPECT_EQ(play_notes.marks[a], bits({3}));
    for (int step = 0; step < 11; ++step) hold({DIK_LCONTROL, DIK_Z}, 1); // all ten, and one more
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[r] + board[c] + board[b] + play_notes.marks[a], 0);
    EXPECT_EQ(wrong_entries, wrong); // undo never lowers the count
    hold({DIK_Z}, 1);                // Z alone does nothing
    hold({DIK_LCONTROL, DIK_Y}, 1);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play_notes.marks[a], bits({0}));
    // Ctrl+Z follows the key's label: on a layout with Y and Z swapped it is the key at Y's place.
    hl::set_key_layout_char(DIK_Y, 'z');
    hl::set_key_layout_char(DIK_Z, 'y');
    hold({DIK_LCONTROL, DIK_Y}, 3);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play_notes.marks[a], 0);
    hold({DIK_LCONTROL, DIK_Z}, 3);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play_notes.marks[a], bits({0}));
    // On a layout without Latin letters the commands are the keys at their US places.
    for (const auto& [layout, frames] :
         {std::pair{hl::KeyLayout::russian, 3}, {hl::KeyLayout::greek, 10}}) {
        hl::set_key_layout(layout);
        hold({DIK_LCONTROL, DIK_Z}, frames);
        ASSERT_TRUE(run(1));
        EXPECT_EQ(play_notes.marks[a], 0) << frames;
        hold({DIK_RCONTROL, DIK_Y}, frames);
        ASSERT_TRUE(run(1));
        EXPECT_EQ(play_notes.marks[a], bits({0})) << frames;
        hold({DIK_P}, frames);
        ASSERT_TRUE(run(1));
        EXPECT_TRUE(visit.paused) << frames;
        hold({DIK_P}, frames);
        ASSERT_TRUE(run(1));
        EXPECT_FALSE(visit.paused) << frames;
    }

    // In notes mode the picker's digits are marks too.
    hold({DIK_N}, 1); // the Greek layout's N
    enter(a, d[1]);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(play_notes.marks[a], bits({0, 1}));
    EXPECT_EQ(board[a], CELL_EMPTY);
    EXPECT_EQ(wrong_entries, wrong);
}

TEST_F(PlayTest, PauseHidesTheBoardStopsTheClockAndAnyKeyOrClickResumes) {
    const int i = first_cell(false);
    hold({DIK_P}, 3);
    ASSERT_TRUE(run(1));
    ASSERT_TRUE(visit.paused);
    const int32_t ticks = elapsed_ticks;
    hl::advance_clock(3600);
    ASSERT_TRUE(run(30));
    EXPECT_EQ(elapsed_ticks, ticks);
    const auto& draws = hl::draws();
    EXPECT_TRUE(std::none_of(draws.begin(), draws.end(), [](const platform::SpriteDraw& d) {
        return d.ty > 25 && d.ty < 490 && (d.source.top == 450 || d.source.top == 475);
    })); // no digit on the board
    EXPECT_TRUE(std::any_of(draws.begin(), draws.end(), [](const platform::SpriteDraw& d) {
        return d.source.left == 210 && d.source.top == 210;
    }));                                 // the pause panel
    hold({DIK_1 + solution[i] - 1}, 10); // resumes, and enters nothing
    ASSERT_TRUE(run(1));
    EXPECT_FALSE(visit.paused);
    EXPECT_EQ(board[i], CELL_EMPTY);
    ASSERT_TRUE(run(60));
    EXPECT_GT(elapsed_ticks, ticks);
    hold({DIK_P}, 1);
    click(centre(i % 9), centre(i / 9)); // resumes, and selects nothing
    ASSERT_TRUE(run(1));
    EXPECT_FALSE(visit.paused);
    EXPECT_FALSE(picker_open);
}

TEST_F(PlayTest, EntriesAreJudgedAndEveryWrongDigitCounts) {
    const int i = first_cell(false);
    const int wrong = solution[i] % 9 + 1;
    const float cx = centre(i % 9), cy = centre(i / 9);
    enter(i, wrong);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[i], wrong + 20);
    EXPECT_EQ(wrong_entries, 1);
    EXPECT_TRUE(drawn_near(475, 50, cx - 10, cy - 12)); // the wrong-entry strip
    enter(i, wrong);
    ASSERT_TRUE(run());
    EXPECT_EQ(wrong_entries, 2);
    enter(i, solution[i]);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[i], solution[i] + 10);
    EXPECT_TRUE(drawn_near(450, 275, cx - 10, cy - 12)); // the right-entry strip
    enter(i, 10);
    ASSERT_TRUE(run());
    EXPECT_EQ(board[i], 0);
    EXPECT_EQ(wrong_entries, 2);

    // The counter turns to the wrong-entry strip above ten.
    for (int count : {10, 11}) {
        wrong_entries = count;
        ASSERT_TRUE(run(1));
        EXPECT_EQ(drawn_near(475, 50, 115, 3), count > 10) << count;
    }
}

// The moves the keyboard and undo will make too: an entry is judged for the move's cell, and
// every choice from the picker checks the board, even one that changes nothing (a board complete
// from the start, such as a level-1 puzzle without an empty cell), while a plain close does not.
TEST_F(PlayTest, MovesJudgeTheirCellAndEveryPickerChoiceChecksTheBoard) {
    const int i = first_cell(false);
    apply_move({.kind = MoveKind::select_cell, .cell = 80});
    EXPECT_EQ(play.selected_col, 8);
    EXPECT_EQ(play.selected_row, 8);
    EXPECT_FLOAT_EQ(play.picker_x, 372);
    EXPECT_FLOAT_EQ(play.picker_y, 370);
    apply_move({.kind = MoveKind::open_picker});
    ASSERT_TRUE(picker_open);
    apply_move({.kind = MoveKind::enter_digit, .cell = i, .digit = solution[i] % 9 + 1});
    EXPECT_EQ(board[i], solution[i] % 9 + 1 + CELL_WRONG);
    EXPECT_EQ(wrong_entries, 1);
    EXPECT_FALSE(picker_open);

    for (int j = 0; j < 81; ++j)
        if (j != i && board[j] == CELL_EMPTY) board[j] = solution[j] + CELL_RIGHT;
    EXPECT_FALSE(apply_move({.kind = MoveKind::clear_cell, .cell = i}).complete);
    board[i] = solution[i];
    ASSERT_TRUE(boardcomplete(board));
    EXPECT_FALSE(apply_move({.kind = MoveKind::close_picker}).complete);
    EXPECT_TRUE(apply_move({.kind = MoveKind::choose_nothing}).complete);
    EXPECT_EQ(wrong_entries, 1);
}

TEST_F(PlayTest, GivensAreNeverEditableAndFramedFaintly) {
    const int g = first_cell(true);
    const int32_t given = board[g];
    enter(g, given % 9 + 1);
    ASSERT_TRUE(run(1));
    EXPECT_EQ(board[g], given);
    EXPECT_FALSE(picker_open);
    EXPECT_EQ(wrong_entries, 0);
    const auto frame = std::find_if(hl::draws().begin(), hl::draws().end(), [](const auto& d) {
        return d.source.left == 100 && d.source.top == 0 && d.sx == 1;
    });
    ASSERT_NE(frame, hl::draws().end());
    EXPECT_EQ(frame->color >> 24, 102u); // opacity 40
}

TEST_F(PlayTest, PickerOpensLeftOfTheEdgeAndAboveTheLowRows) {
    std::fill(board, board + 81, 0);
    struct Case {
        int col, row;
        float x, y;
    } cases[] = {
        {6, 0, 365, 90}, {7, 0, 372, 90}, {8, 5, 372, 350}, {0, 6, 45, 270}, {2, 8, 145, 370}};
    for (const Case& c : cases) {
        click(centre(c.col), centre(c.row));
        ASSERT_TRUE(run());
        EXPECT_TRUE(picker_open);
        EXPECT_EQ(play.selected_col, c.col);
        EXPECT_EQ(play.selected_row, c.row);
        EXPECT_FLOAT_EQ(play.picker_x, c.x);
        EXPECT_FLOAT_EQ(play.picker_y, c.y);
        key(DIK_ESCAPE);
        ASSERT_TRUE(run());
    }
    // Outside the grid the nearest cell is taken; the gap after a box belongs to its last cell.
    key(DIK_ESCAPE); // nothing open: saves and leaves; come back
    ASSERT_TRUE(run());
    current_screen = Screen::game;
    click(500, 187);
    ASSERT_TRUE(run());
    EXPECT_EQ(play.selected_col, 8);
    EXPECT_EQ(play.selected_row, 2);
}

TEST_F(PlayTest, EscapeClosesThePickerFirstThenSavesAndTheGameComesBackExactly) {
    new_game_flag = true;
    score = 1234;
    const int i = first_cell(false);
    enter(i, solution[i] % 9 + 1);
    click(centre(i % 9), centre(i / 9));
    key(DIK_ESCAPE);
    ASSERT_TRUE(run());
    EXPECT_FALSE(picker_open);
    EXPECT_EQ(current_screen, Screen::game);
    key(DIK_ESCAPE);
    ASSERT_TRUE(run());
    EXPECT_EQ(current_screen, Screen::start);

    int32_t saved_board[81], saved_solution[81];
    std::copy(board, board + 81, saved_board);
    std::copy(solution, solution + 81, saved_solution);
    const int32_t wrong = wrong_entries, ticks = elapsed_ticks;
    ASSERT_GT(ticks, 0);
    std::fill(board, board + 81, 0);
    wrong_entries = elapsed_ticks = 0;
    ASSERT_EQ(game_LoadGame("ANN", board, solution), 162);
    EXPECT_TRUE(std::equal(board, board + 81, saved_board));
    EXPECT_TRUE(std::equal(solution, solution + 81, saved_solution));
    EXPECT_EQ(wrong_entries, wrong);
    EXPECT_EQ(elapsed_ticks, ticks);
    char name[PLAYER_NAME_SIZE] = "ANN";
    int32_t s = 0, l = 0;
    ASSERT_TRUE(game_LoadPlayer(0, name, &s, &l));
    EXPECT_EQ(s, 1234);
}

// The close control and the window manager's close box save and leave as Escape does.
TEST_F(PlayTest, CloseControlSavesAndAFailedSaveIsShown) {
    click(497, 8);
    ASSERT_TRUE(run());
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_TRUE(platform::file_exists("edit\\ANN.txt"));
    EXPECT_TRUE(hl::message_boxes().empty());
    std::filesystem::remove("edit/ANN.txt");
    current_screen = Screen::game;
    events.push_back({pass + 1, hl::EventKind::close_box});
    ASSERT_TRUE(run(3));
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_TRUE(platform::file_exists("edit\\ANN.txt"));

    current_screen = Screen::game;
    picker_open = false; // the click also opened the picker at the corner cell
    std::filesystem::create_directory("edit/ANN.txt.new");
    key(DIK_ESCAPE);
    ASSERT_TRUE(run());
    EXPECT_EQ(current_screen, Screen::start);
    ASSERT_EQ(hl::message_boxes().size(), 1u);
    EXPECT_EQ(hl::message_boxes()[0].caption, "game_SaveGame()");
}

TEST_F(PlayTest, TakenNameWarnsThenReturnsAfterFiveSecondsOrOnEscape) {
    game_StorePlayer("ANN", 0, 1, 0);
    new_game_flag = true;
    ASSERT_TRUE(run(295)); // 1.67 units a frame after the first, which has no step yet
    EXPECT_EQ(current_screen, Screen::game);
    EXPECT_TRUE(play.name_check_pending);
    ASSERT_TRUE(run(10));
    EXPECT_EQ(current_screen, Screen::start);

    current_screen = Screen::game;
    new_game_flag = true;
    ASSERT_TRUE(run(5));
    key(DIK_ESCAPE);
    ASSERT_TRUE(run());
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_FALSE(platform::file_exists("edit\\ANN.txt")); // nothing saved

    player_name[0] = '\0';
    current_screen = Screen::game;
    new_game_flag = true;
    ASSERT_TRUE(run(1));
    EXPECT_EQ(current_screen, Screen::start);
}

TEST_F(PlayTest, PlayTimeTicksOnceAFrameAtSixtyFrames) {
    ASSERT_TRUE(run(120));
    EXPECT_EQ(elapsed_ticks, 120);
}

TEST_F(PlayTest, EndSignalDuringPlaySavesLikeTheCloseControlAndEndsWithZero) {
    new_game_flag = true;
    score = 77;
    const int i = first_cell(false);
    enter(i, solution[i]);
    events.push_back({pass + 1, hl::EventKind::end_signal, SIGTERM});
    EXPECT_FALSE(run(1));
    EXPECT_EQ(game_Finish(), 0); // after the shut-down the fixture's clean-up has nothing left
    int32_t loaded[81], loaded_solution[81];
    ASSERT_EQ(game_LoadGame("ANN", loaded, loaded_solution), 162);
    EXPECT_EQ(loaded[i], solution[i] + 10);
    char name[PLAYER_NAME_SIZE] = "ANN";
    int32_t s = 0, l = 0;
    ASSERT_TRUE(game_LoadPlayer(0, name, &s, &l));
    EXPECT_EQ(s, 77);
}

TEST_F(PlayTest, EndSignalsOutsideAGameEndTheLoopWithoutSaving) {
    current_screen = Screen::start;
#ifdef SIGHUP
    const int signals[] = {SIGINT, SIGHUP};
#else // Windows has no hang-up signal
    const int signals[] = {SIGINT};
#endif
    for (int signal : signals) {
        events.push_back({pass + 1, hl::EventKind::end_signal, signal});
        EXPECT_FALSE(run(1)) << signal;
    }
    EXPECT_FALSE(platform::file_exists("edit\\ANN.txt"));
    EXPECT_FALSE(platform::file_exists(PLAYERS_FILE));
}

TEST_F(PlayTest, GoldenBusyBoardWithThePickerOpen) {
    int entered = 0;
    for (int i = 0; i < 81 && entered < 8; ++i) {
        if (board[i] != 0) continue;
        enter(i, entered % 3 == 0 ? solution[i] % 9 + 1 : solution[i]);
        ++entered;
    }
    const int i = first_cell(false);
    click(centre(i % 9), centre(i / 9));
    events.push_back({++pass, hl::EventKind::mouse_move, 40, 40}); // onto an item
    ASSERT_TRUE(run(1));
    ASSERT_TRUE(picker_open);
    if (std::getenv("GRIDHOLLOW_SCREENSHOT")) hl::save_png("play_screen.png");
    expect_golden("play_screen");
    expect_dense_goldens("play_screen", [this] { ASSERT_TRUE(run(1)); });
}

// Pencil marks on every theme, from one mark to all nine, the same-digit marks beside them; and
// the pause panel over the hidden board.
TEST_F(PlayTest, GoldenPencilMarksOnEveryThemeAndThePausePanel) {
    int n = 0;
    for (int i = 0; i < 81; ++i)
        if (board[i] == CELL_EMPTY)
            play_notes.marks[i] = static_cast<uint16_t>((0x3FE >> (n++ % 9)) & 0x3FE);
    apply_move({.kind = MoveKind::select_cell, .cell = first_cell(true)});
    for (int theme = 0; theme < THEME_COUNT; ++theme) {
        board_theme = theme;
        ASSERT_TRUE(run(1));
        expect_golden(("play_screen-notes-" + std::to_string(theme)).c_str());
    }
    board_theme = 0;
    hold({DIK_P}, 3);
    ASSERT_TRUE(run(1));
    expect_golden("play_screen-paused");
}
