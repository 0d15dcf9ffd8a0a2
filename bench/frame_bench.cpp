// The cost of one whole frame on the headless backend with no screen to run.
#include <benchmark/benchmark.h>

#include "app/frame.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"

static void BM_EmptyFrame(benchmark::State& state) {
    platform::headless::reset();
    platform::device_create(platform::DeviceType::hardware);
    current_screen = Screen::none;
    for (auto _ : state) {
        platform::headless::advance_clock(1.0 / 60);
        game_Render();
    }
}
BENCHMARK(BM_EmptyFrame);
