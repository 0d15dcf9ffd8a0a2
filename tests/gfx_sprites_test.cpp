// Images and sprites: the image caches, regions and anchors, sheet cells, opacity.
#include "app/shell.h"
#include "gfx/cursor.h"
#include "gfx/sprites.h"
#include "gfx_support.h"
#include "input/mouse.h"
#include "platform/files.h"

namespace hl = platform::headless;

class SpritesTest : public DrawTest {
  protected:
    void SetUp() override {
        DrawTest::SetUp();
        write_archive({{IMAGE_START.name, tga_image(200, 100, 0xFF2080FF)},
                       {IMAGE_DIALOGS.name, tga_image(170, 85, 0xFFFFFFFF)}});
    }
};

TEST_F(SpritesTest, OpacityIsAPercentageOfFullAlphaTruncated) {
    EXPECT_EQ(opacity_color(50), 0x7FFFFFFFu); // 127.5
    EXPECT_EQ(opacity_color(20), 0x33FFFFFFu);
}

TEST_F(SpritesTest, CentredRegionCoversItsRectangleAroundThePoint) {
    EXPECT_TRUE(
        game_DisplayLayer(IMAGE_DIALOGS, 100, 256, 256, 0, 0, 170, 85, 1, LayerAnchor::centre));
    ASSERT_EQ(draws().size(), 1u);
    expect_draw(draws()[0], {0, 0, 170, 85}, 171, 213.5f);
    EXPECT_EQ(hl::pixel(171, 214), 0xFFFFFFFFu);
    EXPECT_EQ(hl::pixel(340, 297), 0xFFFFFFFFu);
    EXPECT_EQ(hl::pixel(170, 256), 0xFF000000u);
    EXPECT_EQ(hl::pixel(341, 256), 0xFF000000u);
}

TEST_F(SpritesTest, RegionAnchorsAndScale) {
    struct Case {
        int anchor;
        float tx, ty;
    };
    // 40 x 20 at scale 2 is 80 x 40 on screen.
    for (Case c :
         {Case{0, 100, 100}, {1, 60, 80}, {2, 20, 80}, {3, 60, 100}, {4, 100, 80}, {9, 100, 100}}) {
        clear();
        game_DisplayLayer(IMAGE_START, 100, 100, 100, 10, 10, 50, 30, 2,
                          static_cast<LayerAnchor>(c.anchor));
        ASSERT_EQ(draws().size(), 1u);
        expect_draw(draws()[0], {10, 10, 50, 30}, c.tx, c.ty);
        EXPECT_EQ(draws()[0].sx, 2);
        EXPECT_EQ(draws()[0].sy, 2);
    }
}

TEST_F(SpritesTest, RepeatedIdLoadsOnceAndAFailedLoadIsReportedOnce) {
    game_DisplayLayer(IMAGE_START, 100, 0, 0, 0, 0, 10, 10, 1, LayerAnchor::top_left);
    platform::file_delete("_data.loc"); // a second load would now fail and say so
    EXPECT_TRUE(game_DisplayLayer(IMAGE_START, 100, 0, 0, 0, 0, 10, 10, 1, LayerAnchor::top_left));
    EXPECT_TRUE(hl::message_boxes().empty());

    platform::Texture* held = region_cache.texture;
    for (int frame = 0; frame < 3; ++frame)
        EXPECT_TRUE(
            game_DisplayLayer(IMAGE_NEXT_LEVEL, 100, 0, 0, 0, 0, 10, 10, 1, LayerAnchor::top_left));
    ASSERT_EQ(hl::message_boxes().size(), 1u);
    EXPECT_EQ(hl::message_boxes()[0].text, IMAGE_NEXT_LEVEL.name);
    EXPECT_EQ(hl::message_boxes()[0].caption, "game_DisplayLayer()");
    EXPECT_EQ(draws().back().texture, held); // the previous image is drawn on
}

TEST_F(SpritesTest, EmptyRegionCacheDrawsNothingButTheWholeImageFormAlwaysDraws) {
    EXPECT_FALSE(
        game_DisplayLayer(IMAGE_OPTIONS, 100, 0, 0, 0, 0, 10, 10, 1, LayerAnchor::top_left));
    EXPECT_TRUE(draws().empty());
    EXPECT_TRUE(game_DisplayLayer(IMAGE_BACKGROUND.id, IMAGE_DIALOGS.name, 50));
    ASSERT_EQ(draws().size(), 1u);
    EXPECT_FALSE(draws()[0].has_source);
    EXPECT_EQ(draws()[0].tx, 0);
    EXPECT_EQ(draws()[0].color, 0x7FFFFFFFu);
}

TEST_F(SpritesTest, CellModeTakesACellOfTheGrid) {
    game_DisplayCell({.x = 0, .y = 0, .left = 23});
    game_DisplayCell({.x = 0, .y = 0, .left = -1});
    ASSERT_EQ(draws().size(), 1u);
    expect_draw(draws()[0], {150, 100, 200, 150}, 0, 0);
    EXPECT_EQ(draws()[0].texture, charset_texture);
}

TEST_F(SpritesTest, CellAnchorsAndRotationAboutTheDrawnCentre) {
    struct Case {
        int anchor;
        float tx, ty;
    };
    // A 20 x 10 rectangle at scale (2, 3) is 40 x 30 on screen.
    for (Case c : {Case{0, 100, 100}, {1, 80, 85}, {2, 80, 70}, {3, 80, 100}, {4, 100, 100}}) {
        clear();
        game_DisplayCell({.x = 100,
                          .y = 100,
                          .left = 5,
                          .top = 5,
                          .right = 25,
                          .bottom = 15,
                          .scale_x = 2,
                          .scale_y = 3,
                          .anchor = static_cast<CellAnchor>(c.anchor),
                          .rotation = 90});
        ASSERT_EQ(draws().size(), 1u);
        expect_draw(draws()[0], {5, 5, 25, 15}, c.tx, c.ty);
        EXPECT_FLOAT_EQ(draws()[0].cx, 20);
        EXPECT_FLOAT_EQ(draws()[0].cy, 15);
        EXPECT_FLOAT_EQ(draws()[0].angle, 90 * 0.017453292f);
    }
}

TEST_F(SpritesTest, PointerIsKeptInTheLayoutAndDrawnAtItsHotSpot) {
    mouse.x = 900;
    mouse.y = 700;
    mouse.button_down[0] = true;
    EXPECT_TRUE(game_DisplayCursor(true));
    EXPECT_EQ(mouse.x, 500);
    EXPECT_EQ(mouse.y, 500);
    ASSERT_EQ(draws().size(), 1u);
    expect_draw(draws()[0], {0, 400, 20, 420}, 500, 500);
    EXPECT_EQ(draws()[0].color, 0xFFFFFFFFu);

    mouse.x = -3;
    mouse.y = -40;
    mouse.button_down[0] = false;
    EXPECT_FALSE(game_DisplayCursor(false));
    EXPECT_EQ(mouse.x, 0);
    EXPECT_EQ(mouse.y, 0);
    EXPECT_EQ(draws().size(), 1u);
}
