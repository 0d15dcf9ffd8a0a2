// The real SDL backend on SDL's dummy video and audio drivers: start, a few frames, shut down,
// and the end signals.
#include <gtest/gtest.h>

#include <SDL.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <unistd.h>

#include "app/frame.h"
#include "app/shell.h"
#include "platform/window.h"

TEST(SdlSmoke, StartsRendersAndShutsDown) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("DISPLAY"); // message boxes must not open on a real desktop
    unsetenv("WAYLAND_DISPLAY");
    char folder[] = "/tmp/gridhollow-smoke-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    std::filesystem::copy_file(ASSET_DIR "/alarm.wav", std::string(folder) + "/alarm.wav");
    std::filesystem::copy_file(ASSET_DIR "/_data.loc", std::string(folder) + "/_data.loc");
    ASSERT_EQ(chdir(folder), 0);

    int code = -1;
    ASSERT_TRUE(game_Start(code));
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

TEST(SdlSmoke, EndSignalEndsTheLoopWithExitCodeZeroAndTheCloseBoxDoesNot) {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    char folder[] = "/tmp/gridhollow-smoke-XXXXXX";
    ASSERT_NE(mkdtemp(folder), nullptr);
    for (const char* asset : {"/_data.loc", "/alarm.wav"})
        std::filesystem::copy_file(std::string(ASSET_DIR) + asset, std::string(folder) + asset);
    ASSERT_EQ(chdir(folder), 0);

    int code = -1;
    ASSERT_TRUE(game_Start(code));
    SDL_Event quit{};
    quit.type = SDL_QUIT; // what the window manager's close box sends
    SDL_PushEvent(&quit);
    ASSERT_TRUE(game_LoopPass());
    std::raise(SIGHUP); // caught: the process goes on
    EXPECT_FALSE(game_LoopPass());
    EXPECT_EQ(game_Finish(), 0);
    std::filesystem::remove_all(folder);
}
