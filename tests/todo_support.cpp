// Support for the organiser's screen tests: assets, the running local time and the frame driver.
#include "todo_support.h"

#include <algorithm>

#include "gfx/images.h"
#include "gfx/text.h"
#include "input/keyboard.h"
#include "input/mouse.h"
#include "platform/files.h"
#include "platform/window.h"
#include "run/state.h"
#include "store/archive.h"
#include "todo/dates.h"

namespace hl = platform::headless;

void TodoTest::SetUp() {
    GameTest::SetUp();
    copy_assets();
    ASSERT_TRUE(platform::device_create(platform::DeviceType::hardware));
    ASSERT_GE(loadtexture(ARCHIVE_FILE, IMAGE_CHARSET.name, &charset_texture), 0);
    bank = std::make_unique<SoundBank>();
    sound_bank = bank.get();
    alarm_sound = bank->loadwav("alarm.wav");
    current_screen = Screen::start;
    hl::set_clock(1000);
    set_now(2008, 5, 14, 9, 0, 0);
}

void TodoTest::TearDown() {
    sound_bank = nullptr;
    alarm_sound = NO_SOUND;
    platform::texture_release(charset_texture);
    charset_texture = nullptr;
    GameTest::TearDown();
}

void TodoTest::set_now(int year, int month, int day, int hour, int minute, int second) {
    auto f = [](int v) { return static_cast<uint16_t>(v); };
    now_ticks = toticks({f(year), f(month), 0, f(day), f(hour), f(minute), f(second), 0});
    hl::set_local_time(now());
}

platform::SYSTEMTIME TodoTest::now() const {
    // The conversion back gives the day of the week, as the system clock does.
    platform::FILETIME ft = ticksfiletime(now_ticks - now_ticks % TICKS_PER_SECOND);
    platform::SYSTEMTIME t{};
    platform::FileTimeToSystemTime(&ft, &t);
    return t;
}

void TodoTest::frame() {
    platform::Message message;
    platform::peek_message(message);
    hl::advance_clock(1.0 / 60);
    now_ticks += TICKS_PER_SECOND / 60;
    hl::set_local_time(now());
    frame_step = 200.0f / 60;
    platform::render_clear(0xFF000000);
    ++frame_counter;
    mouse.poll();
    panel_x = (512 - panel.width) / 2;
    panel = game_DisplayTodo({.x = panel_x,
                              .y = PANEL_Y,
                              .selection = panel.selection,
                              .rows = todo_panel_run().panel_state == 0 ? 3 : 10,
                              .row_height = ROW_HEIGHT});
    platform::render_present();
}

void TodoTest::frames(int n) {
    for (int i = 0; i < n; ++i) frame();
}

void TodoTest::point(int x, int y) {
    hl::script({{hl::passes() + 1, hl::EventKind::mouse_move, x - pointer_x, y - pointer_y}});
    pointer_x = x;
    pointer_y = y;
    frame();
}

void TodoTest::click(int x, int y, int button) {
    const long pass = hl::passes() + 1;
    hl::script({{pass, hl::EventKind::mouse_move, x - pointer_x, y - pointer_y},
                {pass, hl::EventKind::button_down, button},
                {pass + 1, hl::EventKind::button_up, button}});
    pointer_x = x;
    pointer_y = y;
    frames(2);
}

void TodoTest::type(int key) {
    const long pass = hl::passes() + 1;
    hl::script({{pass, hl::EventKind::key_down, key}, {pass + 1, hl::EventKind::key_up, key}});
    frames(2);
}

void TodoTest::type_text(const char* text) {
    static const char keys[] = "QWERTYUIOP\0\0\0\0ASDFGHJKL\0\0\0\0\0ZXCVBNM";
    for (const char* c = text; *c; ++c) {
        if (*c == ' ')
            type(DIK_SPACE);
        else if (*c == '0')
            type(11);
        else if (*c >= '1' && *c <= '9')
            type(*c - '1' + 2);
        else
            type(16 + static_cast<int>(std::find(keys, keys + sizeof keys, *c) - keys));
    }
}

void TodoTest::press_button(int k) {
    frame(); // a list changed by the frame before is loaded again
    const int rows = todo_panel_run().panel_state == 0 ? 3 : 10;
    const bool listed = platform::file_exists(todo_panel_run().show_open ? TODO_FILE : DONE_FILE);
    const int drawn = listed ? std::min(rows, panel.count - todo_panel_run().first_row) : 0;
    const int end_y = listed ? 202 + 16 * drawn : 170;
    point(256, end_y + 10);
    frames(20);
    const float x = 256 + (drawn == rows ? 120 : 0) - todo_panel_run().button_offset + 25 * k;
    click(static_cast<int>(x), end_y + 10);
}

void put_file(const char* name, const std::string& text) {
    ASSERT_TRUE(platform::file_write(name, text.data(), text.size()));
}

std::string file_text(const char* name) {
    std::vector<uint8_t> bytes;
    if (!platform::file_read(name, bytes)) return "";
    return std::string(bytes.begin(), bytes.end());
}

std::string task_line(const char* description, int year, int month, int day, int hour, int minute,
                      int repeat, bool alarm, int warn) {
    auto f = [](int v) { return static_cast<uint16_t>(v); };
    const platform::FILETIME due =
        ticksfiletime(toticks({f(year), f(month), 0, f(day), f(hour), f(minute), 0, 0}));
    char line[300];
    snprintf(line, sizeof line,
             "%s_x %d_D %d_M %d_Y %d_h %d_m 0_s %d_? 0_j %d_a %d_n %lu_e %lu_f|\r\n", description,
             day, month, year, hour, minute, repeat, alarm ? 1 : 0, warn,
             static_cast<unsigned long>(due.dwLowDateTime),
             static_cast<unsigned long>(due.dwHighDateTime));
    return line;
}

bool text_drawn(const std::string& text) {
    std::vector<platform::Rect> glyphs;
    for (unsigned char c : text) {
        if (c == ' ') continue;
        const int g = glyph_number(c), left = 25 * (g % 8), top = 175 + 25 * (g / 8);
        glyphs.push_back({left, top, left + 24, top + 24});
    }
    const auto& draws = hl::draws();
    for (size_t start = 0; start + glyphs.size() <= draws.size(); ++start) {
        size_t k = 0;
        while (k < glyphs.size() && draws[start + k].source.left == glyphs[k].left &&
               draws[start + k].source.top == glyphs[k].top &&
               draws[start + k].source.right == glyphs[k].right &&
               draws[start + k].source.bottom == glyphs[k].bottom)
            ++k;
        if (k == glyphs.size()) return true;
    }
    return false;
}

int draws_of(int left, int top, int right, int bottom) {
    int n = 0;
    for (const platform::SpriteDraw& d : hl::draws())
        n += d.source.left == left && d.source.top == top && d.source.right == right &&
             d.source.bottom == bottom;
    return n;
}
