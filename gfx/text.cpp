// Bitmap-font text, numbers and clock times.
#include "gfx/text.h"

#include "gfx/sheet.h"
#include "gfx/sprites.h"
#include "run/state.h"

namespace {

constexpr int DIGIT_W = 20;
constexpr int DIGIT_H = 24;
constexpr int NUMBER_DIGITS = 9;
constexpr int LARGEST_NUMBER = 999999999;
constexpr int HOUR_DIGITS = 6;
constexpr int COLON_ADVANCE = 5;
constexpr platform::Rect COLON{125, 425, 134, 449};

// The play clock counts 60 ticks a second.
constexpr int PLAY_TICKS_PER_SECOND = 60;
constexpr int PLAY_TICKS_PER_MINUTE = 60 * PLAY_TICKS_PER_SECOND;
constexpr int PLAY_TICKS_PER_HOUR = 60 * PLAY_TICKS_PER_MINUTE;

// In the order of TextAnchor.
constexpr AnchorShift TEXT_ANCHORS[] = {{0, 0}, {0.5f, 0.5f}, {0.5f, 1}, {1, 0}, {0, 1}, {1, 1}};

// Splits value into count decimal digits, the most significant first.
void split_digits(int value, int* digits, int count) {
    int divisor = 1;
    for (int i = 1; i < count; ++i) divisor *= 10;
    for (int i = 0; i < count; ++i) {
        digits[i] = value / divisor;
        value %= divisor;
        divisor /= 10;
    }
}

// Draws digit d of a strip at (x, y) and returns the pen after it.
float draw_digit(int d, float scale, float x, float y, int strip_x, int strip_y) {
    const int left = strip_x + DIGIT_W * d;
    draw_sprite(charset_texture, {left, strip_y, left + DIGIT_W, strip_y + DIGIT_H}, scale, scale,
                0, 0, 0, x, y, OPAQUE_WHITE);
    return x + DIGIT_W * scale;
}

// Draws the clock colon just left of the pen and returns the pen after it.
float draw_colon(float scale, float x, float y) {
    draw_sprite(charset_texture, COLON, scale, scale, 0, 0, 0, x - scale, y, OPAQUE_WHITE);
    return x + COLON_ADVANCE * scale;
}

} // namespace

int glyph_number(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a';
    if (c >= '0' && c <= '9') return c - 16;
    switch (c) {
    case ',':
        return 27;
    case '.':
        return 28;
    case '\'':
        return 29;
    case ':':
        return 30;
    case '+':
        return 42;
    case '/':
        return 43;
    case '-':
        return 48;
    case '%':
        return 49;
    case 169: // the copyright sign
        return 50;
    default:
        return c;
    }
}

float game_DisplayText(const TextDraw& line) {
    int n = 0;
    while (line.text[n] != '\0') ++n;
    const float width = static_cast<float>(n) * line.advance * line.scale_x;
    const float height = static_cast<float>(line.cell_h) * line.scale_y;
    const uint32_t color = opacity_color(line.opacity);
    float dx, dy;
    anchor_offset(TEXT_ANCHORS, line.anchor, width, height, dx, dy);
    const float cx = width / 2, cy = height / 2;
    const float angle = line.rotation * RADIANS_PER_DEGREE;
    float pen_x = line.x + dx;
    const float pen_y = line.y + dy;
    bool mapping = true, fixed_width = false;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(line.text); *p != '\0';
         ++p) {
        const unsigned char c = *p;
        if (c == '<') {
            mapping = false;
            continue;
        }
        if (c == '>') {
            mapping = true;
            continue;
        }
        if (c == '_') {
            fixed_width = !fixed_width;
            continue;
        }
        if (c != ' ') {
            const int g = mapping ? glyph_number(c) : c;
            const int left = line.sheet_x + line.cell_w * (g % line.columns);
            const int top = line.sheet_y + line.cell_h * (g / line.columns);
            draw_sprite(charset_texture, {left, top, left + line.cell_w - 1, top + line.cell_h - 1},
                        line.scale_x, line.scale_y, cx, cy, angle, pen_x, pen_y, color);
        }
        pen_x += fixed_width ? static_cast<float>(line.cell_w) * line.scale_x - 0.6f
                             : line.advance * line.scale_x;
    }
    return pen_x;
}

float game_DisplayFontText(const char* text, float advance, float x, float y, float scale,
                           TextAnchor anchor, float rotation) {
    return game_DisplayText({.text = text,
                             .x = x,
                             .y = y,
                             .advance = advance,
                             .scale_x = scale,
                             .scale_y = scale,
                             .anchor = anchor,
                             .rotation = rotation});
}

float game_DisplayNumber(int value, float scale, float x, float y, NumberAlign align, int strip_x,
                         int strip_y) {
    if (value < 0) value = 0;
    // Ten digits do not fit the strip: larger values show the largest that does.
    if (value > LARGEST_NUMBER) value = LARGEST_NUMBER;
    if (strip_x < 0) strip_x = DIGIT_STRIP_X;
    if (strip_y < 0) strip_y = DIGIT_STRIP_Y;
    int digits[NUMBER_DIGITS];
    split_digits(value, digits, NUMBER_DIGITS);
    int leading = 0;
    while (leading < NUMBER_DIGITS && digits[leading] == 0) ++leading;
    if (leading == NUMBER_DIGITS) leading = NUMBER_DIGITS - 1;
    const float width = static_cast<float>(DIGIT_W * (NUMBER_DIGITS - leading)) * scale;
    float px = x, py = y;
    switch (align) {
    case NumberAlign::right_top:
        px = x - width;
        break;
    case NumberAlign::centre_top:
        px = x - width / 2;
        break;
    case NumberAlign::centre:
        px = x - width / 2;
        py = y - DIGIT_H * scale / 2;
        break;
    case NumberAlign::left_top:
        break;
    }
    for (int i = leading; i < NUMBER_DIGITS; ++i)
        px = draw_digit(digits[i], scale, px, py, strip_x, strip_y);
    return px;
}

namespace {

// The width of a time, in strip pixels, for its alignment: the hour digits shown from `first`, the
// minute and second digits shown, the seconds `s`. It counts the minute colon even when it blinks
// off, and no second digit for a zero time, so blinking and zero times are not exactly aligned.
int time_width(int first, int minute_digits, int second_digits, int s) {
    int width = 0;
    if (first < HOUR_DIGITS) width += (HOUR_DIGITS - first) * DIGIT_W + COLON_ADVANCE;
    if (minute_digits > 0) width += minute_digits * DIGIT_W + COLON_ADVANCE;
    if (second_digits == 2)
        width += 2 * DIGIT_W;
    else if (s > 0)
        width += DIGIT_W;
    return width;
}

} // namespace

float game_DisplayTime(int ticks, float scale, float x, float y, TimeAlign align, bool steady) {
    // A negative count has no clock face: it shows as no time at all rather than digits cut from
    // outside the strip.
    if (ticks < 0) ticks = 0;
    const int h = ticks / PLAY_TICKS_PER_HOUR;
    const int m = ticks % PLAY_TICKS_PER_HOUR / PLAY_TICKS_PER_MINUTE;
    const int s = ticks % PLAY_TICKS_PER_MINUTE / PLAY_TICKS_PER_SECOND;
    const int phase = ticks % PLAY_TICKS_PER_SECOND;
    int hours[HOUR_DIGITS];
    split_digits(h, hours, HOUR_DIGITS);
    int first = 0;
    while (first < HOUR_DIGITS && hours[first] == 0) ++first;
    if (steady && first == HOUR_DIGITS) first = HOUR_DIGITS - 1;

    const bool hour_colon = h > 0 || steady;
    const int minute_digits = m >= 10 || h > 0 ? 2 : m > 0 || steady ? 1 : 0;
    const bool minute_colon = (m > 0 || h > 0 || steady) && (phase < 30 || steady);
    const int second_digits = s >= 10 || m > 0 || h > 0 ? 2 : 1;
    const float total =
        static_cast<float>(time_width(first, minute_digits, second_digits, s)) * scale;

    float pen = align == TimeAlign::right    ? x - total
                : align == TimeAlign::centre ? x - total / 2
                                             : x;
    auto digit = [&](int d) { pen = draw_digit(d, scale, pen, y, DIGIT_STRIP_X, DIGIT_STRIP_Y); };
    for (int i = first; i < HOUR_DIGITS; ++i) digit(hours[i]);
    if (hour_colon) pen = draw_colon(scale, pen, y);
    if (minute_digits == 2) digit(m / 10);
    if (minute_digits >= 1) digit(m % 10);
    if (minute_colon) pen = draw_colon(scale, pen, y);
    if (second_digits == 2) digit(s / 10);
    digit(s % 10);
    return pen;
}
