// The cost of drawing a frame of 200 glyphs, 20 numbers and 5 bars on the headless backend, and
// how many heap allocations such a frame makes (reported as allocations per frame).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "allocations.h"
#include "app/frame.h"
#include "app/shell.h"
#include "gfx/bar.h"
#include "gfx/text.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"

namespace {

// A 512 x 512 sheet of one opaque colour as an uncompressed 32-bit TGA image.
std::string plain_sheet() {
    std::string image(18, '\0');
    image[2] = 2;
    image[13] = image[15] = 2; // 512 = 0x200
    image[16] = 32;
    image[17] = 0x28;
    image.append(512 * 512 * 4, '\x7f');
    return image;
}

} // namespace

static void BM_TextNumbersBarsFrame(benchmark::State& state) {
    platform::headless::reset();
    platform::device_create(platform::DeviceType::hardware);
    const std::string sheet = plain_sheet();
    charset_texture = platform::texture_from_tga(sheet.data(), sheet.size());
    frame_step = 4;
    long frames = 0, counted = 0;
    for (auto _ : state) {
        const long before = allocations_so_far();
        platform::render_clear(0xFF000000);
        ++frame_counter;
        for (int line = 0; line < 10; ++line) // 20 glyphs a line
            game_DisplayText({.text = "PLAYER-01:SCORE+99%.",
                              .x = 20,
                              .y = 20.0f + 22 * line,
                              .scale_x = 0.65f,
                              .scale_y = 0.65f});
        for (int i = 0; i < 20; ++i)
            game_DisplayNumber(123456 * i, 0.55f, 480, 260.0f + 12 * i, NumberAlign::right_top, -1,
                               -1);
        for (int i = 0; i < 5; ++i) game_DisplayBar(300, 20.0f + 14 * i, 20.0f * i, 30, 8);
        platform::render_present();
        if (frames++ > 0) counted += allocations_so_far() - before;
    }
    state.counters["allocations_per_frame"] =
        frames > 1 ? static_cast<double>(counted) / static_cast<double>(frames - 1) : 0;
    platform::texture_release(charset_texture);
    charset_texture = nullptr;
}
BENCHMARK(BM_TextNumbersBarsFrame);
