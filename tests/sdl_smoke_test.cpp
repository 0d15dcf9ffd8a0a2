// The real SDL backend on SDL's dummy video and audio drivers: start, a few frames, shut down; and
// which frames reach the window.
#include <gtest/gtest.h>

#include <SDL.h>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "app/frame.h"
#include "app/shell.h"
#include "platform/renderer.h"
#include "platform/sdl/sdl_backend.h"
#include "platform/window.h"

namespace {

// Starts the game on the dummy drivers in a fresh folder holding the built assets; returns it.
std::string start_game() {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("DISPLAY"); // message boxes must not open on a real desktop
    unsetenv("WAYLAND_DISPLAY");
    char folder[] = "/tmp/gridhollow-smoke-XXXXXX";
    EXPECT_NE(mkdtemp(folder), nullptr);
    std::filesystem::copy_file(ASSET_DIR "/alarm.wav", std::string(folder) + "/alarm.wav");
    std::filesystem::copy_file(ASSET_DIR "/_data.loc", std::string(folder) + "/_data.loc");
    EXPECT_EQ(chdir(folder), 0);
    int code = -1;
    EXPECT_TRUE(game_Start(code));
    return folder;
}

} // namespace

TEST(SdlSmoke, StartsRendersAndShutsDown) {
    const std::string folder = start_game();
    EXPECT_TRUE(std::filesystem::is_directory("edit"));
    int before = frame_counter;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(game_LoopPass());
    EXPECT_EQ(frame_counter, before + 10);
    platform::Rect r = platform::window_rect();
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 546);

    game_WindowProcedure(platform::WM_CLOSE);
    EXPECT_FALSE(game_LoopPass()); // the frame after the close is still rendered
    EXPECT_EQ(frame_counter, before + 11);
    EXPECT_EQ(game_Finish(), 0);
    std::filesystem::remove_all(folder);
}

// The window shows on SDL's software renderer, with no OpenGL; a frame reaches the window's
// pixels only when it differs from the one shown or the window needs a fresh picture, and never
// while the window is hidden.
TEST(SdlSmoke, OnlyChangedFramesReachTheSeenWindow) {
    const std::string folder = start_game();
    SDL_Window* window = platform::sdl::window;
    EXPECT_TRUE(SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN);
    EXPECT_FALSE(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL);
    SDL_RendererInfo info;
    ASSERT_EQ(SDL_GetRendererInfo(SDL_GetRenderer(window), &info), 0);
    EXPECT_STREQ(info.name, "software");

    constexpr uint32_t MARK = 0x123456, RED = 0xFF0000, BLUE = 0x0000FF;
    // Marks the window's pixels, makes a frame cleared to the colour and tells what the window
    // shows afterwards in its bottom-right corner.
    auto window_after_frame = [&](uint32_t colour) {
        SDL_Surface* screen = SDL_GetWindowSurface(window);
        SDL_FillRect(screen, nullptr, MARK);
        platform::render_clear(0xFF000000 | colour);
        platform::render_present();
        screen = SDL_GetWindowSurface(window);
        const uint8_t* last_row =
            static_cast<const uint8_t*>(screen->pixels) + (screen->h - 1) * screen->pitch;
        return reinterpret_cast<const uint32_t*>(last_row)[screen->w - 1] & 0xFFFFFF;
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
    platform::window_move(0, 0, 600, 620); // the unchanged frame stretched over the larger window
    EXPECT_EQ(window_after_frame(BLUE), BLUE);
    EXPECT_EQ(SDL_GetWindowSurface(window)->w, 600 - platform::FRAME_W);
    EXPECT_EQ(window_after_frame(BLUE), MARK);

    SDL_HideWindow(window);
    EXPECT_EQ(window_after_frame(RED), MARK);
    SDL_ShowWindow(window);
    EXPECT_EQ(window_after_frame(RED), RED);
    EXPECT_EQ(window_after_frame(RED), MARK);
    EXPECT_EQ(game_Finish(), 0);
    std::filesystem::remove_all(folder);
}
