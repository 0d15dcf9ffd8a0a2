// The platform layer's promises that the game relies on: what a sprite draw means on the back
// buffer, and files read with a size limit.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"
#include "support.h"

namespace hl = platform::headless;

namespace {

// A w x h 32-bit TGA image, rows from the top, whose left half is `left` and right half `right`.
std::string halves_tga(int w, int h, uint32_t left, uint32_t right) {
    std::string image = tga_image(w, h, left);
    for (int y = 0; y < h; ++y)
        for (int x = w / 2; x < w; ++x)
            for (int byte = 0; byte < 4; ++byte)
                image[18 + 4 * (y * w + x) + byte] = static_cast<char>(right >> (8 * byte));
    return image;
}

class PlatformTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        ASSERT_TRUE(platform::device_create(platform::DeviceType::hardware));
        platform::render_clear(0xFF000000);
    }
    // A texture made from the bytes of a TGA image.
    static platform::Texture* texture(const std::string& tga) {
        return platform::texture_from_tga(tga.data(), tga.size());
    }
};

constexpr uint32_t RED = 0xFFFF0000, BLUE = 0xFF0000FF, BLACK = 0xFF000000;

// A source pixel (u, v) lands at R(angle) * ((u * sx, v * sy) - centre) + centre + translation,
// the angle turning clockwise on the screen.
TEST_F(PlatformTest, SpriteIsScaledThenRotatedAboutTheCentreThenMoved) {
    platform::Texture* t = texture(halves_tga(20, 10, RED, BLUE));
    platform::render_sprite({.texture = t,
                             .sx = 2,
                             .sy = 3,
                             .cx = 10,
                             .cy = 5,
                             .angle = std::numbers::pi_v<float> / 2,
                             .tx = 100,
                             .ty = 200});
    // The 40 x 30 scaled image turned a quarter about (110, 205): x 85..115, y 195..235, the red
    // left half on top.
    EXPECT_EQ(hl::pixel(100, 200), RED);
    EXPECT_EQ(hl::pixel(86, 212), RED);
    EXPECT_EQ(hl::pixel(100, 230), BLUE);
    EXPECT_EQ(hl::pixel(114, 218), BLUE);
    for (auto [x, y] : {std::pair{83, 215}, {117, 215}, {100, 193}, {100, 237}})
        EXPECT_EQ(hl::pixel(x, y), BLACK) << x << "," << y;
    platform::texture_release(t);
}

TEST_F(PlatformTest, SourceRectangleEndsBeforeItsRightAndBottomEdges) {
    platform::Texture* t = texture(halves_tga(20, 10, RED, BLUE));
    platform::render_sprite(
        {.texture = t, .has_source = true, .source = {0, 0, 10, 4}, .tx = 50, .ty = 60});
    EXPECT_EQ(hl::pixel(59, 63), RED);
    EXPECT_EQ(hl::pixel(60, 63), BLACK);
    EXPECT_EQ(hl::pixel(59, 64), BLACK);
    platform::texture_release(t);
}

TEST_F(PlatformTest, ColourAlphaMultipliesTheTexturesAlpha) {
    platform::Texture* t = texture(tga_image(8, 8, 0x80FFFFFF));
    platform::render_sprite({.texture = t, .color = 0x80FFFFFF});
    EXPECT_NEAR(hl::pixel(4, 4) & 0xFF, 64, 2); // a quarter of white over black
    platform::render_sprite({.texture = t, .tx = 20});
    EXPECT_NEAR(hl::pixel(24, 4) & 0xFF, 128, 2);
    platform::texture_release(t);
}

// Clears to the colour, draws, presents; true when the frame was put on the window.
bool present(const std::vector<platform::SpriteDraw>& draws, uint32_t clear = BLACK) {
    const long before = hl::frames_presented();
    platform::render_clear(clear);
    for (const platform::SpriteDraw& d : draws) platform::render_sprite(d);
    platform::render_present();
    return hl::frames_presented() > before;
}

TEST_F(PlatformTest, FrameIsPresentedOnlyWhenItsDrawsDiffer) {
    platform::Texture* t = texture(tga_image(8, 8, RED));
    platform::Texture* u = texture(tga_image(8, 8, BLUE));
    const platform::SpriteDraw a{.texture = t, .tx = 10}, b{.texture = t, .tx = 20};
    EXPECT_TRUE(present({a, b}));
    EXPECT_FALSE(present({a, b}));
    EXPECT_EQ(hl::frames_skipped(), 1);
    EXPECT_EQ(hl::draws().size(), 2u); // a skipped frame's draws are recorded all the same
    EXPECT_EQ(hl::pixel(22, 4), RED);

    std::vector<platform::SpriteDraw> changes(11, b);
    changes[0].texture = u;
    changes[1].has_source = true;
    changes[2].source.right = 4;
    changes[3].sx = 2;
    changes[4].sy = 2;
    changes[5].cx = 1;
    changes[6].cy = 1;
    changes[7].angle = 0.5f;
    changes[8].tx = 21;
    changes[9].ty = 1;
    changes[10].color = 0x80FFFFFF;
    for (size_t i = 0; i < changes.size(); ++i) {
        EXPECT_TRUE(present({a, changes[i]})) << i;
        EXPECT_TRUE(present({a, b})) << i;
    }
    // A draw of an empty source rectangle paints nothing: adding or moving one changes nothing.
    platform::SpriteDraw empty = b;
    empty.has_source = true;
    empty.source = {4, 0, 4, 8};
    EXPECT_FALSE(present({a, empty, b}));
    empty.source = {6, 2, 7, 2};
    empty.tx = 50;
    EXPECT_FALSE(present({a, empty, b}));
    EXPECT_TRUE(present({b, a}));             // the same draws in another order
    EXPECT_TRUE(present({b, a}, 0xFF000001)); // another clear colour
    EXPECT_TRUE(present({b}));
    EXPECT_TRUE(present({}));
    EXPECT_FALSE(present({}));
    platform::texture_release(t);
    platform::texture_release(u);
}

TEST_F(PlatformTest, NewTextureIsPresentedEvenWhereTheOldOneLay) {
    platform::Texture* t = texture(tga_image(8, 8, RED));
    EXPECT_TRUE(present({{.texture = t}}));
    platform::texture_release(t);
    platform::Texture* u = texture(tga_image(8, 8, BLUE)); // may well get t's address
    EXPECT_TRUE(present({{.texture = u}}));
    EXPECT_EQ(hl::pixel(4, 4), BLUE);
    platform::texture_release(u);
}

TEST_F(PlatformTest, WindowThatNeedsAFreshPictureGetsTheUnchangedFrame) {
    EXPECT_TRUE(present({}));
    EXPECT_FALSE(present({}));
    hl::expose_window();
    EXPECT_TRUE(present({}));
    platform::window_move(10, 10, 520, 546);
    EXPECT_TRUE(present({}));
    EXPECT_FALSE(present({}));
}

TEST_F(PlatformTest, NothingIsPresentedWhileTheWindowIsNotSeen) {
    EXPECT_TRUE(present({}));
    hl::set_window_seen(false);
    EXPECT_FALSE(present({}, RED));
    EXPECT_EQ(hl::pixel(0, 0), RED); // the back buffer still holds every frame made
    hl::expose_window();
    EXPECT_FALSE(present({}));
    EXPECT_EQ(hl::frames_skipped(), 2);
    hl::set_window_seen(true);
    EXPECT_TRUE(present({})); // the frame last shown, but the window shows again
    EXPECT_FALSE(present({}));
}

TEST_F(PlatformTest, FileOverItsReadLimitIsNotRead) {
    platform::file_write("eleven", "0123456789A", 11);
    std::vector<uint8_t> bytes{1, 2};
    EXPECT_FALSE(platform::file_read("eleven", bytes, 10));
    EXPECT_TRUE(bytes.empty());
    ASSERT_TRUE(platform::file_read("eleven", bytes, 11));
    EXPECT_EQ(bytes.size(), 11u);
}

} // namespace
