// The frame: timing, the per-frame step, clearing, dispatch to the screens, presenting, pacing.
#include "app/frame.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "gfx/bar.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/clock.h"
#include "platform/notify.h"
#include "platform/renderer.h"
#include "platform/window.h"
#include "players/players.h"
#include "screens/layout.h"
#include "screens/name_box.h"
#include "screens/next_level_screen.h"
#include "screens/options_screen.h"
#include "screens/play_screen.h"
#include "screens/start_screen.h"
#include "todo/dates.h"
#include "todo/notices.h"

float frames_per_second = 0;
FramePacing frame_pacing;
ScreenEntry template_screen_entry;

namespace {

constexpr double FRAME_SECONDS = 1.0 / 60;
// The longest wait, in frames from the last one: 10 s, so that the frames a wait catches up stay
// few however long the game idles, and poll's slack (a thousandth of the wait) stays under a pass.
constexpr int LONGEST_WAIT = 600;

using ScreenFrames = std::array<int, static_cast<int>(Screen::count)>;
constexpr ScreenFrames never_run() {
    ScreenFrames frames{};
    frames.fill(-1);
    return frames;
}
// The dispatcher's first-frame memory (run/state.h, first_frame): one a screen, -1 for never run,
// and the name box's; lives for the run, wiped by frame_reset.
struct DispatchMemory {
    ScreenFrames screen_frames = never_run();
    int name_box_frame = -1;
};
DispatchMemory dispatch_memory;

uint64_t timer_frequency() {
    static const uint64_t frequency = platform::perf_frequency();
    return frequency;
}

// What the timer reads at a moment of the performance counter's time.
double timer_at(double seconds) {
    const double frequency = static_cast<double>(timer_frequency());
    return frequency != 0 ? static_cast<double>(std::llround(seconds * frequency)) / frequency
                          : seconds;
}

// The frame's timing: frames_per_second and frame_step from the time since the previous frame.
void time_frame(double frame_time) {
    // The readings stay in double precision: as 32-bit floats, seconds since the machine started
    // lose the frame's length after a few hours of uptime.
    frames_per_second = static_cast<float>(1.0 / (frame_time - frame_pacing.previous_time));
    frame_pacing.previous_time = frame_time;
    frame_step = 200.0f / frames_per_second;
    if (frame_step > 20)
        frame_step = 20;
    else if (frame_step == 0)
        frame_step = 0.0001f;
}

// When the screen shown (or the name box) next changes by itself, in frames from the last one
// (screens/layout.h): while the window is not seen, only what is heard or stored counts.
int screen_next_change(bool seen) {
    // A held button acts on its own (a window control's steps); a bar's stripes move.
    if (mouse.button_down[0] || mouse.button_down[1] || mouse.button_down[2] ||
        (seen && bar_stripes.filled_frame == frame_counter))
        return 1;
    if (dialog_active == 1) return NO_CHANGE; // the name box changes only by keys
    switch (current_screen) {
    case Screen::start:
        return start_screen_next_change(seen);
    case Screen::game:
        return play_screen_next_change(seen);
    case Screen::next_level:
        return next_level_screen_next_change(seen);
    case Screen::options:
        return options_screen_next_change(seen);
    case Screen::template_screen: // set only by its test
        return template_screen_entry.next_change ? template_screen_entry.next_change(seen)
                                                 : NO_CHANGE;
    case Screen::none:
    case Screen::count:
        break;
    }
    return NO_CHANGE;
}

// When the next notice may fall due, on the game's timer: a task's moment wakes the game on
// every screen, seen or not, so that its notification goes out on time.
double notice_moment() {
    const uint64_t moment = notices_next_moment();
    if (moment == UINT64_MAX) return INFINITY;
    const uint64_t now = toticks(platform::local_time());
    return game_Timer() + (moment > now ? static_cast<double>(moment - now) / 1e7 : 0.0);
}

// After a frame that changed nothing on the screen, or that was not seen: waits for input or for
// the next moment the picture or the sound can change, whichever comes first, then runs the logic
// of the frames whose time came during the wait, each with the frame time it would have had and
// with the input as it was, drawing nothing. So the game computes exactly what it does at 60
// frames a second.
void idle_wait() {
    // frame_pacing.deadline is the time of the next frame. The moments the wait ends at without
    // input, the earliest of them: the screen's next change and the next notice's moment.
    const int frames = std::min(
        LONGEST_WAIT, screen_next_change(frame_pacing.presented != platform::Presented::unseen));
    const double moments[] = {frame_pacing.deadline + (frames - 1) * FRAME_SECONDS,
                              notice_moment()};
    const double until = std::ranges::min(moments);
    platform::wait_for_input(until);
    // Woken more than a pass after the wait's end (a busy machine, a stopped process), the loop
    // still catches up the wait's passes; the time past its end is a stall, whose passes are
    // dropped as any stall's are, and pacing starts afresh after the next pass.
    double now = std::min(game_Timer(), until + FRAME_SECONDS);
    if (timer_at(frame_pacing.deadline) > now) { // input came before the next frame's time
        platform::sleep_until(frame_pacing.deadline);
        now = game_Timer();
    }
    // The frames whose time came during the wait came before any input that ended it: they see
    // none of it. The next frame is the first whose time had not come when the input did.
    keyboard.frozen = mouse.frozen = true;
    frame_drawn = false;
    for (int i = 1; i < frames && timer_at(frame_pacing.deadline) < now;
         ++i, frame_pacing.deadline += FRAME_SECONDS) {
        time_frame(timer_at(frame_pacing.deadline));
        platform::render_clear(0xFF000000); // drops the draws: only the next frame is shown
        game_Dispatch();
    }
    keyboard.frozen = mouse.frozen = false;
    frame_drawn = true;
    frame_pacing.on_slot = true;
}

} // namespace

void frame_reset() {
    frames_per_second = 0;
    frame_pacing = {};
    dispatch_memory = {};
    template_screen_entry = {};
}

double game_Timer() {
    if (timer_frequency() != 0)
        return static_cast<double>(platform::perf_counter()) /
               static_cast<double>(timer_frequency());
    return platform::time_get_time() * 0.001;
}

void game_Render(double frame_time) {
    time_frame(frame_time);
    platform::render_clear(0xFF000000);
    game_Dispatch();
    frame_pacing.presented = platform::render_present();
}

double game_FrameTime() {
    return frame_pacing.on_slot ? timer_at(frame_pacing.deadline) : game_Timer();
}

int game_Dispatch() {
    ++frame_counter;
    mouse.poll();
    // The tasks' moments are watched on every screen: the to-do panel marks the rows it shows as
    // seen, and what the player could not see is sent to the desktop after the frame.
    notices_update();
    if (dialog_active == 0) {
        // A screen the previous frame did not run is entered before its frame.
        const bool first =
            first_frame(dispatch_memory.screen_frames[static_cast<int>(current_screen)]);
        switch (current_screen) {
        case Screen::start:
            if (first) start_screen_enter();
            game_StartScreen();
            break;
        case Screen::game:
            if (first) play_screen_enter();
            game_PlayScreen();
            break;
        case Screen::next_level:
            if (first) next_level_screen_enter();
            game_NextLevelScreen();
            break;
        case Screen::options:
            if (first) options_screen_enter();
            game_OptionsScreen();
            break;
        case Screen::template_screen: // set only by its test
            if (template_screen_entry.frame == nullptr) break;
            if (first) template_screen_entry.enter();
            template_screen_entry.frame();
            break;
        case Screen::none:
        case Screen::count:
            break;
        }
    }
    if (dialog_active == 1) {
        if (first_frame(dispatch_memory.name_box_frame)) name_box_enter(player_name);
        game_InputBox(player_name, LAYOUT_CENTRE_X, LAYOUT_CENTRE_Y);
    }
    notices_send();
    if (platform::notify_show_chosen()) platform::window_raise();
    return 0;
}

void game_PaceFrame() {
    frame_pacing.deadline += FRAME_SECONDS;
    double now = game_Timer();
    if (now - frame_pacing.deadline > FRAME_SECONDS)
        frame_pacing.deadline = now; // stalled: start afresh
    frame_pacing.on_slot = false;
    // After a changed picture the next pass runs on its slot only when the picture can change
    // again by then; otherwise the loop waits at once, and that pass is caught up with the rest.
    if (frame_pacing.presented == platform::Presented::changed && screen_next_change(true) <= 1)
        platform::sleep_until(frame_pacing.deadline);
    else
        idle_wait();
}
