// The frame: the step's clamps, dispatch, one frame per loop pass, pacing, and the idle waits that
// change how often frames run but never what they compute.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "app/device.h"
#include "app/frame.h"
#include "app/shell.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"
#include "screens/next_level_screen.h"
#include "screens/play_screen.h"
#include "support.h"
#include "todo/dates.h"
#include "todo/tasks.h"
#include "todo_support.h"
#include "tools/driver/driver.h"

namespace hl = platform::headless;

class FrameTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        platform::device_create(platform::DeviceType::hardware);
    }
    // Renders a frame at the given timer reading.
    void frame_at(double seconds) {
        hl::set_clock(seconds);
        game_Render();
    }
};

TEST_F(FrameTest, StepIsTwoHundredUnitsPerSecondClampedToTwentyAndNeverZero) {
    frame_at(5000.0); // the first frame: previous reading 0
    EXPECT_FLOAT_EQ(frame_step, 20);
    frame_at(5000.002);
    EXPECT_NEAR(frame_step, 0.4f, 1e-4);
    frame_at(5000.502);
    EXPECT_FLOAT_EQ(frame_step, 20); // a half-second stall is not a jump of 100
    frame_at(5000.502);
    EXPECT_FLOAT_EQ(frame_step, 0.0001f); // equal readings
    frame_at(5000.502 + 1.0 / 60);
    EXPECT_NEAR(frame_step, 200.0 / 60, 1e-3);
    EXPECT_NEAR(frames_per_second, 60, 0.01);
}

TEST_F(FrameTest, StepKeepsItsPrecisionAfterLongUptime) {
    frame_at(3.0e6); // a machine up for a month
    frame_at(3.0e6 + 1.0 / 60);
    EXPECT_NEAR(frame_step, 200.0 / 60, 1e-2);
}

TEST_F(FrameTest, NoScreenDrawsABlackFrame) {
    current_screen = Screen::none;
    frame_at(10);
    EXPECT_EQ(frame_counter, 1);
    EXPECT_TRUE(hl::draws().empty());
    EXPECT_EQ(hl::pixel(256, 256), 0xFF000000u);
    EXPECT_EQ(hl::frames_presented(), 1);
}

TEST_F(FrameTest, CounterGrowsByOneEveryFrameAlsoUnderTheDialog) {
    for (Screen screen : {Screen::none, Screen::start, Screen::game, Screen::next_level,
                          Screen::options, Screen::template_screen}) {
        current_screen = screen;
        game_Dispatch();
    }
    dialog_active = 1;
    game_Dispatch();
    game_Dispatch();
    EXPECT_EQ(frame_counter, 8);
}

TEST_F(FrameTest, LoopPassRendersExactlyOneFrameAndAppliesGeometryInTheSamePass) {
    window_x = 100;
    window_y = 50;
    window_w = 520;
    window_h = 546;
    EXPECT_TRUE(game_LoopPass());
    EXPECT_EQ(hl::frames_presented(), 1);
    EXPECT_EQ(frame_counter, 1);
    platform::Rect w = hl::window();
    EXPECT_EQ(w.left, 100);
    EXPECT_EQ(w.right - w.left, 520);

    window_w = 600;
    window_h = 620;
    int moves = hl::window_moves();
    EXPECT_TRUE(game_LoopPass());
    EXPECT_EQ(hl::frames_presented(), 2);
    EXPECT_EQ(hl::window_moves(), moves + 1);
    w = hl::window();
    EXPECT_EQ(w.left, 100);
    EXPECT_EQ(w.top, 50);
    EXPECT_EQ(w.right - w.left, 600);
    EXPECT_EQ(w.bottom - w.top, 620);

    EXPECT_TRUE(game_LoopPass()); // nothing changed: the window is left alone
    EXPECT_EQ(hl::window_moves(), moves + 1);
}

TEST_F(FrameTest, CloseRendersOneMoreFrameThenEndsTheLoop) {
    window_w = 512; // as applied at start, so the pass moves nothing
    window_h = 512;
    EXPECT_TRUE(game_LoopPass());
    game_WindowProcedure(platform::WM_CLOSE);
    EXPECT_FALSE(game_LoopPass());
    EXPECT_EQ(frame_counter, 2);
    EXPECT_EQ(hl::frames_presented() + hl::frames_skipped(), 2);
    platform::file_write("dummy", "x", 1); // a data-file temporary left behind
    platform::file_set_readonly("dummy");
    EXPECT_EQ(game_Finish(), 0);
    EXPECT_FALSE(platform::file_exists("dummy"));
}

// The picture is the platform's business: the game runs every frame whatever is shown.
TEST_F(FrameTest, GameRunsEveryFrameWhileTheWindowIsHiddenOrUnchanged) {
    current_screen = Screen::none;
    window_w = 512; // as applied at start, so no pass moves the window
    window_h = 512;
    for (int i = 0; i < 3; ++i) game_LoopPass();
    EXPECT_EQ(hl::frames_presented(), 1); // the same black frame three times
    EXPECT_EQ(hl::frames_skipped(), 2);

    hl::set_window_seen(false);
    for (int i = 0; i < 60; ++i) game_LoopPass();
    EXPECT_EQ(frame_counter, 63);
    EXPECT_NEAR(frame_step, 200.0 / 60, 1e-3);
    EXPECT_EQ(hl::frames_presented(), 1);

    hl::set_window_seen(true);
    game_LoopPass();
    EXPECT_EQ(hl::frames_presented(), 2);
    window_x = 40; // moved at the end of this pass: the next frame is shown
    game_LoopPass();
    game_LoopPass();
    EXPECT_EQ(hl::frames_presented(), 3);
}

TEST_F(FrameTest, LoopRunsAtSixtyFramesASecond) {
    hl::set_clock(100);
    for (int i = 0; i < 61; ++i) game_LoopPass();
    // The first pass starts the deadline; sixty more frames take one second of clock.
    EXPECT_NEAR(hl::clock(), 101.0, 1e-6);
    EXPECT_NEAR(frame_step, 200.0 / 60, 1e-3);
}

TEST_F(FrameTest, PacingStartsAfreshAfterAStall) {
    hl::set_clock(100);
    game_LoopPass();
    game_LoopPass();
    hl::advance_clock(2.0); // a long stall: no burst of catch-up frames follows
    game_LoopPass();
    double after_stall = hl::clock();
    game_LoopPass();
    EXPECT_NEAR(hl::clock() - after_stall, 1.0 / 60, 1e-6);
}

TEST_F(FrameTest, ScriptedInputArrivesAtItsPass) {
    mouse.create();
    hl::script({{2, hl::EventKind::mouse_move, 10, -4},
                {2, hl::EventKind::button_down, 0},
                {3, hl::EventKind::button_up, 0},
                {3, hl::EventKind::set_focus, 0}});
    game_LoopPass();
    EXPECT_EQ(mouse.x, 0);
    game_LoopPass();
    EXPECT_EQ(mouse.x, 10);
    EXPECT_EQ(mouse.y, -4);
    EXPECT_TRUE(mouse.button_pressed[0]);
    game_LoopPass(); // the window lost the focus: the read fails and nothing changes
    EXPECT_TRUE(mouse.button_down[0]);
    EXPECT_EQ(hl::passes(), 3);
}

namespace {

// What a session leaves: the game's state, its files, its sounds and its last picture.
struct Outcome {
    std::vector<std::pair<int, int>> entries; // the level's empty cells and their digits
    long passes = 0;                          // loop passes; frames drawn or not
    long hidden_passes = 0;                   // while minimised, up to and past the alarm's moment
    std::vector<int32_t> numbers;
    std::vector<float> reals;
    std::string scores, saved;
    std::vector<hl::PlayRecord> plays;
    std::vector<std::array<float, 9>> draws;
};

// A session of a player who leaves the game open: the start screen with its clock and a task that
// falls due while the window is minimised (sounding its alarm inside a long wait) and blinks once
// it shows again, a new player, a pause on the game screen, the level played through with the
// mouse (some clicks taps shorter than a frame), the tally. Every input arrives at a time, halfway
// between two frames at 60 frames a second, so both ways take it in the same frame. A loop pass may
// wait past input scripted after it, so the level's entries are scripted before the start when they
// are known.
Outcome play_session(bool idle_waits, const std::string& folder,
                     std::vector<std::pair<int, int>> entries = {}) {
    std::filesystem::create_directory(folder);
    for (const char* name : {"_data.loc", "alarm.wav"})
        std::filesystem::copy_file(std::string(ASSET_DIR) + "/" + name, folder + "/" + name);
    EXPECT_TRUE(platform::change_directory(folder.c_str()));
    hl::reset();
    hl::set_idle_waits(idle_waits);
    hl::set_local_time({2026, 1, 4, 1, 12, 0, 40, 0});
    hl::set_local_time_running(true);
    put_file(TODO_FILE,
             "Errands_t\r\n" + task_line("DENTIST", 2026, 1, 1, 12, 1, REPEAT_NORMAL, true, 15));
    // Frame n (frame_counter) has the time (n - 1) / 60: the first runs at 0.
    auto at = [](double frame, hl::EventKind kind, int a = 0, int b = 0, int c = 0) {
        hl::script_at((frame - 1.5) / 60, {0, kind, a, b, c});
    };
    // Runs the loop up to frame n exactly: input arrives then and in the frame after.
    auto run_to = [&](long n) {
        at(n, hl::EventKind::mouse_move, 0, 0);
        at(n + 1, hl::EventKind::mouse_move, 0, 0);
        while (frame_counter < n) EXPECT_TRUE(game_LoopPass());
    };
    int px = 0, py = 0;
    long frame = 1500;
    auto click = [&](int x, int y, double held) {
        at(frame, hl::EventKind::mouse_move, x - px, y - py);
        px = x;
        py = y;
        at(frame + 2, hl::EventKind::button_down, 0);
        at(frame + 2 + held, hl::EventKind::button_up, 0);
        frame += 20;
    };
    auto key = [&](int dik, int held) {
        at(frame, hl::EventKind::key_down, dik);
        at(frame + held, hl::EventKind::key_up, dik);
        frame += 30;
    };
    EXPECT_TRUE(drive_start());
    run_to(300);
    hl::set_window_seen(false);
    const long hidden = hl::passes();
    run_to(1210); // the alarm rings from 1201 on
    hl::set_window_seen(true);
    Outcome o;
    o.hidden_passes = hl::passes() - hidden;
    at(frame++, hl::EventKind::mouse_move, -1000, -1000); // the pointer to the corner
    // A tap's press and release 4 ms apart fall between two frames, or inside one wait.
    const double tap = 0.25;
    click(430, 400, tap); // New game
    key(DIK_A, 1);
    key(DIK_B, 3);
    key(DIK_RETURN, 10);
    const long paused = frame += 300; // a pause on the game screen
    at(frame++, hl::EventKind::mouse_move, -1000, -1000);
    px = py = 0;
    auto centre = [](int i) { return 45 + 160 * (i / 3) + 50 * (i % 3); };
    auto enter = [&] {
        for (auto [i, digit] : entries) {
            const int cx = centre(i % 9), cy = centre(i / 9);
            click(cx, cy, i % 2 ? tap : 1 + i % 3 * 4);
            const int x = cx + 140 > 511 ? 372 : cx, y = cy + 35 + 140 > 511 ? cy - 105 : cy + 35;
            click(x + 35 * ((digit - 1) % 4), y + 35 * ((digit - 1) / 4), 3);
        }
    };
    if (!entries.empty()) enter();
    run_to(paused);
    if (entries.empty()) {
        for (int i = 0; i < 81; ++i)
            if (board[i] == 0) entries.emplace_back(i, solution[i]);
        enter();
    }
    run_to(frame + 900); // the tally
    const NextLevelVisit& t = next_level_screen_visit();
    o.entries = entries;
    o.passes = hl::passes();
    o.numbers = {frame_counter, static_cast<int>(current_screen),
                 elapsed_ticks, wrong_entries,
                 score,         level,
                 t.tally_phase, t.time_left,
                 t.time_bonus,  t.level_total,
                 t.level_bonus};
    o.numbers.insert(o.numbers.end(), board, board + 81);
    o.reals = {frame_step, frames_per_second, play_screen_run().tick_accumulator,
               t.tally_accumulator, t.fade};
    o.scores = file_text("scores.txt");
    o.saved = file_text("todo.txt");
    o.plays = hl::plays();
    for (const platform::SpriteDraw& d : hl::draws())
        o.draws.push_back({static_cast<float>(d.source.left), static_cast<float>(d.source.top),
                           d.sx, d.sy, d.angle, d.tx, d.ty, static_cast<float>(d.color >> 8),
                           static_cast<float>(d.color & 0xFF)});
    game_Cleanup();
    EXPECT_TRUE(platform::change_directory(".."));
    return o;
}

} // namespace

TEST_F(GameTest, IdleWaitsChangeHowOftenFramesRunNeverWhatTheyCompute) {
    const Outcome sixty = play_session(false, "sixty");
    const Outcome waiting = play_session(true, "waiting", sixty.entries);
    // The session went where it should, and waited most of the time.
    EXPECT_EQ(sixty.numbers[1], static_cast<int>(Screen::next_level));
    EXPECT_EQ(sixty.numbers[0], sixty.passes);
    EXPECT_LT(waiting.passes, sixty.passes * 9 / 10);
    EXPECT_LT(waiting.hidden_passes, 10); // woken by the alarm's moment and by input alone
    EXPECT_FALSE(sixty.scores.empty());   // the new player
    EXPECT_EQ(sixty.numbers, waiting.numbers);
    EXPECT_EQ(sixty.reals, waiting.reals);
    EXPECT_EQ(sixty.scores, waiting.scores);
    EXPECT_EQ(sixty.saved, waiting.saved);
    EXPECT_EQ(sixty.draws, waiting.draws);
    // The sounds: the alarm from its minute, the game's effects. A sound's end is the sound
    // device's business, so an alarm that restarts when it has played out may start a wait's
    // length earlier or later.
    ASSERT_EQ(sixty.plays.size(), waiting.plays.size());
    ASSERT_GE(sixty.plays.size(), 2u);
    EXPECT_NEAR(sixty.plays[0].at, 20.0 - 0.5 / 60, 1.0 / 60); // the alarm at 12:01:00
    for (size_t i = 0; i < sixty.plays.size(); ++i) {
        EXPECT_EQ(sixty.plays[i].buffer - sixty.plays[0].buffer,
                  waiting.plays[i].buffer - waiting.plays[0].buffer); // ids run on
        EXPECT_EQ(sixty.plays[i].volume, waiting.plays[i].volume);
        EXPECT_EQ(sixty.plays[i].loop, waiting.plays[i].loop);
        EXPECT_NEAR(sixty.plays[i].at, waiting.plays[i].at, 0.05);
    }
}

TEST_F(GameTest, AnAlarmDueWhileMinimisedStartsOnTime) {
    copy_assets();
    hl::set_idle_waits(true);
    put_file(TODO_FILE,
             "Errands_t\r\n" + task_line("DENTIST", 2026, 1, 1, 12, 1, REPEAT_NORMAL, true, 15));
    ASSERT_TRUE(drive_start());
    hl::set_window_seen(false);
    // The local time runs with the clock, from 12:00:50: the task falls due 10 s on.
    const long passes = hl::passes();
    while (hl::clock() < 12 && hl::plays().empty()) {
        const int second = 50 + static_cast<int>(hl::clock());
        hl::set_local_time({2026, 1, 4, 1, 12, static_cast<uint16_t>(second / 60),
                            static_cast<uint16_t>(second % 60), 0});
        ASSERT_TRUE(drive_pass());
    }
    ASSERT_EQ(hl::plays().size(), 1u);
    EXPECT_GE(hl::plays()[0].at, 10.0);
    EXPECT_LE(hl::plays()[0].at, 10.25 + 1.0 / 60); // a wait at most late
    EXPECT_LT(hl::passes() - passes, 12 * 5);       // a few passes a second
    EXPECT_EQ(hl::frames_presented(), 1);           // the first frame, before minimising
    game_Cleanup();
}

// A wait the machine ends 30 ms late still runs the passes it stood for: only the time past its end
// is dropped as a stall (before, all of a 10-s wait's passes were).
TEST_F(GameTest, ALateWakeStillCatchesUpItsWait) {
    copy_assets();
    hl::set_idle_waits(true, 0.03);
    ASSERT_TRUE(drive_start());
    const int counter = frame_counter;
    while (hl::clock() < 40) ASSERT_TRUE(drive_pass());
    EXPECT_GT(frame_counter - counter, 60 * 39);
    game_Cleanup();
}
