// The layout values that more than one screen uses, in layout pixels (the 512 x 512 picture) and
// frame_step units (200 a second).
#pragma once

#include <algorithm>

#include "platform/timeconv.h"

constexpr float TEXT_SCALE = 0.65f;       // the screens' text: names, counters, figures, rows
constexpr float TEXT_ADVANCE = 15;        // the screens' text's letter spacing
constexpr float SMALL_TEXT_SCALE = 0.55f; // the warnings, the list's late counts, the form's labels

constexpr float LAYOUT_CENTRE_X = 256, LAYOUT_CENTRE_Y = 256; // the layout's middle

// A control centred on the layout's middle column, such as the lists' scroll arrows and the window
// controls' move up and move down, is clickable from x 220 to 300.
constexpr float CENTRE_CONTROL_LEFT = 220, CENTRE_CONTROL_RIGHT = 300;

// A control's scale while the pointer is on it: an arrow's, and a button's.
constexpr float ARROW_HOVER_SCALE = 1.3f, BUTTON_HOVER_SCALE = 1.1f;

// A blinking warning or row goes on and off once every BLINK_PERIOD, lit half the time.
constexpr int BLINK_PERIOD = 50;
// Whether a warning whose clock (in frame_step units) reads `clock` is lit: in each period's
// first half.
inline bool blink_lit(float clock) {
    return static_cast<int>(clock) % BLINK_PERIOD < BLINK_PERIOD / 2;
}

// When a screen's picture or sound next changes by itself, in passes from the current one: what
// each screen's `..._next_change(seen)` answers (seen: whether the window shows the picture; when
// it does not, only what is heard or stored counts). 1 while anything moves; NO_CHANGE when
// nothing is due, and the game waits for input alone.
constexpr int NO_CHANGE = 1 << 30;
// The passes until a clock that grows `rate` frame_step units a pass at 60 passes a second goes
// past `mark`: never late, at most one pass early.
inline int passes_until(float clock, float mark, float rate = 1) {
    return std::max(1, static_cast<int>((mark - clock) / (rate * 200 / 60)));
}
// The passes until a warning blinking by blink_lit on a clock growing `rate` units a pass next
// goes on or off.
inline int blink_next_change(float clock, float rate = 1) {
    const float half = BLINK_PERIOD / 2;
    return passes_until(clock, (static_cast<int>(clock / half) + 1) * half, rate);
}
// The passes until the local time `now` reaches the next whole second.
inline int next_second(const platform::SYSTEMTIME& now) {
    return std::max(1, (1000 - now.wMilliseconds) * 60 / 1000);
}
