// Test support: the per-test folder and the reset of shared state.
#include "support.h"

#include <filesystem>
#include <unistd.h>

#include "app/frame.h"
#include "platform/headless/headless.h"

void GameTest::SetUp() {
    previous = std::filesystem::current_path();
    char name[] = "/tmp/gridhollow-test-XXXXXX";
    ASSERT_NE(mkdtemp(name), nullptr);
    folder = name;
    ASSERT_EQ(chdir(folder.c_str()), 0);
    platform::headless::reset();
    current_screen = 0;
    dialog_active = 0;
    frame_counter = 0;
    previous_frame_time = 0;
    frame_deadline = 0;
}

void GameTest::TearDown() {
    ASSERT_EQ(chdir(previous.c_str()), 0);
    std::filesystem::remove_all(folder);
}

void GameTest::copy_assets() {
    for (const char* name : {"_data.loc", "alarm.wav"})
        std::filesystem::copy_file(std::string(ASSET_DIR) + "/" + name, folder + "/" + name);
}
