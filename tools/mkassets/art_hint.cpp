// The character sheet's hint aids: the hint, fill and tidy controls beside the board, the light on
// a hint's houses, the ring on the cells that justify it, the stroke over a candidate it removes
// and the ground of its panel.
#include <cmath>

#include "tools/mkassets/art.h"

namespace {

using platform::Rect;

constexpr Rect HINT_OFF{290, 160, 310, 182}, HINT_ON{312, 160, 332, 182};
constexpr Rect FILL{334, 160, 354, 182}, TIDY{356, 160, 376, 182};
constexpr Rect HOUSE_LIGHT{450, 100, 500, 150}; // cell 29, laid over a tile of a lit house
constexpr Rect REASON{420, 200, 470, 250};      // laid centred over a cell
constexpr Rect STRIKE{420, 255, 435, 271};      // laid over a pencil mark's slot
constexpr Rect PANEL{440, 255, 460, 275};       // stretched behind the panel's line

// Strokes the path in a colour over a darker rim, so it reads on every tile.
void stroke_rimmed(cairo_t* cr, Colour colour, double width, double rim) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    set_colour(cr, palette::ink, 0.8);
    cairo_set_line_width(cr, width + rim);
    cairo_stroke_preserve(cr);
    set_colour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// The hint control: a lamp with its screw base; off a dim glass, on a lit one.
void draw_hint_control(cairo_t* cr, const Rect& r, bool on) {
    const Box b = draw_switch_plate(cr, r, on);
    const double cx = b.x + b.w / 2, cy = b.y + 8;
    draw_lamp(cr, cx, cy, 5, 3.8, on ? palette::cream : palette::mist);
    cairo_rectangle(cr, cx - 2.5, cy + 4.5, 5, 5);
    set_colour(cr, palette::ink);
    cairo_fill(cr);
    for (int band = 0; band < 2; ++band) {
        cairo_rectangle(cr, cx - 1.8, cy + 5.2 + 2.2 * band, 3.6, 1.2);
        set_colour(cr, on ? palette::cream : palette::mist);
        cairo_fill(cr);
    }
}

// Three rows of three dots, the marks of a full cell; tidy strikes them through.
void draw_marks_control(cairo_t* cr, const Rect& r, bool tidy) {
    const Box b = draw_switch_plate(cr, r, false);
    for (int i = 0; i < 9; ++i) {
        cairo_arc(cr, b.x + 5 + 4.5 * (i % 3), b.y + 6.5 + 4.5 * (i / 3), 1.4, 0, 2 * M_PI);
        set_colour(cr, palette::cream, tidy && i % 2 ? 0.35 : 1);
        cairo_fill(cr);
    }
    if (!tidy) return;
    cairo_move_to(cr, b.x + 3.5, b.y + b.h - 4);
    cairo_line_to(cr, b.x + b.w - 3.5, b.y + 4);
    stroke_rimmed(cr, palette::coral, 1.6, 1.4);
}

// A warm wash with an amber rim: the tiles of a lit house read warmer on every theme.
void draw_house_light(cairo_t* cr) {
    const Box b = inset(box_of(HOUSE_LIGHT), 2.5);
    rounded_rect(cr, b, 6);
    set_colour(cr, palette::amber, 0.2);
    cairo_fill_preserve(cr);
    set_colour(cr, palette::amber, 0.75);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

// A sky-blue ring with a dark rim, the colour of right entries: a cell the reasoning rests on.
void draw_reason_ring(cairo_t* cr) {
    const Box b = box_of(REASON);
    cairo_arc(cr, b.x + b.w / 2, b.y + b.h / 2, 20.5, 0, 2 * M_PI);
    stroke_rimmed(cr, palette::sky, 2.5, 2);
}

// A coral stroke across a pencil mark's slot.
void draw_strike(cairo_t* cr) {
    const Box b = box_of(STRIKE);
    cairo_move_to(cr, b.x + 2, b.y + b.h - 2);
    cairo_line_to(cr, b.x + b.w - 2, b.y + 2);
    stroke_rimmed(cr, palette::coral, 2, 1.5);
}

void draw_panel_ground(cairo_t* cr) {
    const Box b = box_of(PANEL);
    cairo_rectangle(cr, b.x, b.y, b.w, b.h);
    set_colour(cr, palette::night, 0.92);
    cairo_fill(cr);
}

} // namespace

void draw_sheet_hint(cairo_t* cr, std::vector<Region>& regions) {
    draw_hint_control(cr, HINT_OFF, false);
    draw_hint_control(cr, HINT_ON, true);
    draw_marks_control(cr, FILL, false);
    draw_marks_control(cr, TIDY, true);
    draw_house_light(cr);
    draw_reason_ring(cr);
    draw_strike(cr);
    draw_panel_ground(cr);
    const Region named[] = {
        {"hint off", HINT_OFF},
        {"hint on", HINT_ON},
        {"fill marks", FILL},
        {"tidy marks", TIDY},
        {"cell 29 lit house", HOUSE_LIGHT},
        {"hint reason", REASON},
        {"hint strike", STRIKE},
        {"hint panel", PANEL},
    };
    regions.insert(regions.end(), std::begin(named), std::end(named));
}
