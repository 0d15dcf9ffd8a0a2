// The start screen's images: the calm night background shared with the next-level and options
// screens, and the sheet with the title, the three start buttons and the web-link panel.
#include <cmath>

#include "gfx/images.h"
#include "tools/mkassets/art.h"

namespace {

using platform::Rect;

constexpr Rect TITLE{0, 0, 511, 200};
constexpr Rect NEW_GAME{360, 400, 510, 430};
constexpr Rect OPTIONS{360, 435, 510, 465};
constexpr Rect QUIT{360, 470, 510, 505};
constexpr Rect LINK_PANEL{0, 375, 300, 511};
// The part of the panel that opens the web page (the panel is drawn at its own coordinates).
constexpr Rect LINK_AREA{30, 390, 143, 490};

// A small fixed sequence for the stars, the same on every run.
double scatter(int i) {
    return std::fmod(std::abs(std::sin(i * 78.233) * 43758.5453), 1.0);
}

void draw_sky(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 512);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.039, 0.063, 0.098);
    cairo_pattern_add_color_stop_rgb(g, 0.6, 0.086, 0.133, 0.184);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.118, 0.176, 0.227);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    // A low moon glow at the upper right.
    g = cairo_pattern_create_radial(420, 70, 4, 420, 70, 200);
    cairo_pattern_add_color_stop_rgba(g, 0, 1, 0.8, 0.5, 0.16);
    cairo_pattern_add_color_stop_rgba(g, 1, 1, 0.8, 0.5, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    for (int i = 0; i < 110; ++i) {
        const double x = scatter(3 * i) * 512, y = std::pow(scatter(3 * i + 1), 1.6) * 300;
        const double bright = scatter(3 * i + 2);
        cairo_arc(cr, x, y, 0.45 + bright * 0.7, 0, 2 * M_PI);
        set_colour(cr, palette::cream, 0.15 + 0.5 * bright * (1 - y / 320));
        cairo_fill(cr);
    }
}

// Rolling hills with a hollow in the middle, in three layers that darken towards the front.
void draw_hills(cairo_t* cr) {
    const struct {
        double base, swell, phase;
        Colour colour;
    } layers[] = {{400, 26, 0.4, {0.094, 0.149, 0.196}},
                  {440, 22, 2.1, {0.071, 0.114, 0.153}},
                  {478, 16, 4.0, {0.051, 0.082, 0.114}}};
    for (const auto& l : layers) {
        cairo_move_to(cr, 0, 512);
        for (int x = 0; x <= 512; x += 4) {
            const double u = x / 512.0;
            // The hollow: the land dips towards the middle of the screen.
            const double dip = 28 * std::exp(-std::pow((u - 0.5) / 0.22, 2));
            cairo_line_to(cr, x, l.base + dip - l.swell * std::sin(u * 5.3 + l.phase));
        }
        cairo_line_to(cr, 512, 512);
        cairo_close_path(cr);
        set_colour(cr, l.colour);
        cairo_fill(cr);
    }
}

void draw_vignette(cairo_t* cr) {
    cairo_pattern_t* g = cairo_pattern_create_radial(256, 256, 180, 256, 256, 380);
    cairo_pattern_add_color_stop_rgba(g, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0.45);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

// The emblem above the title: a three-by-three block of tiles, its middle one picked out.
void draw_emblem(cairo_t* cr, double cx, double top, double tile) {
    cairo_save(cr);
    cairo_translate(cr, cx - 1.5 * tile, top);
    cairo_scale(cr, tile / 50, tile / 50);
    for (int i = 0; i < 9; ++i)
        draw_tile(cr, {50.0 * (i % 3), 50.0 * (i / 3), 50, 50}, 0, i % 2 == 0);
    draw_selection_frame(cr, {50, 50, 50, 50});
    cairo_restore(cr);
}

void draw_title(cairo_t* cr) {
    draw_emblem(cr, 256, 16, 17);
    TextStyle style{Face::condensed_bold, 66, palette::cream};
    style.outline = 2.5;
    style.shadow = 3;
    style.spacing = 2;
    const double baseline = 122;
    draw_text(cr, "GRIDHOLLOW", 256, baseline, Align::centre, style);
    // A warm light falls across the upper half of the letters.
    cairo_save(cr);
    cairo_rectangle(cr, 0, 60, 512, baseline - 60 - 22);
    cairo_clip(cr);
    style.fill = mix(palette::amber, palette::cream, 0.45);
    style.outline = 0;
    style.shadow = 0;
    draw_text(cr, "GRIDHOLLOW", 256, baseline, Align::centre, style);
    cairo_restore(cr);
    TextStyle tag{Face::condensed_bold, 14, palette::mist};
    tag.spacing = 4;
    draw_text(cr, "SUDOKU  \u00b7  NINETY-NINE LEVELS", 256, 146, Align::centre, tag);
}

// A start button: the pill sits in the middle of its region, 26 pixels high.
void start_button(cairo_t* cr, const Rect& r, const char* caption, Tone tone) {
    const double middle = (r.top + r.bottom) / 2.0;
    draw_button(cr, {r.left + 1.0, middle - 13, double(r.right - r.left - 2), 26}, caption, tone);
}

// The globe of the web link.
void draw_globe(cairo_t* cr, double cx, double cy, double r) {
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    set_colour(cr, palette::ink);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, r - 1.5, 0, 2 * M_PI);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r / 3, cy - r / 3, 1, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.45, 0.75, 0.85);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.12, 0.38, 0.5);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    set_colour(cr, palette::cream, 0.8);
    cairo_set_line_width(cr, 1.4);
    for (double k : {0.35, 0.75}) {
        cairo_save(cr);
        cairo_translate(cr, cx, cy);
        cairo_scale(cr, k, 1);
        cairo_arc(cr, 0, 0, r - 1.5, 0, 2 * M_PI);
        cairo_restore(cr);
        cairo_stroke(cr);
    }
    for (double dy : {-r / 2, 0.0, r / 2}) {
        const double half = std::sqrt((r - 1.5) * (r - 1.5) - dy * dy);
        cairo_move_to(cr, cx - half, cy + dy);
        cairo_line_to(cr, cx + half, cy + dy);
    }
    cairo_stroke(cr);
}

void draw_link_panel(cairo_t* cr) {
    const Box card = inset(box_of(LINK_AREA), -2);
    draw_panel(cr, card, 10, 1);
    rounded_rect(cr, inset(card, 3), 8);
    set_colour(cr, palette::amber, 0.5);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const double cx = card.x + card.w / 2;
    draw_globe(cr, cx, card.y + 31, 20);
    draw_caption(cr, "VISIT THE", cx, card.y + 69, Align::centre, 12);
    TextStyle link{Face::condensed_bold, 15, palette::sky};
    link.outline = 1;
    draw_text(cr, "GRIDHOLLOW", cx, card.y + 86, Align::centre, link);
    // Underlined like a link on a web page.
    const double width = text_width(cr, "GRIDHOLLOW", link);
    cairo_rectangle(cr, cx - width / 2, card.y + 89, width, 1.6);
    set_colour(cr, palette::sky);
    cairo_fill(cr);
    draw_caption(cr, "WEB PAGE", cx, card.y + 101, Align::centre, 11);
}

} // namespace

Art art_start_background() {
    Canvas canvas(512, 512);
    draw_sky(canvas.cr);
    draw_hills(canvas.cr);
    draw_vignette(canvas.cr);
    return canvas.finish(IMAGE_BACKGROUND.name, {{"whole background", {0, 0, 512, 512}}});
}

Art art_start_sheet() {
    Canvas canvas(512, 512);
    draw_title(canvas.cr);
    start_button(canvas.cr, NEW_GAME, "NEW GAME", Tone::amber);
    start_button(canvas.cr, OPTIONS, "OPTIONS", Tone::slate);
    start_button(canvas.cr, QUIT, "QUIT", Tone::slate);
    draw_link_panel(canvas.cr);
    return canvas.finish(IMAGE_START.name, {{"title", TITLE},
                                            {"new game", NEW_GAME},
                                            {"options", OPTIONS},
                                            {"quit", QUIT},
                                            {"link panel", LINK_PANEL},
                                            {"link (clickable)", LINK_AREA}});
}
