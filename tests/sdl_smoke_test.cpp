// The real SDL backend on SDL's dummy video and audio drivers: start, a few frames, shut down,
// and the end signals.
#include <gtest/gtest.h>

#include <SDL.h>
#include <csignal>
#include <cstdlib>
#include <filesystem>

#include "app/frame.h"
#include "app/shell.h"
#include "platform/files.h"
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

    close_box(); // the game runs on
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(game_LoopPass());
    EXPECT_EQ(frame_counter, before + 13);

    game_WindowProcedure(platform::WM_CLOSE);
    EXPECT_FALSE(game_LoopPass()); // the frame after the close is still rendered
    EXPECT_EQ(frame_counter, before + 14);
    EXPECT_EQ(game_Finish(), 0);
}

TEST_F(SdlSmoke, EndSignalEndsTheLoopWithExitCodeZero) {
    close_box();
    ASSERT_TRUE(game_LoopPass());
    std::raise(SIGHUP); // caught: the process goes on
    EXPECT_FALSE(game_LoopPass());
    EXPECT_EQ(game_Finish(), 0);
}
