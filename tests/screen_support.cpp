// Support for the screen tests: start-up, loop passes and scripted pointer and keys.
#include "screen_support.h"

#include <cstring>
#include <filesystem>

#include "app/shell.h"

namespace hl = platform::headless;

void ScreenTest::SetUp() {
    GameTest::SetUp();
    copy_assets();
    int code = -1;
    ASSERT_TRUE(game_Start(code));
    pass(); // the start screen's first frame, as the program shows it
}

bool ScreenTest::pass(int n) {
    for (int i = 0; i < n && !ended; ++i) ended = !game_LoopPass();
    return !ended;
}

void ScreenTest::point(int x, int y) {
    hl::place_mouse(x, y);
    pass();
}

void ScreenTest::click(int x, int y) {
    hl::place_mouse(x, y);
    hl::set_button(0, true);
    pass();
    hl::set_button(0, false);
    pass();
}

void ScreenTest::press(int dik) {
    hl::set_key(dik, true);
    pass();
    hl::set_key(dik, false);
    pass();
}

void ScreenTest::type(const std::string& text) {
    // The DirectInput codes of the letter rows and the digit row.
    static const char* const rows[] = {"1234567890", "QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
    static const int first_codes[] = {2, 16, 30, 44};
    for (char c : text)
        for (int r = 0; r < 4; ++r)
            if (const char* at = std::strchr(rows[r], c)) press(first_codes[r] + (at - rows[r]));
}

bool on_disk(const std::string& name) {
    std::string path = name;
    for (char& c : path)
        if (c == '\\') c = '/';
    return std::filesystem::exists(path);
}
