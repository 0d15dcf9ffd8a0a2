// Start-up: window placement, device fallbacks and their messages, the first resources.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <tuple>

#include "app/device.h"
#include "app/frame.h"
#include "app/shell.h"
#include "gfx/images.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"
#include "run/state.h"
#include "support.h"

namespace hl = platform::headless;
using platform::DeviceType;

class ShellTest : public GameTest {
  protected:
    void SetUp() override {
        GameTest::SetUp();
        copy_assets();
        write_archive({{IMAGE_CHARSET.name, tga_image(512, 512, 0xFFFFFFFF)}});
    }
    std::vector<std::string> box_texts() {
        std::vector<std::string> texts;
        for (const auto& box : hl::message_boxes()) texts.push_back(box.caption + ": " + box.text);
        return texts;
    }
};

TEST_F(ShellTest, StartPlacesAndCreatesTheWindowAndTheDevices) {
    hl::set_desktop(1920, 1080);
    int code = -1;
    ASSERT_TRUE(game_Start(code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(desktop_w, 1920);
    EXPECT_EQ(window_x, (1920 - 504) / 2);
    EXPECT_EQ(window_y, (1080 - 478) / 2);
    EXPECT_EQ(window_w, 520);
    EXPECT_EQ(window_h, 546);
    EXPECT_EQ(backbuffer_w, 512u);
    EXPECT_EQ(backbuffer_h, 512u);
    EXPECT_EQ(mouse.x, 256);
    EXPECT_EQ(mouse.y, 256);
    EXPECT_EQ(current_screen, Screen::start);
    EXPECT_EQ(alarm_sound, 0);
    EXPECT_TRUE(std::filesystem::is_directory("edit"));
}

// A desktop 2048 pixels high or more (a high-density screen) opens the window at the largest whole
// multiple of the layout that takes at most half its height, centred as the 1x window is.
TEST_F(ShellTest, LargeDesktopsOpenTheWindowAtAWholeMultiple) {
    for (const auto& [w, h, multiple] :
         {std::tuple{2560, 1440, 1}, std::tuple{3840, 2160, 2}, std::tuple{7680, 4320, 4}}) {
        hl::reset();
        hl::set_desktop(w, h);
        int code;
        ASSERT_TRUE(game_Start(code));
        const int side = 512 * multiple;
        EXPECT_EQ(window_w, side + 8) << h;
        EXPECT_EQ(window_h, side + 34) << h;
        EXPECT_EQ(window_x, (w - side + 8) / 2) << h;
        EXPECT_EQ(window_y, (h - side + 34) / 2) << h;
        game_LoopPass();
        EXPECT_EQ(platform::render_density(), std::min(multiple, 3)) << h;
        game_Cleanup();
    }
}

// F11 and Alt+Enter, each press however long held, turn full screen on and off. At full screen the
// frame is drawn at the density of the screen's height, the edge controls move nothing and the
// window's placement (which the settings save) stays the window's own; leaving restores it.
TEST_F(ShellTest, F11AndAltEnterToggleFullScreenKeepingTheWindowsPlacement) {
    hl::set_desktop(1920, 1080);
    int code;
    ASSERT_TRUE(game_Start(code));
    ASSERT_TRUE(game_LoopPass());
    const platform::Rect placed = hl::window();
    long pass = hl::passes();
    auto hold = [&pass](std::vector<int> keys, int frames) {
        std::vector<hl::Event> events;
        for (int key : keys) events.push_back({pass + 1, hl::EventKind::key_down, key});
        for (int key : keys) events.push_back({pass + 1 + frames, hl::EventKind::key_up, key});
        hl::script(events);
        pass += frames + 2;
        while (hl::passes() < pass) ASSERT_TRUE(game_LoopPass());
    };
    bool expected = false;
    for (int frames : {1, 3, 10}) {
        hold({DIK_F11}, frames);
        expected = !expected;
        EXPECT_EQ(full_screen, expected) << frames;
        EXPECT_EQ(hl::fullscreen(), expected) << frames;
        EXPECT_EQ(platform::render_density(), expected ? 2 : 1) << frames;
    }
    // At full screen: the grow control held does nothing, the placement stays.
    const int moves = hl::window_moves();
    mouse.x = 440;
    mouse.y = 10;
    hl::set_button(0, true);
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(game_LoopPass());
    hl::set_button(0, false);
    ASSERT_TRUE(game_LoopPass());
    pass = hl::passes();
    EXPECT_EQ(window_w, 520);
    EXPECT_EQ(hl::window_moves(), moves);
    for (int alt : {DIK_LMENU, DIK_RMENU}) {
        hold({alt, DIK_RETURN}, 3);
        expected = !expected;
        EXPECT_EQ(hl::fullscreen(), expected) << alt;
    }
    hold({DIK_F11}, 1); // leaves full screen: the window's own rectangle again
    ASSERT_FALSE(hl::fullscreen());
    EXPECT_EQ(hl::window().left, placed.left);
    EXPECT_EQ(hl::window().right, placed.right);
    EXPECT_EQ(hl::window().bottom, placed.bottom);
    EXPECT_EQ(platform::render_density(), 1);
    hold({DIK_RETURN}, 3); // Enter alone does nothing of the kind
    EXPECT_FALSE(hl::fullscreen());
}

TEST_F(ShellTest, SmallDesktopPlacementTruncatesTowardZero) {
    hl::set_desktop(500, 477);
    int code;
    ASSERT_TRUE(game_Start(code));
    EXPECT_EQ(window_x, -2);
    EXPECT_EQ(window_y, 0); // -1 / 2 truncates to 0
}

TEST_F(ShellTest, HardwareOrSoftwareDeviceShowsNoMessage) {
    int code;
    hl::set_device_available(DeviceType::hardware, false);
    ASSERT_TRUE(game_Start(code));
    for (const std::string& text : box_texts())
        EXPECT_EQ(text.find("Orbfall Raid"), std::string::npos);
}

TEST_F(ShellTest, ReferenceDeviceAsksFirstAndYesContinues) {
    hl::set_device_available(DeviceType::hardware, false);
    hl::set_device_available(DeviceType::software, false);
    int code;
    ASSERT_TRUE(game_Start(code));
    auto texts = box_texts();
    ASSERT_GE(texts.size(), 2u);
    EXPECT_EQ(texts[0], "Orbfall Raid: Direct3D9 - hardware emulation failed");
    EXPECT_EQ(texts[1], "Orbfall Raid: Game will run very slow without video hardware support.  "
                        "Continue (y/n)");
    EXPECT_EQ(hl::message_boxes()[1].buttons, platform::MB_YESNO);
}

TEST_F(ShellTest, ReferenceDeviceDeclinedEndsWithExitCodeZero) {
    hl::set_device_available(DeviceType::hardware, false);
    hl::set_device_available(DeviceType::software, false);
    hl::answer_message_boxes({platform::IDOK, platform::IDNO});
    int code = -1;
    EXPECT_FALSE(game_Start(code));
    EXPECT_EQ(code, 0);
    EXPECT_EQ(hl::message_boxes().size(), 2u);
}

TEST_F(ShellTest, NoDeviceAtAllEndsAfterTwoMessages) {
    for (DeviceType t : {DeviceType::hardware, DeviceType::software, DeviceType::reference})
        hl::set_device_available(t, false);
    int code = -1;
    EXPECT_FALSE(game_Start(code));
    EXPECT_EQ(code, 0);
    auto texts = box_texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "Orbfall Raid: Software emulation failed.  Make sure correct video card "
                        "driver installed");
}

TEST_F(ShellTest, NoVideoEndsWithAFailureCode) {
    hl::set_video_available(false);
    int code = 0;
    EXPECT_FALSE(game_Start(code));
    EXPECT_NE(code, 0);
    EXPECT_TRUE(hl::message_boxes().empty());
}

TEST_F(ShellTest, MissingCharacterSetIsReportedOnceAndTheGameRunsOn) {
    platform::file_write("_data.loc", "", 0);
    int code;
    ASSERT_TRUE(game_Start(code));
    auto texts = box_texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], "Game_0Stage0(): chrset1.tga");
    EXPECT_EQ(charset_texture, nullptr);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(game_LoopPass());
    EXPECT_EQ(hl::message_boxes().size(), 1u);
}

using ShellDeathTest = ShellTest;

TEST_F(ShellDeathTest, MissingAlarmSoundEndsTheProgram) {
    std::filesystem::remove("alarm.wav");
    int code;
    EXPECT_EXIT(game_Start(code), testing::ExitedWithCode(255),
                "dswav - loadwav: unloadable: alarm.wav");
}
