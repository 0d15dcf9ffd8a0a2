// Support for the drawing tests: a patterned character sheet, a clean drawing state, recorded-draw
// checks and golden-image comparison of the back buffer.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "support.h"

// A w x h TGA image whose every pixel is coded by its position (a few of them half transparent),
// so that any misplaced source rectangle or translation changes the rendered pixels.
std::string patterned_tga(int w, int h);

// A fresh folder and headless backend, the patterned sheet as charset_texture, empty image caches,
// the bar, dialog, pointer and window-control state back at their start, and frame_step 4.
class DrawTest : public GameTest {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Clears the back buffer and the recorded draws, as a frame's start does.
    static void clear();
    static const std::vector<platform::SpriteDraw>& draws() { return platform::headless::draws(); }
};

// Checks a recorded draw's source rectangle and translation.
void expect_draw(const platform::SpriteDraw& draw, platform::Rect source, float tx, float ty);

// Compares the back buffer with tests/golden/NAME.png: it fails when more than a handful of pixels
// differ by more than a small amount in any channel. To regenerate the goldens after an intended
// change of the drawing, run from the build folder
//     GRIDHOLLOW_UPDATE_GOLDEN=1 ./gridhollow_tests --gtest_filter='Golden*'
// and review the new images before committing them.
void expect_golden(const char* name);
// The frame again at 2x and 3x, compared with NAME-2x.png and NAME-3x.png: full screen on a 1920 x
// 1080 desktop and on a 3840 x 2160 one, pass running the loop for a frame at each.
void expect_dense_goldens(const char* name, const std::function<void()>& pass);
