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
    void point(int x, int y, bool down, bool pressed = false) {
        mouse.x = x;
        mouse.y = y;
        mouse.button_down[0] = down;
        mouse.button_pressed[0] = pressed;
    }
    static std::string file(const char* name) {
        std::string text;
        readdatafile(name, text);
        return text;
    }
};

TEST_F(WindowControlsTest, HiddenAwayFromTheEdges) {
    controls_state.timer = 3;
    controls_state.previous_left_button = true;
    point(11, 21, false);
    EXPECT_FALSE(game_WindowControls());
    EXPECT_TRUE(draws().empty());
    EXPECT_EQ(controls_state.timer, 3);
    EXPECT_FALSE(platform::file_exists("settings.txt"));
}

TEST_F(WindowControlsTest, DrawsAllEightEnlargingTheHoveredOne) {
    point(440, 5, false); // on grow
    game_WindowControls();
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
    for (int frame = 0; frame < 40; ++frame) { // frame_step 4: a step every second frame
        point(500, 256, true);
        game_WindowControls();
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
    for (int frame = 0; frame < 10; ++frame) {
        point(470, 0, true); // shrink
        game_WindowControls();
    }
    EXPECT_EQ(window_w, 350);
    EXPECT_EQ(window_h, 376);
    desktop_h = window_y + window_h + 5;
    for (int frame = 0; frame < 10; ++frame) {
        point(440, 0, true); // grow
        game_WindowControls();
    }
    EXPECT_EQ(window_w, 355);
    EXPECT_EQ(window_h, 381);
}

TEST_F(WindowControlsTest, ReleaseSavesThePlacementForTheScreen) {
    point(5, 5, true);
    game_WindowControls();
    point(5, 5, false);
    game_WindowControls();
    EXPECT_EQ(file("settings.txt"), "x700 y267 w520 h546>");

    current_screen = Screen::game;
    std::strcpy(player_name, "AB");
    point(5, 5, true);
    game_WindowControls();
    point(5, 5, false);
    game_WindowControls();
    EXPECT_EQ(file("edit\\settings86.txt"), "x700 y267 w520 h546>");
}

TEST_F(WindowControlsTest, CloseClickAndDeactivate) {
    point(495, 10, true, true);
    EXPECT_TRUE(game_WindowControls());
    point(495, 10, true);
    EXPECT_FALSE(game_WindowControls()); // held, not a new press

    point(400, 10, false);
    game_WindowControls(); // released on deactivate
    EXPECT_EQ(mouse.y, 30);
    EXPECT_FALSE(platform::window_focused());
}
