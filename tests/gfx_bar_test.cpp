// The progress bar: its pieces, fill rows and the shared stripe phase.
#include "app/frame.h"
#include "gfx/bar.h"
#include "gfx_support.h"

class BarTest : public DrawTest {
  protected:
    void SetUp() override {
        DrawTest::SetUp();
        frame_counter = 1;
    }
};

TEST_F(BarTest, EmptyBarIsCapsAndEdges) {
    game_DisplayBar(100, 50, 0, 30, 10);
    ASSERT_EQ(draws().size(), 4u);
    // Caps are a sheet pixel column scaled to the bar's height; edges stay one pixel high.
    expect_draw(draws()[0], {275, 350, 276, 375}, 99, 50);
    expect_draw(draws()[1], {474, 350, 475, 375}, 130, 50);
    expect_draw(draws()[2], {280, 350, 310, 351}, 100, 49);
    expect_draw(draws()[3], {280, 374, 310, 375}, 100, 60);
    EXPECT_FLOAT_EQ(draws()[0].sy, 0.4f);
    EXPECT_FLOAT_EQ(draws()[3].sy, 1);
    for (const auto& d : draws()) EXPECT_FLOAT_EQ(d.angle, 0.017453292f);
}

TEST_F(BarTest, FillRowDependsOnTheValue) {
    struct Case {
        float percent;
        platform::Rect fill;
    };
    // The first frame moves the stripes by 0.75 * 4 from 0, wrapping to 97.
    for (Case c : {Case{100, {372, 424, 402, 448}},
                   {98, {372, 400, 401, 424}},
                   {98.5f, {372, 424, 401, 448}}}) {
        clear();
        game_DisplayBar(0, 0, c.percent, 30, 8);
        ASSERT_EQ(draws().size(), 5u);
        expect_draw(draws()[0], c.fill, 0, 0);
        EXPECT_FLOAT_EQ(draws()[0].sy, 8.0f / 25);
    }
}

TEST_F(BarTest, LongBarsAreDrawnInPieces) {
    game_DisplayBar(0, 0, 100, 650, 25);
    // Fill pieces of 100, 100, ... 50 and edges of 300, 300, 50.
    ASSERT_EQ(draws().size(), 7u + 2 + 6);
    EXPECT_EQ(draws()[6].source.right - draws()[6].source.left, 50);
    EXPECT_FLOAT_EQ(draws()[6].tx, 600);
    EXPECT_EQ(draws()[13].source.right - draws()[13].source.left, 50);
    EXPECT_FLOAT_EQ(draws()[13].tx, 600);
}

TEST_F(BarTest, StripesMoveOncePerFrameWhateverTheNumberOfBars) {
    frame_step = 20;
    game_DisplayBar(0, 0, 50, 30, 8);
    game_DisplayBar(0, 20, 50, 30, 8);
    EXPECT_FLOAT_EQ(bar_stripes.offset, 85);
    EXPECT_EQ(draws()[0].source.left, 360);
    EXPECT_EQ(draws()[5].source.left, 360);
    frame_counter = 2;
    game_DisplayBar(0, 0, 50, 30, 8);
    EXPECT_FLOAT_EQ(bar_stripes.offset, 70);
    frame_counter = 5; // frames without bars leave the phase alone
    frame_step = 4;
    game_DisplayBar(0, 0, 50, 30, 8);
    EXPECT_FLOAT_EQ(bar_stripes.offset, 67);
}
