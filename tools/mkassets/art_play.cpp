// The character sheet's play aids: the same-digit mark, the notes switch, the pencil marks'
// digits and the paused panel.
#include <cmath>
#include <string>

#include "tools/mkassets/art.h"

namespace {

using platform::Rect;

constexpr Rect HIGHLIGHT{400, 100, 450, 150}; // laid centred over a board cell
constexpr Rect NOTES_OFF{210, 160, 244, 178};
constexpr Rect NOTES_ON{250, 160, 284, 178};
// Digit d of the pencil marks stands in the slot NOTE_W wide from NOTE_LEFT + NOTE_W * (d - 1).
constexpr int NOTE_LEFT = 210, NOTE_TOP = 185, NOTE_W = 15, NOTE_H = 16;
constexpr Rect PAUSED{210, 210, 410, 270}; // drawn centred over the hidden board

// The same digit as the selected cell's: a faint light wash and four light corner brackets. It
// has no hue of its own and no ring, so it reads on every theme by its lightness and shape and is
// never taken for the amber selection frame.
void draw_highlight(cairo_t* cr) {
    const Box cell = box_of(HIGHLIGHT);
    rounded_rect(cr, inset(cell, 3), 6);
    set_colour(cr, {1, 1, 1}, 0.08);
    cairo_fill(cr);
    const Box b = inset(cell, 6);
    const double arm = 7.5;
    for (int corner = 0; corner < 4; ++corner) {
        const double sx = corner % 2 ? -1 : 1, sy = corner / 2 ? -1 : 1;
        const double x = sx > 0 ? b.x : b.x + b.w, y = sy > 0 ? b.y : b.y + b.h;
        cairo_move_to(cr, x, y + sy * arm);
        cairo_line_to(cr, x, y);
        cairo_line_to(cr, x + sx * arm, y);
    }
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_colour(cr, palette::ink, 0.7);
    cairo_set_line_width(cr, 4);
    cairo_stroke_preserve(cr);
    set_colour(cr, palette::cream, 0.9);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
}

// A pencil lying from its point (x, y) up to the right, 15 pixels long.
void draw_pencil(cairo_t* cr, double x, double y, Colour body) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -M_PI / 4);
    const double half = 2.4;
    cairo_move_to(cr, 0, 0); // the sharpened wood
    cairo_line_to(cr, 4.5, -half);
    cairo_line_to(cr, 4.5, half);
    cairo_close_path(cr);
    set_colour(cr, mix(palette::cream, palette::amber, 0.4));
    cairo_fill_preserve(cr);
    set_colour(cr, palette::ink);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_rectangle(cr, 4.5, -half, 10.5, 2 * half);
    set_colour(cr, body);
    cairo_fill_preserve(cr);
    set_colour(cr, palette::ink);
    cairo_stroke(cr);
    cairo_move_to(cr, 12.5, -half); // the band before the eraser
    cairo_line_to(cr, 12.5, half);
    cairo_stroke(cr);
    cairo_arc(cr, 0.6, 0, 0.9, 0, 2 * M_PI); // the lead
    cairo_fill(cr);
    cairo_restore(cr);
}

// The notes switch, a plate like the counters' labels with a pencil and a lamp: off, a dim
// pencil and an empty lamp on the dark plate; on, the plate filled amber like the selection, the
// pencil light and the lamp lit.
void draw_notes_switch(cairo_t* cr, const Rect& r, bool on) {
    const Box b = draw_switch_plate(cr, r, on);
    draw_pencil(cr, b.x + 5, b.y + b.h - 3.5, on ? palette::cream : palette::mist);
    draw_lamp(cr, b.x + b.w - 7.5, b.y + b.h / 2, 3.5, 2.5, on ? palette::cream : palette::dusk);
}

// Light digits with a dark rim, so they read on the dark and the mid tiles of every theme.
void draw_note_digits(cairo_t* cr) {
    TextStyle style{Face::sans_bold, 15.5, mix(palette::cream, palette::mist, 0.25)};
    style.outline = 1;
    for (int digit = 1; digit <= 9; ++digit)
        draw_label(cr, std::to_string(digit),
                   {double(NOTE_LEFT + NOTE_W * (digit - 1)), NOTE_TOP, NOTE_W, NOTE_H}, style);
}

void draw_paused_panel(cairo_t* cr) {
    const Box b = box_of(PAUSED);
    draw_box_panel(cr, b);
    TextStyle heading{Face::condensed_bold, 28, palette::amber};
    heading.outline = 1.5;
    heading.shadow = 2;
    heading.spacing = 4;
    draw_text(cr, "PAUSED", b.x + b.w / 2, b.y + 35, Align::centre, heading);
    draw_caption(cr, "PRESS ANY KEY", b.x + b.w / 2, b.y + 51, Align::centre, 10);
}

} // namespace

void draw_lamp(cairo_t* cr, double cx, double cy, double radius, double glass_radius,
               Colour glass) {
    cairo_arc(cr, cx, cy, radius, 0, 2 * M_PI);
    set_colour(cr, palette::ink);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, glass_radius, 0, 2 * M_PI);
    set_colour(cr, glass);
    cairo_fill(cr);
}

Box draw_switch_plate(cairo_t* cr, const platform::Rect& r, bool on) {
    const Box b = draw_plate(cr, r);
    if (on) {
        rounded_rect(cr, inset(b, 1), 4);
        set_gradient(cr, b.y, b.y + b.h, mix(palette::amber, palette::cream, 0.35), palette::ember);
        cairo_fill(cr);
    }
    return b;
}

void draw_sheet_play(cairo_t* cr, std::vector<Region>& regions) {
    draw_highlight(cr);
    draw_notes_switch(cr, NOTES_OFF, false);
    draw_notes_switch(cr, NOTES_ON, true);
    draw_note_digits(cr);
    draw_paused_panel(cr);
    const Region named[] = {
        {"cell 28 highlight", HIGHLIGHT},
        {"notes off", NOTES_OFF},
        {"notes on", NOTES_ON},
        {"note digits", {NOTE_LEFT, NOTE_TOP, NOTE_LEFT + 9 * NOTE_W, NOTE_TOP + NOTE_H}},
        {"paused panel", PAUSED},
    };
    regions.insert(regions.end(), std::begin(named), std::end(named));
}
