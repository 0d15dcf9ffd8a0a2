// The cell grid of the character sheet: board tiles of the seven themes, the selection frame,
// the picker's keys and the plain square that lists stretch into a row highlight.
#include <cmath>
#include <string>

#include "tools/mkassets/art.h"

const char* const THEME_NAMES[THEME_COUNT] = {"CLASSIC", "MOSS",     "PLUM", "WALNUT",
                                              "LAGOON",  "GRAPHITE", "EMBER"};

namespace {

constexpr int CELL = 50;

// The surface of a theme's tiles: the empty cells' colour, the given cells' colour (lighter, as
// the given tiles stand raised), and a faint texture.
enum class Grain { none, speckle, pinstripe, wood, ripple, mesh, glow };
struct Theme {
    Colour empty, given;
    Grain grain;
};
const Theme THEMES[THEME_COUNT] = {
    {{0.133, 0.196, 0.275}, {0.247, 0.325, 0.424}, Grain::none},
    {{0.110, 0.212, 0.165}, {0.212, 0.353, 0.255}, Grain::speckle},
    {{0.200, 0.133, 0.243}, {0.337, 0.231, 0.392}, Grain::pinstripe},
    {{0.224, 0.157, 0.110}, {0.373, 0.271, 0.184}, Grain::wood},
    {{0.078, 0.212, 0.239}, {0.141, 0.353, 0.384}, Grain::ripple},
    {{0.141, 0.145, 0.157}, {0.275, 0.278, 0.290}, Grain::mesh},
    {{0.243, 0.114, 0.102}, {0.400, 0.192, 0.157}, Grain::glow},
};

Box cellbox(int index) {
    return {double(CELL * (index % 10)), double(CELL * (index / 10)), CELL, CELL};
}

platform::Rect cellrect(int index) {
    const int left = CELL * (index % 10), top = CELL * (index / 10);
    return {left, top, left + CELL, top + CELL};
}

// A small fixed sequence for the speckles, the same on every run.
double scatter(int i) {
    return std::fmod(std::sin(i * 12.9898) * 43758.5453, 1.0) * 0.5 + 0.5;
}

void draw_grain(cairo_t* cr, Box b, Grain grain) {
    cairo_save(cr);
    set_colour(cr, {1, 1, 1}, 0.07);
    cairo_set_line_width(cr, 1);
    switch (grain) {
    case Grain::none:
        break;
    case Grain::speckle:
        for (int i = 0; i < 26; ++i) {
            cairo_arc(cr, b.x + scatter(2 * i) * b.w, b.y + scatter(2 * i + 1) * b.h,
                      0.8 + scatter(i + 40), 0, 2 * M_PI);
            cairo_fill(cr);
        }
        break;
    case Grain::pinstripe:
        for (double d = -b.h; d < b.w; d += 6) {
            cairo_move_to(cr, b.x + d, b.y + b.h);
            cairo_line_to(cr, b.x + d + b.h, b.y);
        }
        cairo_stroke(cr);
        break;
    case Grain::wood:
        for (int i = 0; i < 7; ++i) {
            const double y = b.y + 4 + i * 6.5;
            cairo_move_to(cr, b.x, y);
            cairo_curve_to(cr, b.x + b.w * 0.3, y - 3 + i % 3, b.x + b.w * 0.6, y + 3, b.x + b.w,
                           y - 1);
        }
        cairo_stroke(cr);
        break;
    case Grain::ripple:
        for (double y = b.y + 5; y < b.y + b.h; y += 8) {
            cairo_move_to(cr, b.x, y);
            for (double x = 0; x <= b.w; x += 1)
                cairo_line_to(cr, b.x + x, y + 1.6 * std::sin(x / 3.2));
        }
        cairo_stroke(cr);
        break;
    case Grain::mesh:
        for (double d = 4; d < b.w; d += 5) {
            cairo_move_to(cr, b.x + d + 0.5, b.y);
            cairo_line_to(cr, b.x + d + 0.5, b.y + b.h);
            cairo_move_to(cr, b.x, b.y + d + 0.5);
            cairo_line_to(cr, b.x + b.w, b.y + d + 0.5);
        }
        set_colour(cr, {1, 1, 1}, 0.04);
        cairo_stroke(cr);
        break;
    case Grain::glow: {
        cairo_pattern_t* g =
            cairo_pattern_create_radial(b.x + b.w / 2, b.y + b.h, 2, b.x + b.w / 2, b.y + b.h, b.h);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.6, 0.3, 0.22);
        cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.6, 0.3, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        break;
    }
    }
    cairo_restore(cr);
}

// A key of the number picker: a raised chip with its symbol (drawn by the caller).
Box draw_key(cairo_t* cr, Box cell, Colour face) {
    const Box chip = inset(cell, 3.5);
    rounded_rect(cr, {chip.x + 0.5, chip.y + 1.5, chip.w, chip.h}, 9);
    set_colour(cr, palette::ink, 0.6);
    cairo_fill(cr);
    rounded_rect(cr, chip, 9);
    set_gradient(cr, chip.y, chip.y + chip.h, mix(face, {1, 1, 1}, 0.25),
                 mix(face, palette::ink, 0.2));
    cairo_fill_preserve(cr);
    set_colour(cr, palette::ink);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    return chip;
}

void draw_digit_key(cairo_t* cr, Box cell, int digit) {
    const Box chip = draw_key(cr, cell, mix(palette::cream, palette::amber, 0.3));
    draw_label(cr, std::to_string(digit), chip, {Face::condensed_bold, 32, palette::ink});
}

// The clear key: a backspace sign, a left-pointing tag with a cross in it.
void draw_clear_key(cairo_t* cr, Box cell) {
    const Box chip = draw_key(cr, cell, palette::coral);
    const double cx = chip.x + chip.w / 2 + 2, cy = chip.y + chip.h / 2;
    cairo_move_to(cr, cx - 15, cy);
    cairo_line_to(cr, cx - 7, cy - 9);
    cairo_line_to(cr, cx + 11, cy - 9);
    cairo_line_to(cr, cx + 11, cy + 9);
    cairo_line_to(cr, cx - 7, cy + 9);
    cairo_close_path(cr);
    cairo_move_to(cr, cx - 3, cy - 4.5);
    cairo_line_to(cr, cx + 6, cy + 4.5);
    cairo_move_to(cr, cx + 6, cy - 4.5);
    cairo_line_to(cr, cx - 3, cy + 4.5);
    set_colour(cr, palette::ink);
    cairo_set_line_width(cr, 3);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

// The close key: a cross on a slate chip.
void draw_close_key(cairo_t* cr, Box cell) {
    const Box chip = draw_key(cr, cell, palette::slate);
    const double cx = chip.x + chip.w / 2, cy = chip.y + chip.h / 2, d = 8;
    cairo_move_to(cr, cx - d, cy - d);
    cairo_line_to(cr, cx + d, cy + d);
    cairo_move_to(cr, cx + d, cy - d);
    cairo_line_to(cr, cx - d, cy + d);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_colour(cr, palette::ink);
    cairo_set_line_width(cr, 6);
    cairo_stroke_preserve(cr);
    set_colour(cr, palette::cream);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
}

} // namespace

void draw_tile(cairo_t* cr, Box cell, int theme, bool given) {
    const Theme& t = THEMES[theme];
    const Box b = inset(cell, 2);
    const double radius = b.w * 0.13;
    const Colour base = given ? t.given : t.empty;
    // Given tiles are lit from above (raised); empty ones are shaded at the top (sunk).
    const Colour top = given ? mix(base, {1, 1, 1}, 0.14) : mix(base, {0, 0, 0}, 0.25);
    const Colour bottom = given ? mix(base, {0, 0, 0}, 0.22) : mix(base, {1, 1, 1}, 0.04);
    rounded_rect(cr, b, radius);
    set_gradient(cr, b.y, b.y + b.h, top, bottom);
    cairo_fill_preserve(cr);
    cairo_save(cr);
    cairo_clip(cr);
    draw_grain(cr, b, t.grain);
    const double lip = b.w * 0.06;
    if (given) {
        // A light bevel along the top and a dark one along the bottom.
        cairo_rectangle(cr, b.x, b.y, b.w, lip);
        set_colour(cr, {1, 1, 1}, 0.16);
        cairo_fill(cr);
        cairo_rectangle(cr, b.x, b.y + b.h - lip, b.w, lip);
        set_colour(cr, {0, 0, 0}, 0.28);
        cairo_fill(cr);
    } else {
        cairo_rectangle(cr, b.x, b.y, b.w, lip * 1.3);
        set_colour(cr, {0, 0, 0}, 0.3);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    rounded_rect(cr, inset(b, 0.5), radius);
    set_colour(cr, palette::ink, 0.9);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void draw_selection_frame(cairo_t* cr, Box cell) {
    rounded_rect(cr, inset(cell, 1), 8);
    set_colour(cr, palette::amber, 0.35);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    rounded_rect(cr, inset(cell, 2.75), 6.5);
    set_colour(cr, palette::amber);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    rounded_rect(cr, inset(cell, 4.75), 4.5);
    set_colour(cr, palette::ink, 0.8);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

void draw_sheet_cells(cairo_t* cr, std::vector<Region>& regions) {
    draw_tile(cr, cellbox(0), 0, false);
    draw_tile(cr, cellbox(1), 0, true);
    regions.push_back({"cell 0 empty", cellrect(0)});
    regions.push_back({"cell 1 given", cellrect(1)});
    draw_selection_frame(cr, cellbox(2));
    regions.push_back({"cell 2 selection", cellrect(2)});
    for (int digit = 1; digit <= 9; ++digit) {
        draw_digit_key(cr, cellbox(digit + 3), digit);
        regions.push_back({"cell " + std::to_string(digit + 3) + " key " + std::to_string(digit),
                           cellrect(digit + 3)});
    }
    draw_clear_key(cr, cellbox(13));
    regions.push_back({"cell 13 clear", cellrect(13)});
    draw_close_key(cr, cellbox(14));
    regions.push_back({"cell 14 close", cellrect(14)});
    // The plain square: one even colour, so a list can stretch it into a highlight bar.
    const Box square = cellbox(15);
    cairo_rectangle(cr, square.x, square.y, square.w, square.h);
    set_colour(cr, mix(palette::amber, palette::cream, 0.35));
    cairo_fill(cr);
    regions.push_back({"cell 15 square", cellrect(15)});
    for (int theme = 1; theme < THEME_COUNT; ++theme) {
        const int empty = 2 * theme + 14;
        draw_tile(cr, cellbox(empty), theme, false);
        draw_tile(cr, cellbox(empty + 1), theme, true);
        regions.push_back({"cell " + std::to_string(empty) + " " + THEME_NAMES[theme] + " empty",
                           cellrect(empty)});
        regions.push_back({"cell " + std::to_string(empty + 1) + " given", cellrect(empty + 1)});
    }
}
