// The window-edge controls: when they show, hovering, held steps, saving and deactivating.
#include <cstring>

#include "app/frame.h"
#include "app/shell.h"
#include "gfx_support.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/window_controls.h"
#include "store/datafile.h"

namespace hl = platform::headless;

class WindowControlsTest : public DrawTest {
  protected:
    void SetUp() override {
        DrawTest::SetUp();
        platform::make_directory("edit");
    }
    // One frame of the controls with the pointer and the left button so: the update, then the
    // draw. True when the close control was clicked.
    static bool frame(int x, int y, bool down, bool pressed = false) {
        mouse.x = x;
        mouse.y = y;
        mouse.button_down[0] = down;
        mouse.button_pressed[0] = pressed;
        const ControlsFrame controls = window_controls_update();
        window_controls_draw(controls);
        return controls.close_clicked;
    }
    static std::string file(const char* name) {
        std::string text;
        readdatafile(name, text);
        return text;
    }
};

TEST_F(WindowControlsTest, HiddenAwayFromTheEdges) {
    frame(5, 5, true); // held at the corner, on no control
    clear();
    const float timer = window_controls_state().timer;
    EXPECT_FALSE(frame(11, 21, false)); // released away from the edges
    EXPECT_TRUE(draws().empty());
    EXPECT_EQ(window_controls_state().timer, timer);
    EXPECT_FALSE(platform::file_exists("settings.txt"));
}

TEST_F(WindowControlsTest, DrawsAllEightEnlargingTheHoveredOne) {
    frame(440, 5, false); // on grow
    ASSERT_EQ(draws().size(), 8u);
    const int lefts[] = {24, 102, 0, 18, 35, 64, 98, 200}; // up, down, left, right, grow, ...
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(draws()[i].source.left, lefts[i]);
        EXPECT_FLOAT_EQ(draws()[i].sx, i == 4 ? 1.1f : 1);
    }
    // Centred on (438, 14): 29 x 28 at scale 1.1.
    EXPECT_FLOAT_EQ(draws()[4].tx, 438 - 29 * 1.1f / 2);
    EXPECT_FLOAT_EQ(draws()[4].ty, 14 - 28 * 1.1f / 2);
}

TEST_F(WindowControlsTest, HeldMoveRightStepsFivePixelsUntilTheDesktopEdge) {
    desktop_w = 1000;
    window_x = 440;
    std::vector<int> xs;
    for (int i = 0; i < 40; ++i) { // frame_step 4: a step every second frame
        frame(500, 256, true);
        xs.push_back(window_x);
    }
    EXPECT_EQ(xs[0], 440);
    EXPECT_EQ(xs[1], 445);
    EXPECT_EQ(xs[2], 445);
    EXPECT_EQ(xs[3], 450);
    EXPECT_EQ(window_x, 480); // 480 + 520 reaches the desktop's width
    EXPECT_FALSE(platform::file_exists("settings.txt"));
}

TEST_F(WindowControlsTest, ResizingKeepsItsLimits) {
    window_w = 355;
    window_h = 381;
    for (int i = 0; i < 10; ++i) frame(470, 0, true); // shrink
    EXPECT_EQ(window_w, 350);
    EXPECT_EQ(window_h, 376);
    desktop_h = window_y + window_h + 5;
    for (int i = 0; i < 10; ++i) frame(440, 0, true); // grow
    EXPECT_EQ(window_w, 355);
    EXPECT_EQ(window_h, 381);
}

TEST_F(WindowControlsTest, ReleaseSavesThePlacementForTheScreen) {
    frame(5, 5, true);
    frame(5, 5, false);
    EXPECT_EQ(file("settings.txt"), "x700 y267 w520 h546>");

    current_screen = Screen::game;
    std::strcpy(player_name, "AB");
    frame(5, 5, true);
    frame(5, 5, false);
    EXPECT_EQ(file("edit\\settings86.txt"), "x700 y267 w520 h546>");
}

TEST_F(WindowControlsTest, CloseClickAndDeactivate) {
    EXPECT_TRUE(frame(495, 10, true, true));
    EXPECT_FALSE(frame(495, 10, true)); // held, not a new press

    frame(400, 10, false); // released on deactivate
    EXPECT_EQ(mouse.y, 30);
    EXPECT_FALSE(platform::window_focused());
}
