// The frame: timing, the per-frame step, clearing, dispatch to the screens, presenting, pacing.
#include "app/frame.h"

#include "gfx/dialog.h"
#include "input/mouse.h"
#include "platform/clock.h"
#include "platform/renderer.h"
#include "players/options_screen.h"
#include "players/players.h"
#include "sudoku/next_level_screen.h"
#include "sudoku/play_screen.h"
#include "sudoku/start_screen.h"

float frames_per_second = 0;
double previous_frame_time = 0;
double frame_deadline = 0;

void frame_reset() {
    frames_per_second = 0;
    previous_frame_time = 0;
    frame_deadline = 0;
}

namespace {
constexpr double FRAME_SECONDS = 1.0 / 60;
} // namespace

double game_Timer() {
    static const uint64_t frequency = platform::perf_frequency();
    if (frequency != 0)
        return static_cast<double>(platform::perf_counter()) / static_cast<double>(frequency);
    return platform::time_get_time() * 0.001;
}

void game_Render() {
    // The readings stay in double precision: as 32-bit floats, seconds since the machine started
    // lose the frame's length after a few hours of uptime.
    double frame_time = game_Timer();
    frames_per_second = static_cast<float>(1.0 / (frame_time - previous_frame_time));
    previous_frame_time = frame_time;
    frame_step = 200.0f / frames_per_second;
    if (frame_step > 20)
        frame_step = 20;
    else if (frame_step == 0)
        frame_step = 0.0001f;
    platform::render_clear(0xFF000000);
    game_Dispatch();
    platform::render_present();
}

int game_Dispatch() {
    ++frame_counter;
    mouse.poll();
    if (dialog_active == 0) {
        switch (current_screen) {
        case SCREEN_START:
            game_StartScreen();
            break;
        case SCREEN_GAME:
            game_PlayScreen();
            break;
        case SCREEN_NEXT_LEVEL:
            game_NextLevelScreen();
            break;
        case SCREEN_OPTIONS:
            game_OptionsScreen();
            break;
        default:
            break;
        }
    }
    if (dialog_active == 1) game_InputBox(player_name, 256, 256);
    return 0;
}

void game_PaceFrame() {
    frame_deadline += FRAME_SECONDS;
    double now = game_Timer();
    if (now - frame_deadline > FRAME_SECONDS) frame_deadline = now; // stalled: start afresh
    platform::sleep_until(frame_deadline);
}
