// Bitmap-font text, numbers and clock times as recorded draws.
#include "gfx/text.h"
#include "gfx_support.h"

namespace {

// The font glyph's source rectangle, one pixel short of the cell on the right and at the bottom.
platform::Rect glyph(int g) {
    const int left = 25 * (g % 8), top = 175 + 25 * (g / 8);
    return {left, top, left + 24, top + 24};
}
platform::Rect digit(int d) {
    return {50 + 20 * d, 450, 70 + 20 * d, 474};
}
constexpr platform::Rect COLON{125, 425, 134, 449};

float text(const char* s, float x, float y, float scale = 1, int anchor = 0, float rotation = 0) {
    return game_DisplayText({.text = s,
                             .x = x,
                             .y = y,
                             .scale_x = scale,
                             .scale_y = scale,
                             .anchor = static_cast<TextAnchor>(anchor),
                             .rotation = rotation});
}

} // namespace

class TextTest : public DrawTest {
  protected:
    // The source rectangles drawn since the last clear, as left edges and tops.
    std::vector<std::pair<int, int>> sources() {
        std::vector<std::pair<int, int>> out;
        for (const auto& d : draws()) out.push_back({d.source.left, d.source.top});
        return out;
    }
    void expect_digits(std::vector<platform::Rect> rects, float x, float step) {
        ASSERT_EQ(draws().size(), rects.size());
        for (size_t i = 0; i < rects.size(); ++i)
            expect_draw(draws()[i], rects[i], x + step * i, draws()[i].ty);
    }
};

TEST_F(TextTest, SpaceAdvancesWithoutDrawingAndThePenIsReturned) {
    EXPECT_FLOAT_EQ(text("A B", 100, 50), 145);
    ASSERT_EQ(draws().size(), 2u);
    expect_draw(draws()[0], glyph(0), 100, 50);
    expect_draw(draws()[1], glyph(1), 130, 50);
}

TEST_F(TextTest, CharacterMapping) {
    EXPECT_EQ(glyph_number('a'), glyph_number('A'));
    EXPECT_EQ(glyph_number('9'), 41);
    EXPECT_EQ(glyph_number('!'), 33);  // the digit 1's glyph
    EXPECT_EQ(glyph_number(200), 200); // bytes above 127 are not negative glyphs
    text("9", 0, 0);
    expect_draw(draws()[0], glyph(41), 0, 0);
}

TEST_F(TextTest, EmptyStringDrawsNothingAndReturnsX) {
    for (int anchor = 0; anchor <= 5; ++anchor)
        EXPECT_FLOAT_EQ(text("", 77, 10, 0.65f, anchor), 77);
    EXPECT_TRUE(draws().empty());
}

TEST_F(TextTest, MarkupSwitchesMappingAndFixedWidth) {
    // "<" and ">" take no room; between them bytes are glyph numbers ("A" is 65).
    EXPECT_FLOAT_EQ(text("<A>A", 0, 0), 30);
    EXPECT_EQ(sources(), (std::vector<std::pair<int, int>>{{25, 375}, {0, 175}}));
    clear();
    // Fixed width advances by the cell width less 0.6 instead of the advance.
    EXPECT_FLOAT_EQ(text("_AB_C", 0, 0), 2 * 24.4f + 15);
    ASSERT_EQ(draws().size(), 3u);
    EXPECT_FLOAT_EQ(draws()[1].tx, 24.4f);
    EXPECT_FLOAT_EQ(draws()[2].tx, 48.8f);
}

TEST_F(TextTest, AnchorsUseTheNominalWidthAndRotateAboutItsCentre) {
    struct Case {
        int anchor;
        float dx, dy;
    };
    // "AB<" at scale 2: nominal box 3 * 15 * 2 = 90 wide, 50 high.
    for (Case c : {Case{0, 0, 0},
                   {1, -45, -25},
                   {2, -45, -50},
                   {3, -90, 0},
                   {4, 0, -50},
                   {5, -90, -50},
                   {7, 0, 0}}) {
        clear();
        EXPECT_FLOAT_EQ(text("AB<", 200, 100, 2, c.anchor, 1), 200 + c.dx + 60);
        ASSERT_EQ(draws().size(), 2u);
        EXPECT_FLOAT_EQ(draws()[0].tx, 200 + c.dx);
        EXPECT_FLOAT_EQ(draws()[1].ty, 100 + c.dy);
        EXPECT_FLOAT_EQ(draws()[1].cx, 45);
        EXPECT_FLOAT_EQ(draws()[1].cy, 25);
        EXPECT_FLOAT_EQ(draws()[1].angle, 0.017453292f);
        EXPECT_EQ(draws()[1].sx, 2);
    }
}

TEST_F(TextTest, NumbersShowTheirDigitsWithoutLeadingZeros) {
    EXPECT_FLOAT_EQ(game_DisplayNumber(0, 1, 10, 20, NumberAlign::left_top, -1, -1), 30);
    expect_digits({digit(0)}, 10, 20);
    clear();
    EXPECT_FLOAT_EQ(game_DisplayNumber(1205, 1, 300, 20, NumberAlign::right_top, -1, -1), 300);
    expect_digits({digit(1), digit(2), digit(0), digit(5)}, 220, 20);
    clear();
    game_DisplayNumber(-5, 1, 10, 20, NumberAlign::left_top, -1, -1);
    expect_digits({digit(0)}, 10, 20);
}

TEST_F(TextTest, NumbersAlignAndUseOtherStrips) {
    // Two digits at scale 0.5 are 20 wide and 12 high.
    EXPECT_FLOAT_EQ(game_DisplayNumber(42, 0.5f, 100, 50, NumberAlign::centre_top, 275, 475), 110);
    ASSERT_EQ(draws().size(), 2u);
    expect_draw(draws()[0], {355, 475, 375, 499}, 90, 50);
    clear();
    game_DisplayNumber(42, 0.5f, 100, 50, NumberAlign::centre, -1, -1);
    expect_draw(draws()[0], digit(4), 90, 44);
}

TEST_F(TextTest, NumbersBeyondNineDigitsShowTheLargestThatFits) {
    for (int value : {1000000000, 2147483647}) {
        clear();
        game_DisplayNumber(value, 1, 0, 0, NumberAlign::left_top, -1, -1);
        expect_digits(std::vector<platform::Rect>(9, digit(9)), 0, 20);
    }
}

TEST_F(TextTest, TimeForms) {
    // No time, not steady: a single 0 and no colon; steady: 0:0:0.
    EXPECT_FLOAT_EQ(game_DisplayTime(0, 1, 100, 0, TimeAlign::left, false), 120);
    expect_digits({digit(0)}, 100, 20);
    clear();
    EXPECT_FLOAT_EQ(game_DisplayTime(0, 1, 100, 0, TimeAlign::left, true), 170);
    EXPECT_EQ(sources(), (std::vector<std::pair<int, int>>{
                             {50, 450}, {125, 425}, {50, 450}, {125, 425}, {50, 450}}));
    expect_draw(draws()[1], COLON, 119, 0); // one scale left of the pen
    EXPECT_FLOAT_EQ(draws()[2].tx, 125);
    clear();
    // 59:59 in the second half of the second, not steady: the colon blinks off, taking no room.
    EXPECT_FLOAT_EQ(game_DisplayTime(3599 * 60 + 30, 1, 0, 0, TimeAlign::left, false), 80);
    expect_digits({digit(5), digit(9), digit(5), digit(9)}, 0, 20);
    clear();
    game_DisplayTime(3599 * 60 + 29, 1, 0, 0, TimeAlign::left, false);
    EXPECT_EQ(draws().size(), 5u);
    EXPECT_FLOAT_EQ(draws()[3].tx, 45);
}

TEST_F(TextTest, TimeAlignsByItsWidth) {
    // 1:05:09 is 20 + 5 + 40 + 5 + 40 = 110 wide.
    const int ticks = 3600 * 60 + 5 * 3600 + 9 * 60;
    EXPECT_FLOAT_EQ(game_DisplayTime(ticks, 1, 300, 0, TimeAlign::right, true), 300);
    EXPECT_FLOAT_EQ(draws()[0].tx, 190);
    clear();
    EXPECT_FLOAT_EQ(game_DisplayTime(ticks, 2, 300, 0, TimeAlign::centre, true), 410);
    EXPECT_FLOAT_EQ(draws()[0].tx, 190);
    clear();
    // 12:00:00 shows both hour digits.
    game_DisplayTime(12 * 216000, 1, 0, 0, TimeAlign::left, true);
    EXPECT_EQ(draws().size(), 8u);
    clear();
    // A negative count shows as no time.
    EXPECT_FLOAT_EQ(game_DisplayTime(-100, 1, 100, 0, TimeAlign::left, false), 120);
    expect_digits({digit(0)}, 100, 20);
}
