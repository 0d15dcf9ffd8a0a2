// The real SDL backend on SDL's dummy video and audio drivers: start, a few frames, shut down,
// the end signals, and which frames reach the window.
#include <gtest/gtest.h>

#include <SDL.h>
#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/frame.h"
#include "app/shell.h"
#include "gfx/sprites.h"
#include "platform/files.h"
#include "platform/renderer.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/window.h"

namespace {

// The real backend on SDL's dummy drivers, in a fresh folder with the built assets.
class SdlSmoke : public ::testing::Test {
  protected:
    void SetUp() override {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("DISPLAY"); // message boxes must not open on a real desktop
        unsetenv("WAYLAND_DISPLAY");
        folder = platform::enter_temporary_folder("gridhollow-smoke");
        ASSERT_FALSE(folder.empty());
        std::filesystem::copy_file(ASSET_DIR "/alarm.wav", "alarm.wav");
        std::filesystem::copy_file(ASSET_DIR "/_data.loc", "_data.loc");
        int code = -1;
        ASSERT_TRUE(game_Start(code));
    }
    void TearDown() override { std::filesystem::remove_all(folder); }
    // What the window manager's close box sends: a close of the window and a quit request.
    static void close_box() {
        SDL_Event close{};
        close.type = SDL_WINDOWEVENT;
        close.window.event = SDL_WINDOWEVENT_CLOSE;
        ASSERT_EQ(SDL_PushEvent(&close), 1);
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        ASSERT_EQ(SDL_PushEvent(&quit), 1);
    }
    std::string folder;
};

} // namespace

TEST_F(SdlSmoke, StartsRendersAndShutsDown) {
    EXPECT_TRUE(std::filesystem::is_directory("edit"));
    int before = frame_counter;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(game_LoopPass());
    EXPECT_EQ(frame_counter, before + 10);
    platform::Rect r = platform::window_rect();
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 546);

    close_box(); // Escape on the start screen: the program ends
    ASSERT_TRUE(game_LoopPass());
    EXPECT_FALSE(game_LoopPass()); // the frame after the close is still rendered
    EXPECT_EQ(frame_counter, before + 12);
    EXPECT_EQ(game_Finish(), 0);
}

TEST_F(SdlSmoke, EndSignalEndsTheLoopWithExitCodeZero) {
    close_box();
    ASSERT_TRUE(game_LoopPass());
    std::raise(SIGHUP); // caught: the process goes on
    EXPECT_FALSE(game_LoopPass());
    EXPECT_EQ(game_Finish(), 0);
}

// The window shows on SDL's software renderer, with no OpenGL; a frame reaches the window's
// pixels only when it differs from the one shown or the window needs a fresh picture, and then
// only where it differs while the layout is shown pixel for pixel, and never while the window is
// hidden.
TEST_F(SdlSmoke, OnlyChangedFramesReachTheSeenWindow) {
    SDL_Window* window = platform::sdl::window;
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL);
    SDL_RendererInfo info;
    ASSERT_EQ(SDL_GetRendererInfo(SDL_GetRenderer(window), &info), 0);
    EXPECT_STREQ(info.name, "software");

    constexpr uint32_t MARK = 0x123456, RED = 0xFF0000, BLUE = 0x0000FF;
    // What the window shows at a pixel (x, y from its bottom-right corner, or from the bottom-right
    // corner of the largest centred square, where the layout is shown, with in_square).
    auto at = [&](int x, int y) {
        SDL_Surface* screen = SDL_GetWindowSurface(window);
        const uint8_t* row = static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch;
        return reinterpret_cast<const uint32_t*>(row)[x] & 0xFFFFFF;
    };
    auto shown = [&](bool in_square) {
        SDL_Surface* screen = SDL_GetWindowSurface(window);
        const int side = std::min(screen->w, screen->h);
        return in_square ? at((screen->w + side) / 2 - 1, (screen->h + side) / 2 - 1)
                         : at(screen->w - 1, screen->h - 1);
    };
    // Marks the window's pixels, makes a frame cleared to the colour and tells what the window
    // shows afterwards in the bottom-right corner of the layout's square.
    auto window_after_frame = [&](uint32_t colour) {
        SDL_FillRect(SDL_GetWindowSurface(window), nullptr, MARK);
        platform::render_clear(0xFF000000 | colour);
        platform::render_present();
        return shown(true);
    };
    EXPECT_EQ(window_after_frame(RED), RED);
    EXPECT_EQ(window_after_frame(RED), MARK);
    EXPECT_EQ(window_after_frame(BLUE), BLUE);
    SDL_Event exposed{};
    exposed.window.type = SDL_WINDOWEVENT;
    exposed.window.windowID = SDL_GetWindowID(window);
    exposed.window.event = SDL_WINDOWEVENT_EXPOSED;
    SDL_PushEvent(&exposed);
    EXPECT_EQ(window_after_frame(BLUE), BLUE);
    // The pointer moved 4 pixels: its old and new places (100 to 124 by 100 to 120) are sent.
    for (const float x : {100.0f, 104.0f}) {
        SDL_FillRect(SDL_GetWindowSurface(window), nullptr, MARK);
        platform::render_clear(0xFF000000 | BLUE);
        draw_sprite(charset_texture, {0, 400, 20, 420}, 1, 1, 0, 0, 0, x, 100, OPAQUE_WHITE);
        platform::render_present();
    }
    EXPECT_EQ(at(101, 119), BLUE);
    EXPECT_EQ(shown(true), MARK);
    // The unchanged frame stretched over the largest square of the larger window (592 x 586),
    // on black beside it.
    platform::window_move(0, 0, 600, 620);
    EXPECT_EQ(window_after_frame(BLUE), BLUE);
    EXPECT_EQ(shown(false), 0u);
    EXPECT_EQ(SDL_GetWindowSurface(window)->w, 600 - platform::FRAME_W);
    EXPECT_EQ(window_after_frame(BLUE), MARK);

    SDL_HideWindow(window);
    EXPECT_EQ(window_after_frame(RED), MARK);
    SDL_ShowWindow(window);
    EXPECT_EQ(window_after_frame(RED), RED);
    EXPECT_EQ(window_after_frame(RED), MARK);
    EXPECT_EQ(game_Finish(), 0);
}
