// The frame: the step's clamps, dispatch, one frame per loop pass, pacing.
#include <gtest/gtest.h>

#include "app/frame.h"
#include "app/shell.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"
#include "support.h"

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

TEST_F(FrameTest, ScreenWithoutNumberDrawsABlackFrame) {
    current_screen = 3;
    frame_at(10);
    EXPECT_EQ(frame_counter, 1);
    EXPECT_TRUE(hl::draws().empty());
    EXPECT_EQ(hl::pixel(256, 256), 0xFF000000u);
    EXPECT_EQ(hl::frames_presented(), 1);
}

TEST_F(FrameTest, CounterGrowsByOneEveryFrameAlsoUnderTheDialog) {
    for (int screen : {0, +SCREEN_START, +SCREEN_GAME, +SCREEN_NEXT_LEVEL, +SCREEN_OPTIONS, 7}) {
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
    current_screen = 3;
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
