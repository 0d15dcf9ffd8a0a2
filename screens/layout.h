// The layout values that more than one screen uses, in layout pixels (the 512 x 512 picture) and
// frame_step units (200 a second).
#pragma once

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
