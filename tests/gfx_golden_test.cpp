// Golden images: text, numbers, clock times and bars rendered from the patterned sheet and compared
// with committed PNGs (see expect_golden in gfx_support.h for regenerating them).
#include "app/frame.h"
#include "gfx/bar.h"
#include "gfx/text.h"
#include "gfx_support.h"

class GoldenTest : public DrawTest {};

TEST_F(GoldenTest, Text) {
    game_DisplayText({.text = "Hello, 42%", .x = 20, .y = 20});
    game_DisplayText({.text = "centred heading",
                      .x = 256,
                      .y = 120,
                      .scale_x = 0.65f,
                      .scale_y = 0.65f,
                      .anchor = TextAnchor::centre});
    game_DisplayText(
        {.text = "<AB>x_wide_y", .x = 490, .y = 200, .anchor = TextAnchor::bottom_right});
    game_DisplayText({.text = "faint tilt",
                      .x = 256,
                      .y = 300,
                      .advance = 18,
                      .scale_y = 1.5f,
                      .anchor = TextAnchor::centre,
                      .opacity = 20,
                      .rotation = 8});
    expect_golden("text");
}

TEST_F(GoldenTest, Numbers) {
    game_DisplayNumber(1205, 1, 300, 20, NumberAlign::right_top, -1, -1);
    game_DisplayNumber(987654321, 0.55f, 256, 100, NumberAlign::centre_top, 275, -1);
    game_DisplayNumber(0, 2, 256, 256, NumberAlign::centre, -1, 475);
    expect_golden("numbers");
}

TEST_F(GoldenTest, ClockTimes) {
    game_DisplayTime(0, 1, 20, 20, TimeAlign::left, true);
    game_DisplayTime(3599 * 60 + 30, 1, 20, 80, TimeAlign::left, false);
    game_DisplayTime(12 * 216000 + 5 * 60, 1.5f, 256, 200, TimeAlign::centre, true);
    game_DisplayTime(75 * 60 + 10, 0.65f, 490, 400, TimeAlign::right, true);
    expect_golden("time");
}

TEST_F(GoldenTest, Bars) {
    frame_counter = 1;
    frame_step = 20;
    game_DisplayBar(40, 40, 0, 30, 8);
    game_DisplayBar(40, 80, 57, 120, 10);
    game_DisplayBar(40, 140, 100, 430, 25);
    expect_golden("bar");
}
