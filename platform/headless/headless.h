// Controls of the headless backend for tests and tools: scripted input, a settable clock and local
// time, recorded sprite draws, sounds and message boxes, and PNG screenshots of the back buffer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/renderer.h"
#include "platform/timeconv.h"

namespace platform::headless {

// Puts every control back to its starting state: no keys or buttons held, no pending motion,
// focus on, the window visible, clock at 0 s, local time 2026-01-01 12:00:00, no recorded draws,
// plays, boxes or opened pages, no scripted answers or events, desktop 1920 x 1080, video
// available, end signals not caught, no limit on disk space, the game's read-only files read from
// the current folder, no exit hook, waits for input off.
void reset();
// For fuzzing: exit_process calls the hook (which leaves by throwing) instead of ending the
// process; null ends the process again.
void on_exit_process(void (*hook)(int code));

// The monotonic clock read by perf_counter / time_get_time, in seconds. Moving it forward (here, or
// by waiting) delivers the events scripted to arrive by then.
void set_clock(double seconds);
void advance_clock(double seconds);
double clock();
void set_local_time(const SYSTEMTIME& time);
// Whether the local time runs on with the clock from the moment it was set (off after reset: it
// stands until set again).
void set_local_time_running(bool on);

void set_key(int dik, bool down);
// The keyboard layout: the character the key gives without shift (a US layout after reset).
void set_key_layout_char(int dik, char c);
// A whole layout as SDL reports it: 0 for a key whose character is not ASCII. German swaps Y and Z
// and has "-" where US has "/"; the Russian and Greek layouts have no Latin letter, the Greek
// ";" on Q and "/" in its US place, the Russian "." there.
enum class KeyLayout { us, german, russian, greek };
void set_key_layout(KeyLayout layout);
// Num Lock (on after reset).
void set_numlock(bool on);
void move_mouse(int dx, int dy, int dz = 0);
// Places the pointer at a layout position, as an absolute pointing device does.
void place_mouse(int x, int y);
// A button down or up; as on the real backend, a press and release between two reads are both
// reported, a read each.
void set_button(int button, bool down);
void set_focus(bool focused);
void set_window_visible(bool visible);

// Events stamped with the number of the loop pass (peek_message call) at which they apply.
// end_signal raises a real signal (a, SIGTERM when 0) through the handler the real game uses;
// local_time sets the local time of day (a:b:c), and counts as input: a wait for input ends.
enum class EventKind {
    key_down,
    key_up,
    mouse_move,
    button_down,
    button_up,
    set_focus,
    end_signal,
    local_time,
    close_box // the window manager's close box: Escape held for the pass
};
struct Event {
    long pass;
    EventKind kind;
    int a = 0, b = 0, c = 0; // key code; dx, dy, dz; button; focus flag; signal; hour, min, sec
};
void script(const std::vector<Event>& events);
// An event that arrives at a time of the clock, as a person's input does (its pass is not read):
// it applies as the clock reaches the time, and a wait for input ends there.
void script_at(double seconds, const Event& event);
long passes(); // peek_message calls so far
// With waits on, wait_for_input moves the clock to its end, or to the arrival of the next input,
// and returns at once while input is pending: set since the last peek_message, or scripted for the
// next pass. Off (the default), it returns at once, so every frame runs as at 60 frames a second.
// A wait that no input ends ends `late` seconds after its end, as on a busy machine.
void set_idle_waits(bool on, double late = 0);

struct MessageBoxRecord {
    std::string text, caption;
    unsigned buttons;
};
const std::vector<MessageBoxRecord>& message_boxes();
// Answers for the next message boxes, in order; when none is left a box answers IDOK or IDYES.
void answer_message_boxes(const std::vector<int>& answers);

const std::vector<std::string>& urls_opened();
// The desktop notifications sent; wait_for_moment moves the local time to its moment.
struct NotificationRecord {
    std::string summary, body;
};
const std::vector<NotificationRecord>& notifications();
// The programs started by start_detached or run_instead.
const std::vector<std::string>& programs_started();
const std::vector<SpriteDraw>& draws(); // since the last render_clear
// Frames put on the window, and frames neither drawn nor shown: unchanged in a window that needed
// no fresh picture, or made while the window was minimised or hidden. The back buffer's pixels
// are those of the last frame made either way.
long frames_presented();
long frames_skipped();
// Writes the back buffer (512 x 512 layout pixels at the frame's density) as a PNG file; false on
// failure.
bool save_png(const char* path);
// The back buffer's pixel at (x, y) as ARGB.
uint32_t pixel(int x, int y);
// All of the back buffer's pixels as ARGB, row by row, and its size; false without a back buffer.
bool read_pixels(int& w, int& h, std::vector<uint32_t>& argb);
// Reads a PNG file (such as one save_png wrote) into ARGB pixels, row by row; false on failure.
bool read_png(const char* path, int& w, int& h, std::vector<uint32_t>& argb);

// Which device types can be created (all of them by default), and whether video exists.
void set_device_available(DeviceType type, bool available);
void set_video_available(bool available);
// The window minimised or hidden (false), or shown again (true).
void set_window_seen(bool seen);
// Part of the window was uncovered: it needs a fresh picture.
void expose_window();
void set_desktop(int w, int h);
// The window's outer rectangle as last created or moved, and how often it was moved; whether it is
// at full screen (the layout then fills the desktop's height, and the frame's density follows).
Rect window();
bool fullscreen();
int window_moves();

struct PlayRecord {
    int buffer; // creation order of the buffer, from 0
    int volume;
    bool loop;
    double at;
};
const std::vector<PlayRecord>& plays();
void set_audio_available(bool drivers, bool device);

// While on, the backend's libraries' memory requests are watched; largest_request() is the
// largest block asked for since recording was turned on.
void record_requests(bool on);
size_t largest_request();

} // namespace platform::headless
