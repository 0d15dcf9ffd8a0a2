// Support for the drawing tests.
#include "gfx_support.h"

#include <cstdlib>
#include <filesystem>
#include <tuple>

#include "app/frame.h"
#include "app/shell.h"
#include "gfx/bar.h"
#include "gfx/sprites.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "players/players.h"
#include "players/settings.h"
#include "screens/name_box.h"

namespace hl = platform::headless;

std::string patterned_tga(int w, int h) {
    std::string image = tga_image(w, h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            char* p = &image[18 + 4 * (y * w + x)]; // B, G, R, A
            p[0] = static_cast<char>((x ^ y) & 8 ? 255 : 60);
            p[1] = static_cast<char>(y * 11);
            p[2] = static_cast<char>(x * 13);
            p[3] = static_cast<char>(x % 7 == 0 ? 128 : 255);
        }
    return image;
}

void DrawTest::SetUp() {
    GameTest::SetUp();
    ASSERT_TRUE(platform::device_create(platform::DeviceType::hardware));
    const std::string sheet = patterned_tga(512, 512);
    charset_texture = platform::texture_from_tga(sheet.data(), sheet.size());
    ASSERT_NE(charset_texture, nullptr);
    frame_step = 4;
    desktop_w = 1920;
    desktop_h = 1080;
    window_x = 700;
    window_y = 267;
    window_w = 520;
    window_h = 546;
    clear();
}

void DrawTest::TearDown() {
    platform::texture_release(charset_texture);
    charset_texture = nullptr;
    GameTest::TearDown();
}

void DrawTest::clear() {
    platform::render_clear(0xFF000000);
}

void expect_draw(const platform::SpriteDraw& draw, platform::Rect source, float tx, float ty) {
    EXPECT_TRUE(draw.has_source);
    EXPECT_EQ(draw.source.left, source.left);
    EXPECT_EQ(draw.source.top, source.top);
    EXPECT_EQ(draw.source.right, source.right);
    EXPECT_EQ(draw.source.bottom, source.bottom);
    EXPECT_FLOAT_EQ(draw.tx, tx);
    EXPECT_FLOAT_EQ(draw.ty, ty);
}

void expect_golden(const char* name) {
    const std::string path =
        (std::filesystem::path(__FILE__).parent_path() / "golden" / name).string() + ".png";
    const char* update = std::getenv("GRIDHOLLOW_UPDATE_GOLDEN");
    if (update && *update == '1') {
        ASSERT_TRUE(hl::save_png(path.c_str())) << path;
        return;
    }
    int w = 0, h = 0;
    std::vector<uint32_t> golden;
    ASSERT_TRUE(hl::read_png(path.c_str(), w, h, golden)) << "missing golden " << path;
    int shown_w = 0, shown_h = 0;
    std::vector<uint32_t> shown;
    ASSERT_TRUE(hl::read_pixels(shown_w, shown_h, shown));
    ASSERT_EQ(w, shown_w);
    ASSERT_EQ(h, shown_h);
    ASSERT_EQ(w, platform::BACKBUFFER_W * platform::render_density());
    int differing = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t a = shown[y * w + x], b = golden[y * w + x];
            for (int shift = 0; shift < 24; shift += 8) {
                const int d =
                    static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF);
                if (d > 24 || d < -24) {
                    ++differing;
                    break;
                }
            }
        }
    EXPECT_LE(differing, 16) << name << ": pixels differ from the golden image";
}

void expect_dense_goldens(const char* name, const std::function<void()>& pass) {
    platform::window_set_fullscreen(true);
    for (const auto& [w, h, density] : {std::tuple{1920, 1080, 2}, std::tuple{3840, 2160, 3}}) {
        hl::set_desktop(w, h);
        pass();
        ASSERT_EQ(platform::render_density(), density);
        expect_golden((std::string(name) + "-" + std::to_string(density) + "x").c_str());
    }
    platform::window_set_fullscreen(false);
}
