// Support for the screen tests: the real program started on the headless backend with the built
// assets in the test's folder, driven by the headless player (tools/driver).
#pragma once
#include <string>

#include "platform/headless/headless.h"
#include "support.h"
#include "tools/driver/driver.h"

class ScreenTest : public GameTest {
  protected:
    // Starts the program and runs its first pass.
    void SetUp() override {
        GameTest::SetUp();
        copy_assets();
        ASSERT_TRUE(drive_start());
    }
    static bool pass(int n = 1) { return drive_pass(n); }
    static void point(int x, int y) { drive_point(x, y); }
    static void click(int x, int y) { drive_click(x, y); }
    static void press(int dik, int frames = 1) { drive_press(dik, frames); }
    static void type(const std::string& text) { drive_type(text); }
    static bool ended() { return drive_ended(); }
};

// Whether a file exists in the test's folder ("edit\NAME" is looked up as edit/NAME).
bool on_disk(const std::string& name);
