// The headless backend: every facility of the platform layer without a window, a sound card or
// a real clock, driven and observed by tests and tools through platform/headless/headless.h.
#include "platform/headless/headless.h"

#include <SDL.h>
#include <SDL_image.h>
#include <algorithm>
#include <array>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <memory>

#include "platform/audio.h"
#include "platform/clock.h"
#include "platform/common/button_latch.h"
#include "platform/common/end_signal.h"
#include "platform/common/sdl_draw.h"
#include "platform/files.h"
#include "platform/input.h"
#include "platform/notify.h"
#include "platform/process.h"
#include "platform/window.h"

namespace platform {

struct SoundBuffer {
    int id;
    double seconds; // how long one pass through the samples lasts
    double started;
    bool playing, loop;
};

namespace {

constexpr uint64_t FREQUENCY = 1000000000; // the counter counts nanoseconds

// The characters of a US keyboard's letter keys and slash, by DirectInput key code.
constexpr std::array<char, 256> us_layout() {
    std::array<char, 256> chars{};
    const char* rows[] = {"qwertyuiop", "asdfghjkl", "zxcvbnm"};
    const int first[] = {16, 30, 44};
    for (int r = 0; r < 3; ++r)
        for (int i = 0; rows[r][i]; ++i) chars[first[r] + i] = rows[r][i];
    chars[53] = '/';
    return chars;
}

struct State {
    double clock = 0;
    SYSTEMTIME local{2026, 1, 4, 1, 12, 0, 0, 0};
    uint8_t keys[256] = {};
    bool numlock = true;
    std::array<char, 256> layout = us_layout();
    MouseRead mouse{};
    detail::ButtonLatch buttons;
    bool close_box = false; // clicked for this pass
    bool focused = true;
    bool visible = true;
    std::vector<headless::NotificationRecord> notifications;
    std::vector<std::string> started; // the programs started
    std::vector<std::string> urls;
    std::vector<headless::Event> script;
    std::vector<std::pair<double, headless::Event>> arrivals; // by time, in order
    long passes = 0;
    bool idle_waits = false;
    double wait_late = 0;       // how late a wait that no input ends ends
    bool local_running = false; // the local time runs with the clock from local_set_at
    double local_set_at = 0;
    bool input_pending = false; // input given since the last peek_message
    std::deque<Message> queue;
    std::vector<headless::MessageBoxRecord> boxes;
    std::deque<int> answers;
    long frames = 0, skipped = 0;
    bool seen = true;     // the window is neither minimised nor hidden
    bool repaint = false; // the window was shown, exposed, moved or resized since the last present
    bool video = true;
    bool device_ok[3] = {true, true, true};
    bool device = false;
    Rect desktop{0, 0, 1920, 1080};
    Rect window{};
    bool fullscreen = false;
    int moves = 0;
    bool keyboard = false, mouse_device = false;
    bool audio_drivers = true, audio_device = true;
    std::vector<headless::PlayRecord> plays;
    void (*exit_hook)(int) = nullptr;
};

State state;
unsigned layout_changes = 0; // outlives resets: a reset's layout is a change too
// The renderer lives for the whole process, so textures made before or after a reset stay valid;
// only the device flag comes and goes. It draws into the back buffer, a target texture; its own
// surface is never drawn on.
SDL_Surface* surface = nullptr;
SDL_Renderer* renderer = nullptr;
std::vector<std::unique_ptr<SoundBuffer>> sound_buffers;

void apply(const headless::Event& e) {
    using headless::EventKind;
    state.input_pending = true;
    switch (e.kind) {
    case EventKind::key_down:
        headless::set_key(e.a, true);
        break;
    case EventKind::key_up:
        headless::set_key(e.a, false);
        break;
    case EventKind::mouse_move:
        headless::move_mouse(e.a, e.b, e.c);
        break;
    case EventKind::button_down:
        headless::set_button(e.a, true);
        break;
    case EventKind::button_up:
        headless::set_button(e.a, false);
        break;
    case EventKind::set_focus:
        headless::set_focus(e.a != 0);
        break;
    case EventKind::end_signal:
        detail::catch_end_signals(true);
        std::raise(e.a != 0 ? e.a : SIGTERM);
        break;
    case EventKind::local_time:
        state.local.wHour = static_cast<uint16_t>(e.a);
        state.local.wMinute = static_cast<uint16_t>(e.b);
        state.local.wSecond = static_cast<uint16_t>(e.c);
        state.local_set_at = state.clock;
        break;
    case EventKind::close_box:
        state.close_box = true;
        break;
    }
}

// The events scripted to arrive by the clock's time.
void arrive() {
    while (!state.arrivals.empty() && state.arrivals.front().first <= state.clock) {
        const headless::Event e = state.arrivals.front().second;
        state.arrivals.erase(state.arrivals.begin());
        apply(e);
    }
}

} // namespace

namespace detail {

SDL_Renderer* backbuffer_renderer() {
    if (!renderer) {
        SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "1");
        surface = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_ARGB8888);
        renderer = surface ? SDL_CreateSoftwareRenderer(surface) : nullptr;
        if (renderer && !backbuffer_at(renderer, 1)) {
            SDL_DestroyRenderer(renderer);
            renderer = nullptr;
        }
    }
    return renderer;
}

// The client area, or the whole desktop at full screen.
int shown_side() {
    const Rect r = state.fullscreen ? state.desktop : state.window;
    return std::min(r.right - r.left - (state.fullscreen ? 0 : FRAME_W),
                    r.bottom - r.top - (state.fullscreen ? 0 : FRAME_H));
}

const bool DRAWS_AT_ONCE = true;

} // namespace detail

// ---- window -------------------------------------------------------------------------------

bool video_init(const char*) {
    return state.video;
}
const char* video_error() {
    return state.video ? "" : "no video device (headless test)";
}

bool window_create(const char*, int x, int y, int w, int h) {
    if (!state.video) return false;
    state.window = {x, y, x + w, y + h};
    return true;
}

void window_set_icon() {}

void window_move(int x, int y, int w, int h) {
    state.window = {x, y, x + w, y + h};
    ++state.moves;
    state.repaint = true;
}

Rect window_rect() {
    return state.window;
}
void window_set_fullscreen(bool on) {
    state.fullscreen = on;
    state.repaint = true;
}
Rect desktop_rect() {
    return state.desktop;
}
void window_deactivate() {
    state.focused = false;
}
bool window_focused() {
    return state.focused;
}
bool window_visible() {
    return state.visible;
}

bool peek_message(Message& msg) {
    ++state.passes;
    state.close_box = false;
    for (const headless::Event& e : state.script)
        if (e.pass == state.passes) apply(e);
    state.input_pending = false; // this pass takes it
    if (const int signal = detail::take_end_signal()) {
        msg = {WM_ENDSESSION, signal};
        return true;
    }
    if (state.queue.empty()) {
        msg = {WM_NULL, 0};
        return false;
    }
    msg = state.queue.front();
    state.queue.pop_front();
    return true;
}

void post_quit_message(int code) {
    state.queue.push_back({WM_QUIT, code});
}

// The boxes are recorded, and said on standard error, in every run.
void message_boxes_on_terminal() {}

int message_box(const char* text, const char* caption, unsigned buttons) {
    state.boxes.push_back({text, caption, buttons});
    std::fprintf(stderr, "[message box] %s: %s\n", caption, text);
    int answer = buttons == MB_YESNO ? IDYES : IDOK;
    if (!state.answers.empty()) {
        answer = state.answers.front();
        state.answers.pop_front();
    }
    return answer;
}

void window_raise() {
    state.focused = state.visible = true;
}

bool window_raise_other(long) {
    return false; // no other program's window is there
}

void open_url(const char* url) {
    state.urls.push_back(url);
}

void exit_process(int code) {
    std::fflush(stderr);
    if (state.exit_hook) state.exit_hook(code);
    std::exit(code & 0xFF); // −1 ends as 255 on Windows too
}

// ---- renderer -----------------------------------------------------------------------------

bool device_create(DeviceType type) {
    state.device = state.device_ok[static_cast<int>(type)] && detail::backbuffer_renderer();
    state.repaint = state.device; // the window shows
    return state.device;
}

void device_release() {
    state.device = false;
}

void backbuffer_size(unsigned& w, unsigned& h) {
    w = BACKBUFFER_W;
    h = BACKBUFFER_H;
}

// Decides as the real backend does; the back buffer already holds the frame.
Presented render_present() {
    const bool changed = detail::frame_changed();
    if (state.seen && (changed || state.repaint)) {
        if (changed) detail::frame_shown();
        state.repaint = false;
        ++state.frames;
    } else {
        ++state.skipped;
    }
    detail::frame_end();
    return !state.seen ? Presented::unseen : changed ? Presented::changed : Presented::unchanged;
}

// ---- input --------------------------------------------------------------------------------

bool keyboard_open() {
    return state.keyboard = true;
}
void keyboard_close() {
    state.keyboard = false;
}

char key_layout_char(int dik) {
    return state.layout[dik & 0xFF];
}

unsigned key_layout_changes() {
    return layout_changes;
}

bool numlock_on() {
    return state.numlock;
}

bool keyboard_read(uint8_t keys[256]) {
    if (!state.keyboard) return false;
    std::copy(state.keys, state.keys + 256, keys);
    if (state.close_box) keys[ESCAPE_KEY] = 0x80;
    return true;
}

int mouse_open() {
    state.mouse_device = true;
    return INPUT_OK;
}
void mouse_close() {
    state.mouse_device = false;
}
int mouse_acquire() {
    return state.focused ? INPUT_OK : DIERR_OTHERAPPHASPRIO;
}

int mouse_read(MouseRead& out) {
    if (!state.mouse_device) return DIERR_NOTINITIALIZED;
    if (!state.focused) {
        state.buttons.forget();
        return DIERR_NOTACQUIRED;
    }
    out = state.mouse;
    uint8_t held = 0;
    for (int i = 0; i < 8; ++i)
        if (state.mouse.buttons[i]) held |= static_cast<uint8_t>(1u << i);
    state.buttons.read(held, out.buttons);
    state.mouse.dx = state.mouse.dy = state.mouse.dz = 0;
    state.mouse.absolute = false;
    return INPUT_OK;
}

// ---- clock --------------------------------------------------------------------------------

uint64_t perf_frequency() {
    return FREQUENCY;
}
uint64_t perf_counter() {
    return static_cast<uint64_t>(std::llround(state.clock * FREQUENCY));
}
uint32_t time_get_time() {
    return static_cast<uint32_t>(std::llround(state.clock * 1000));
}
SYSTEMTIME local_time() {
    FILETIME set;
    if (!state.local_running || !SystemTimeToFileTime(&state.local, &set)) return state.local;
    const uint64_t ticks = (uint64_t{set.dwHighDateTime} << 32 | set.dwLowDateTime) +
                           std::llround((state.clock - state.local_set_at) * TICKS_PER_SECOND);
    const FILETIME now{static_cast<uint32_t>(ticks), static_cast<uint32_t>(ticks >> 32)};
    SYSTEMTIME local = state.local;
    FileTimeToSystemTime(&now, &local);
    return local;
}

void sleep_until(double seconds) {
    if (seconds > state.clock) headless::set_clock(seconds);
}

void wait_for_input(double seconds) {
    const long next = state.passes + 1;
    if (!state.idle_waits || state.input_pending ||
        std::ranges::any_of(state.script,
                            [next](const headless::Event& e) { return e.pass == next; }))
        return;
    if (!state.arrivals.empty() && state.arrivals.front().first < seconds + state.wait_late)
        sleep_until(state.arrivals.front().first);
    else
        sleep_until(seconds + state.wait_late);
}

// ---- notifications ------------------------------------------------------------------------

bool notify_send(const std::string& summary, const std::string& body) {
    state.notifications.push_back({summary, body});
    return true;
}
bool notify_show_chosen() {
    return false;
}
void wait_for_moment(uint64_t moment) {
    const FILETIME ft{static_cast<uint32_t>(moment), static_cast<uint32_t>(moment >> 32)};
    if (moment != UINT64_MAX) FileTimeToSystemTime(&ft, &state.local);
}

void start_detached(const char* program) {
    state.started.push_back(program);
}
void run_instead(const char* program) {
    state.started.push_back(program);
}

// ---- audio --------------------------------------------------------------------------------

int audio_driver_count() {
    return state.audio_drivers ? 1 : 0;
}
bool audio_open() {
    return state.audio_device;
}

SoundBuffer* sound_buffer_create(const WaveFormat& f, const uint8_t*, uint32_t size) {
    if (f.format_tag != WAVE_FORMAT_PCM || f.channels == 0 || f.samples_per_sec == 0 ||
        f.bits_per_sample == 0 || f.bits_per_sample % 8 != 0 || f.bits_per_sample > 32)
        return nullptr;
    double frame_bytes = f.channels * (f.bits_per_sample / 8);
    if (size < frame_bytes) return nullptr;
    sound_buffers.push_back(std::make_unique<SoundBuffer>(
        SoundBuffer{static_cast<int>(sound_buffers.size()), size / frame_bytes / f.samples_per_sec,
                    0, false, false}));
    return sound_buffers.back().get();
}

void sound_buffer_play(SoundBuffer* b, int volume, bool loop) {
    b->started = state.clock;
    b->playing = true;
    b->loop = loop;
    state.plays.push_back({b->id, volume, loop, state.clock});
}

void sound_buffer_stop(SoundBuffer* b) {
    b->playing = false;
}

bool sound_buffer_playing(SoundBuffer* b) {
    return b->playing && (b->loop || state.clock < b->started + b->seconds);
}

// ---- controls -----------------------------------------------------------------------------

namespace headless {

void reset() {
    state = State{};
    ++layout_changes;
    set_disk_space(-1);
    set_asset_folder("");
    detail::catch_end_signals(false);
    detail::take_end_signal();
    detail::frames_reset();
    if (renderer && detail::backbuffer_at(renderer, 1)) {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
    }
}

void on_exit_process(void (*hook)(int code)) {
    state.exit_hook = hook;
}

void set_clock(double seconds) {
    state.clock = seconds;
    arrive();
}
void advance_clock(double seconds) {
    set_clock(state.clock + seconds);
}
double clock() {
    return state.clock;
}
void set_local_time(const SYSTEMTIME& time) {
    state.local = time;
    state.local_set_at = state.clock;
}
void set_local_time_running(bool on) {
    state.local_set_at = state.clock;
    state.local_running = on;
}

void set_key(int dik, bool down) {
    state.keys[dik & 0xFF] = down ? 0x80 : 0;
    state.input_pending = true;
}

void set_key_layout_char(int dik, char c) {
    ++layout_changes;
    state.layout[dik & 0xFF] = c;
}

void set_key_layout(KeyLayout layout) {
    constexpr int Q = 16, Y = 21, Z = 44, M = 50, SLASH = 53;
    ++layout_changes;
    state.layout = us_layout();
    if (layout == KeyLayout::german) {
        state.layout[Y] = 'z';
        state.layout[Z] = 'y';
        state.layout[SLASH] = '-';
    } else if (layout != KeyLayout::us) {
        std::fill(&state.layout[Q], &state.layout[M + 1], '\0');
        if (layout == KeyLayout::greek) state.layout[Q] = ';';
        if (layout == KeyLayout::russian) state.layout[SLASH] = '.';
    }
}

void set_numlock(bool on) {
    state.numlock = on;
}

void move_mouse(int dx, int dy, int dz) {
    state.input_pending = true;
    state.mouse.dx += dx;
    state.mouse.dy += dy;
    state.mouse.dz += dz;
}

void place_mouse(int x, int y) {
    state.input_pending = true;
    state.mouse.absolute = true;
    state.mouse.x = x;
    state.mouse.y = y;
}

void set_button(int button, bool down) {
    state.mouse.buttons[button & 7] = down ? 0x80 : 0;
    state.buttons.change(button, down);
    state.input_pending = true;
}
void set_focus(bool focused) {
    state.focused = focused;
    state.input_pending = true;
}
const std::vector<NotificationRecord>& notifications() {
    return state.notifications;
}

const std::vector<std::string>& programs_started() {
    return state.started;
}

void set_window_visible(bool visible) {
    state.visible = visible;
}

void script(const std::vector<Event>& events) {
    state.script.insert(state.script.end(), events.begin(), events.end());
}

void script_at(double seconds, const Event& event) {
    auto later = std::ranges::upper_bound(state.arrivals, seconds, {},
                                          [](const auto& a) { return a.first; });
    state.arrivals.insert(later, {seconds, event});
}

long passes() {
    return state.passes;
}

void set_idle_waits(bool on, double late) {
    state.idle_waits = on;
    state.wait_late = late;
}

const std::vector<MessageBoxRecord>& message_boxes() {
    return state.boxes;
}

void answer_message_boxes(const std::vector<int>& answers) {
    state.answers.assign(answers.begin(), answers.end());
}

const std::vector<std::string>& urls_opened() {
    return state.urls;
}

const std::vector<SpriteDraw>& draws() {
    return detail::frame().draws;
}
long frames_presented() {
    return state.frames;
}
long frames_skipped() {
    return state.skipped;
}

bool read_pixels(int& w, int& h, std::vector<uint32_t>& argb) {
    if (!renderer || SDL_QueryTexture(detail::backbuffer_texture(), nullptr, nullptr, &w, &h) != 0)
        return false;
    argb.resize(static_cast<size_t>(w) * h);
    return SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(), w * 4) ==
           0;
}

bool save_png(const char* path) {
    int w = 0, h = 0;
    std::vector<uint32_t> argb;
    if (!read_pixels(w, h, argb)) return false;
    SDL_Surface* image =
        SDL_CreateRGBSurfaceWithFormatFrom(argb.data(), w, h, 32, w * 4, SDL_PIXELFORMAT_ARGB8888);
    const bool saved = image && IMG_SavePNG(image, path) == 0;
    SDL_FreeSurface(image);
    return saved;
}

uint32_t pixel(int x, int y) {
    int w = 0, h = 0;
    if (!renderer ||
        SDL_QueryTexture(detail::backbuffer_texture(), nullptr, nullptr, &w, &h) != 0 || x < 0 ||
        y < 0 || x >= w || y >= h)
        return 0;
    const SDL_Rect one{x, y, 1, 1};
    uint32_t argb = 0;
    SDL_RenderReadPixels(renderer, &one, SDL_PIXELFORMAT_ARGB8888, &argb, 4);
    return argb;
}

bool read_png(const char* path, int& w, int& h, std::vector<uint32_t>& argb) {
    SDL_Surface* image = IMG_Load(path);
    SDL_Surface* converted =
        image ? SDL_ConvertSurfaceFormat(image, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    if (image) SDL_FreeSurface(image);
    if (!converted) return false;
    w = converted->w;
    h = converted->h;
    argb.resize(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch;
        std::copy_n(reinterpret_cast<const uint32_t*>(row), w, argb.begin() + y * w);
    }
    SDL_FreeSurface(converted);
    return true;
}

void set_device_available(DeviceType type, bool available) {
    state.device_ok[static_cast<int>(type)] = available;
}
void set_video_available(bool available) {
    state.video = available;
}
// The window's changes come as events, as input does.
void set_window_seen(bool seen) {
    state.repaint = state.repaint || (seen && !state.seen);
    state.seen = seen;
    state.input_pending = true;
}
void expose_window() {
    state.repaint = true;
    state.input_pending = true;
}
void set_desktop(int w, int h) {
    state.desktop = {0, 0, w, h};
}
Rect window() {
    return state.window;
}
bool fullscreen() {
    return state.fullscreen;
}
int window_moves() {
    return state.moves;
}

const std::vector<PlayRecord>& plays() {
    return state.plays;
}

void set_audio_available(bool drivers, bool device) {
    state.audio_drivers = drivers;
    state.audio_device = device;
}

namespace {

size_t largest = 0;
SDL_malloc_func sdl_malloc;
SDL_calloc_func sdl_calloc;
SDL_realloc_func sdl_realloc;
SDL_free_func sdl_free;
void* record_malloc(size_t size) {
    largest = std::max(largest, size);
    return sdl_malloc(size);
}
void* record_calloc(size_t count, size_t size) {
    largest = std::max(largest, count * size);
    return sdl_calloc(count, size);
}
void* record_realloc(void* block, size_t size) {
    largest = std::max(largest, size);
    return sdl_realloc(block, size);
}

} // namespace

void record_requests(bool on) {
    if (on) {
        largest = 0;
        SDL_GetMemoryFunctions(&sdl_malloc, &sdl_calloc, &sdl_realloc, &sdl_free);
        SDL_SetMemoryFunctions(record_malloc, record_calloc, record_realloc, sdl_free);
    } else {
        SDL_SetMemoryFunctions(sdl_malloc, sdl_calloc, sdl_realloc, sdl_free);
    }
}

size_t largest_request() {
    return largest;
}

} // namespace headless
} // namespace platform
