// The lettering of the character sheet: the 25 x 25 capital font, the three 20 x 24 digit strips
// and the clock colon.
//
// Text is drawn with a fixed advance of 10 to 18 pixels at scales 0.55 to 1, so every glyph keeps
// its ink in a narrow column at the left of its cell: a condensed bold face, squeezed further
// where a letter is wide, centred in that column so that the fixed advance looks even.
#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "tools/mkassets/art.h"

namespace {

constexpr int FONT_X = 0, FONT_Y = 175, GLYPH = 25, COLUMNS = 8;
// The column the letters stand in, and their baseline, in cell pixels.
constexpr double COLUMN_LEFT = 1.5, LETTER_WIDTH = 11, DIGIT_WIDTH = 9, BASELINE = 19.5;
constexpr double GLYPH_SIZE = 23, GLYPH_SQUEEZE = 0.86, GLYPH_OUTLINE = 1.1;

// The digit strips: given digits upright, the player's entries slanted, wrong ones underlined.
constexpr int DIGIT_W = 20, DIGIT_H = 24;
struct Strip {
    const char* name;
    int left, top;
    Face face;
    Colour fill;
    bool underline;
};
const Strip STRIPS[] = {
    {"digits given", 50, 450, Face::condensed_bold, palette::cream, false},
    {"digits right", 275, 450, Face::condensed_bold_oblique, palette::sky, false},
    {"digits wrong", 50, 475, Face::condensed_bold_oblique, palette::coral, true},
};
constexpr platform::Rect COLON{125, 425, 134, 449};

// The glyph order of the font: glyph number and the character it shows.
struct Glyph {
    int number;
    std::string text;
};
std::vector<Glyph> font_glyphs() {
    std::vector<Glyph> glyphs;
    for (int i = 0; i < 26; ++i) glyphs.push_back({i, std::string(1, char('A' + i))});
    for (int i = 0; i < 10; ++i) glyphs.push_back({32 + i, std::string(1, char('0' + i))});
    const Glyph signs[] = {{27, ","}, {28, "."}, {29, "'"}, {30, ":"},     {42, "+"},
                           {43, "/"}, {48, "-"}, {49, "%"}, {50, "\u00a9"}};
    glyphs.insert(glyphs.end(), std::begin(signs), std::end(signs));
    return glyphs;
}

bool is_digit(const std::string& text) {
    return text[0] >= '0' && text[0] <= '9';
}

// Draws one glyph into its cell: squeezed to the column's width if wider, centred in the column.
void draw_glyph(cairo_t* cr, const Glyph& glyph) {
    const double left = FONT_X + GLYPH * (glyph.number % COLUMNS);
    const double top = FONT_Y + GLYPH * (glyph.number / COLUMNS);
    // Digits, the colon and the slash make up dates and clocks, drawn at the tightest advance.
    const bool tight = is_digit(glyph.text) || glyph.number == 30 || glyph.number == 43;
    const double column = tight ? DIGIT_WIDTH : LETTER_WIDTH;
    TextStyle style{Face::condensed_bold, GLYPH_SIZE, palette::cream};
    style.squeeze = GLYPH_SQUEEZE;
    style.outline = GLYPH_OUTLINE;
    cairo_save(cr);
    cairo_set_font_face(cr, font(style.face));
    cairo_set_font_size(cr, style.size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, glyph.text.c_str(), &e);
    cairo_restore(cr);
    style.squeeze = std::min(GLYPH_SQUEEZE, column / e.width);
    const double ink = e.width * style.squeeze;
    const double x = left + COLUMN_LEFT + (column - ink) / 2 - e.x_bearing * style.squeeze;
    // The cell's last row is never drawn: a letter reaching below it (the J's tail) is made a
    // little shorter from its top down instead of being cut off.
    const double ink_top = top + BASELINE + e.y_bearing;
    const double ink_bottom = ink_top + e.height + GLYPH_OUTLINE;
    const double limit = top + GLYPH - 1.5;
    cairo_save(cr);
    if (ink_bottom > limit) {
        cairo_translate(cr, 0, ink_top);
        cairo_scale(cr, 1, (limit - ink_top) / (ink_bottom - ink_top));
        cairo_translate(cr, 0, -ink_top);
    }
    draw_text(cr, glyph.text, x, top + BASELINE, Align::left, style);
    cairo_restore(cr);
}

void draw_strip(cairo_t* cr, const Strip& strip) {
    // Underlined digits stand a little higher, so the digit and its line are centred together.
    const double size = strip.underline ? 22.5 : 24.5;
    const double baseline = strip.underline ? 18.5 : 21;
    for (int d = 0; d < 10; ++d) {
        const double left = strip.left + DIGIT_W * d, top = strip.top;
        TextStyle style{strip.face, size, strip.fill};
        style.outline = 1.5;
        style.squeeze = 0.95;
        draw_text(cr, std::to_string(d), left + DIGIT_W / 2.0, top + baseline, Align::centre,
                  style);
        if (strip.underline) {
            rounded_rect(cr, {left + 3, top + 20.25, DIGIT_W - 6, 3}, 1.5);
            set_colour(cr, palette::ink);
            cairo_fill(cr);
            cairo_rectangle(cr, left + 4, top + 21, DIGIT_W - 8, 1.5);
            set_colour(cr, strip.fill);
            cairo_fill(cr);
        }
    }
}

// The colon between hours, minutes and seconds: two dots matching the given digits.
void draw_colon(cairo_t* cr) {
    const double cx = (COLON.left + COLON.right) / 2.0;
    for (double y : {COLON.top + 9.0, COLON.top + 17.5}) {
        cairo_arc(cr, cx, y, 2.6, 0, 2 * M_PI);
        set_colour(cr, palette::ink);
        cairo_fill(cr);
        cairo_arc(cr, cx, y, 1.7, 0, 2 * M_PI);
        set_colour(cr, palette::cream);
        cairo_fill(cr);
    }
}

} // namespace

void draw_sheet_glyphs(cairo_t* cr, std::vector<Region>& regions) {
    for (const Glyph& glyph : font_glyphs()) draw_glyph(cr, glyph);
    regions.push_back({"font: glyphs 0-50 (A-Z , . ' : 0-9 + / - % c)",
                       {FONT_X, FONT_Y, FONT_X + GLYPH * COLUMNS, FONT_Y + GLYPH * 7}});
    for (const Strip& strip : STRIPS) {
        draw_strip(cr, strip);
        regions.push_back(
            {strip.name, {strip.left, strip.top, strip.left + 10 * DIGIT_W, strip.top + DIGIT_H}});
    }
    draw_colon(cr);
    regions.push_back({"colon", COLON});
}
