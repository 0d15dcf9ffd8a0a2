// Support for the screen tests: the real program started on the headless backend with the built
// assets, driven pass by pass through the message loop with the pointer, clicks and keys.
#pragma once
#include <string>

#include "platform/headless/headless.h"
#include "support.h"

class ScreenTest : public GameTest {
  protected:
    // Starts the program and runs its first pass.
    void SetUp() override;
    // Runs n passes of the message loop; false once the loop has taken the quit message.
    bool pass(int n = 1);
    // Puts the pointer at a layout position (as an absolute pointing device does) for a pass.
    void point(int x, int y);
    // Points, holds the left button for a pass and releases it for another.
    void click(int x, int y);
    // Holds a key for a pass and releases it for another.
    void press(int dik);
    // Types capital letters and digits, a key a time.
    void type(const std::string& text);
    // Whether the loop has taken the quit message.
    bool ended = false;
};

// Whether a file exists in the test's folder ("edit\NAME" is looked up as edit/NAME).
bool on_disk(const std::string& name);
