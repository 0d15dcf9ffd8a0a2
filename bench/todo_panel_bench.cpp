// The cost of a start-screen frame of the to-do panel expanded over a full task file (1000 tasks,
// of which the list holds 999): a frame of the loaded list, and a frame that reloads it.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

#include "gfx/images.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "platform/renderer.h"
#include "run/state.h"
#include "screens/todo_panel.h"
#include "store/archive.h"
#include "todo/dates.h"
#include "todo/tasks.h"

namespace {

constexpr platform::SYSTEMTIME NOW{2008, 5, 3, 14, 12, 0, 0, 0};

// 1000 tasks of every kind over two years around now, some with alarms and warnings.
std::string taskfile() {
    std::string text = "Bench_t\r\n";
    const uint64_t first = toticks(NOW) - 365 * TICKS_PER_DAY;
    for (int i = 0; i < 1000; ++i) {
        const platform::SYSTEMTIME w =
            fromticks(first + static_cast<uint64_t>(i) * 73 * TICKS_PER_DAY / 100);
        char line[200];
        snprintf(line, sizeof line,
                 "TASK %d_x %d_D %d_M %d_Y %d_h %d_m 0_s %d_? 0_j %d_a %d_n 0_e 0_f|\r\n", i,
                 w.wDay, w.wMonth, w.wYear, w.wHour, w.wMinute, i % 6, i % 2, i % 3 * 10);
        text += line;
    }
    return text;
}

// The start screen's call with the panel expanded, inside a frame as the loop runs it.
void panelframe() {
    platform::headless::advance_clock(1.0 / 60);
    platform::render_clear(0xFF000000);
    ++frame_counter;
    mouse.poll();
    game_DisplayTodo({.x = 60, .y = 170, .rows = 10, .row_height = 16});
    platform::render_present();
}

// Runs `body` with the real character sheet, the pointer over the third row, in a fresh folder
// holding the task file, at NOW.
template <class Body> void inpanel(Body body) {
    platform::headless::reset();
    platform::device_create(platform::DeviceType::hardware);
    loadtexture(ARCHIVE_FILE, IMAGE_CHARSET.name, &charset_texture); // from the build folder
    mouse.create();
    platform::headless::move_mouse(200, 242);
    frame_step = 200.0f / 60;
    std::filesystem::path previous = std::filesystem::current_path();
    char name[] = "/tmp/gridhollow-panel-bench-XXXXXX";
    std::filesystem::current_path(mkdtemp(name));
    platform::headless::set_local_time(NOW);
    const std::string text = taskfile();
    platform::file_write(TODO_FILE, text.data(), text.size());
    todo_panel_reset();
    panelframe(); // the first frame loads and sorts the list
    body();
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(name);
    platform::texture_release(charset_texture);
    charset_texture = nullptr;
}

} // namespace

static void BM_TodoPanelFrameExpanded(benchmark::State& state) {
    inpanel([&] {
        for (auto _ : state) panelframe();
        state.counters["tasks"] = static_cast<double>(todo_panel_visit().task_list.size());
    });
}
BENCHMARK(BM_TodoPanelFrameExpanded)->Unit(benchmark::kMicrosecond);

// A frame after the list was switched or the editor closed: sort, read and draw.
static void BM_TodoPanelFrameReloading(benchmark::State& state) {
    inpanel([&] {
        for (auto _ : state) {
            todo_panel_reset(); // the next frame enters the list again
            panelframe();
        }
    });
}
BENCHMARK(BM_TodoPanelFrameReloading)->Unit(benchmark::kMicrosecond);
