// The real SDL backend on SDL's dummy video and audio drivers: start, a few frames, shut down.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/frame.h"
#include "app/shell.h"
#include "platform/files.h"
#include "platform/window.h"

TEST(SdlSmoke, StartsRendersAndShutsDown) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("DISPLAY"); // message boxes must not open on a real desktop
    unsetenv("WAYLAND_DISPLAY");
    const std::string folder = platform::enter_temporary_folder("gridhollow-smoke");
    ASSERT_FALSE(folder.empty());
    std::filesystem::copy_file(ASSET_DIR "/alarm.wav", "alarm.wav");
    std::filesystem::copy_file(ASSET_DIR "/_data.loc", "_data.loc");

    int code = -1;
    ASSERT_TRUE(game_Start(code));
    EXPECT_TRUE(std::filesystem::is_directory("edit"));
    int before = frame_counter;
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(game_LoopPass());
    EXPECT_EQ(frame_counter, before + 10);
    platform::Rect r = platform::window_rect();
    EXPECT_EQ(r.right - r.left, 520);
    EXPECT_EQ(r.bottom - r.top, 546);

    // The window manager's close box asks SDL to quit; the game runs on.
    SDL_Event close{};
    close.type = SDL_WINDOWEVENT;
    close.window.event = SDL_WINDOWEVENT_CLOSE;
    ASSERT_EQ(SDL_PushEvent(&close), 1);
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 1);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(game_LoopPass());
    EXPECT_EQ(frame_counter, before + 13);

    game_WindowProcedure(platform::WM_CLOSE);
    EXPECT_FALSE(game_LoopPass()); // the frame after the close is still rendered
    EXPECT_EQ(frame_counter, before + 14);
    EXPECT_EQ(game_Finish(), 0);
    std::filesystem::remove_all(folder);
}
