// The controls of the character sheet: the pointer, the window-edge controls, list and panel
// buttons, ticks, counter labels, the progress bar's pieces, the repeat icons, the button masks
// and the keyboard focus's corners.
#include <cmath>

#include "tools/mkassets/art.h"

namespace {

using platform::Rect;

// Where the game reads each piece (left, top, right, bottom; right and bottom exclusive).
constexpr Rect POINTER{0, 400, 20, 420};
constexpr Rect MOVE_UP{24, 400, 100, 420};
constexpr Rect MOVE_DOWN{102, 400, 176, 420};
constexpr Rect MOVE_LEFT{0, 424, 16, 498};
constexpr Rect MOVE_RIGHT{18, 424, 32, 498};
constexpr Rect GROW{35, 422, 64, 450};
constexpr Rect SHRINK{64, 422, 96, 450};
constexpr Rect CLOSE{98, 422, 122, 450};
constexpr Rect DEACTIVATE{200, 422, 225, 450};
constexpr Rect EXPAND{200, 400, 225, 425};
constexpr Rect NEW_TASK{225, 400, 250, 425};
constexpr Rect TICK{175, 400, 200, 425}; // also the button that shows the completed tasks
constexpr Rect SHOW_OPEN{225, 425, 250, 450};
constexpr Rect MARKER{175, 425, 200, 450};
constexpr Rect HEADER_BAR{0, 350, 100, 375};
constexpr Rect LABEL_WRONG{0, 380, 90, 398};
constexpr Rect LABEL_TIME{100, 380, 154, 398};
constexpr Rect LABEL_LEVEL{160, 380, 226, 398};
constexpr Rect MASK{0, 150, 80, 175};
constexpr Rect FILL{275, 400, 475, 424};
constexpr Rect FILL_FULL{275, 424, 475, 448};
constexpr Rect CAP_LEFT{275, 350, 276, 375};
constexpr Rect CAP_RIGHT{474, 350, 475, 375};
constexpr Rect EDGE_TOP{280, 350, 512, 351};
constexpr Rect EDGE_BOTTOM{280, 374, 512, 375};
constexpr int REPEAT_LEFT = 300, REPEAT_TOP = 300, REPEAT_KINDS = 6;
constexpr Rect DUE_MARK{450, 300, 475, 325};
// The keyboard focus's four corners (top left, top right, bottom left, bottom right), each drawn
// at the matching corner of a control of any size.
constexpr double FOCUS_CORNER = 9;
constexpr Rect FOCUS_CORNERS[4] = {
    {420, 160, 429, 169}, {433, 160, 442, 169}, {420, 173, 429, 182}, {433, 173, 442, 182}};
// The fill rows' stripes repeat every 20 pixels, which divides the 100-pixel drift of the bar.
constexpr double STRIPE_PERIOD = 20;

// The window buttons keep the rows 422 to 424 clear: the expand button above ends there.
constexpr double WINDOW_BUTTON_Y = 437.5, WINDOW_BUTTON_R = 11;

double centre_x(const Rect& r) {
    return (r.left + r.right) / 2.0;
}

// A line icon: a dark rim under a light stroke, so it reads on any button.
void stroke_icon(cairo_t* cr, Colour colour, double width) {
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    set_colour(cr, palette::ink);
    cairo_set_line_width(cr, width + 2);
    cairo_stroke_preserve(cr);
    set_colour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

// A solid triangle pointing along (dx, dy) from its centre.
void triangle(cairo_t* cr, double cx, double cy, double dx, double dy, double size) {
    cairo_move_to(cr, cx + dx * size, cy + dy * size);
    cairo_line_to(cr, cx - dx * size * 0.6 - dy * size, cy - dy * size * 0.6 + dx * size);
    cairo_line_to(cr, cx - dx * size * 0.6 + dy * size, cy - dy * size * 0.6 - dx * size);
    cairo_close_path(cr);
    set_colour(cr, palette::cream);
    cairo_fill_preserve(cr);
    set_colour(cr, palette::ink);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
}

// A slate tab with a triangle: the window-edge move controls and the lists' scroll arrows.
void draw_tab(cairo_t* cr, const Rect& r, double dx, double dy) {
    draw_button(cr, inset(box_of(r), 1), "", Tone::slate);
    const double size = std::min(r.right - r.left, r.bottom - r.top) * 0.3;
    triangle(cr, centre_x(r), (r.top + r.bottom) / 2.0 - 0.5, dx, dy, size);
}

void draw_pointer(cairo_t* cr) {
    cairo_save(cr);
    cairo_rectangle(cr, POINTER.left, POINTER.top, 20, 20);
    cairo_clip(cr);
    cairo_translate(cr, POINTER.left, POINTER.top);
    const double points[][2] = {{0.5, 0.5},   {0.5, 15.5}, {4.4, 12}, {7.2, 18.4},
                                {10.2, 17.1}, {7.5, 11},   {12.5, 11}};
    for (int pass = 0; pass < 2; ++pass) {
        // First a soft shadow down and right, then the arrow itself.
        const double shift = pass == 0 ? 1.2 : 0;
        cairo_move_to(cr, points[0][0] + shift, points[0][1] + shift);
        for (const auto& p : points) cairo_line_to(cr, p[0] + shift, p[1] + shift);
        cairo_close_path(cr);
        if (pass == 0) {
            set_colour(cr, {0, 0, 0}, 0.35);
            cairo_fill(cr);
            continue;
        }
        set_colour(cr, palette::cream);
        cairo_fill_preserve(cr);
        set_colour(cr, palette::ink);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
    // The hot spot is the image's top-left pixel: it is solid, so the tip shows where clicks land.
    cairo_rectangle(cr, 0, 0, 1, 1);
    set_colour(cr, palette::ink);
    cairo_fill(cr);
    cairo_restore(cr);
}

// A round window button centred in its rectangle's lower part (below the shared rows).
void window_coin(cairo_t* cr, const Rect& r, Tone tone) {
    draw_coin(cr, centre_x(r), WINDOW_BUTTON_Y, WINDOW_BUTTON_R, tone);
}

void draw_window_buttons(cairo_t* cr) {
    const double y = WINDOW_BUTTON_Y, d = 5;
    window_coin(cr, GROW, Tone::slate);
    cairo_move_to(cr, centre_x(GROW) - d, y);
    cairo_line_to(cr, centre_x(GROW) + d, y);
    cairo_move_to(cr, centre_x(GROW), y - d);
    cairo_line_to(cr, centre_x(GROW), y + d);
    stroke_icon(cr, palette::cream, 2.5);
    window_coin(cr, SHRINK, Tone::slate);
    cairo_move_to(cr, centre_x(SHRINK) - d, y);
    cairo_line_to(cr, centre_x(SHRINK) + d, y);
    stroke_icon(cr, palette::cream, 2.5);
    window_coin(cr, CLOSE, Tone::coral);
    cairo_move_to(cr, centre_x(CLOSE) - 4.5, y - 4.5);
    cairo_line_to(cr, centre_x(CLOSE) + 4.5, y + 4.5);
    cairo_move_to(cr, centre_x(CLOSE) + 4.5, y - 4.5);
    cairo_line_to(cr, centre_x(CLOSE) - 4.5, y + 4.5);
    stroke_icon(cr, palette::cream, 2.5);
    // Deactivate: the window steps back, shown as a bar sinking to the bottom.
    window_coin(cr, DEACTIVATE, Tone::slate);
    cairo_move_to(cr, centre_x(DEACTIVATE) - d, y + 4);
    cairo_line_to(cr, centre_x(DEACTIVATE) + d, y + 4);
    cairo_move_to(cr, centre_x(DEACTIVATE), y - 6);
    cairo_line_to(cr, centre_x(DEACTIVATE), y);
    cairo_move_to(cr, centre_x(DEACTIVATE) - 3, y - 3);
    cairo_line_to(cr, centre_x(DEACTIVATE), y);
    cairo_line_to(cr, centre_x(DEACTIVATE) + 3, y - 3);
    stroke_icon(cr, palette::cream, 2);
}

void draw_tick_shape(cairo_t* cr, double cx, double cy, double s) {
    cairo_move_to(cr, cx - 5 * s, cy);
    cairo_line_to(cr, cx - 1.5 * s, cy + 3.5 * s);
    cairo_line_to(cr, cx + 5 * s, cy - 4 * s);
    stroke_icon(cr, palette::cream, 2.5 * s);
}

// The to-do panel's round buttons (also the list's toggle) and the tick and marker.
void draw_panel_buttons(cairo_t* cr) {
    // Expand or collapse: two chevrons pointing apart.
    const double ex = centre_x(EXPAND), ey = 410.5;
    draw_coin(cr, ex, ey, 10, Tone::slate);
    cairo_move_to(cr, ex - 4, ey - 2);
    cairo_line_to(cr, ex, ey - 6);
    cairo_line_to(cr, ex + 4, ey - 2);
    cairo_move_to(cr, ex - 4, ey + 2);
    cairo_line_to(cr, ex, ey + 6);
    cairo_line_to(cr, ex + 4, ey + 2);
    stroke_icon(cr, palette::cream, 2);
    // New task: a plus on amber.
    const double nx = centre_x(NEW_TASK), ny = 412;
    draw_coin(cr, nx, ny, 10.5, Tone::amber);
    cairo_move_to(cr, nx - 5, ny);
    cairo_line_to(cr, nx + 5, ny);
    cairo_move_to(cr, nx, ny - 5);
    cairo_line_to(cr, nx, ny + 5);
    stroke_icon(cr, palette::cream, 2.5);
    // The tick: a green coin with a check, placed so that the editor's tick boxes frame it.
    draw_coin(cr, 185, 413.5, 10, Tone::leaf);
    draw_tick_shape(cr, 185, 413.5, 1);
    // Back to the open tasks: a list of three lines.
    const double sx = centre_x(SHOW_OPEN), sy = 437.5;
    draw_coin(cr, sx, sy, 10.5, Tone::slate);
    for (double dy : {-4.0, 0.0, 4.0}) {
        cairo_move_to(cr, sx - 5, sy + dy);
        cairo_line_to(cr, sx - 4.9, sy + dy);
        cairo_move_to(cr, sx - 2, sy + dy);
        cairo_line_to(cr, sx + 5, sy + dy);
    }
    stroke_icon(cr, palette::cream, 1.8);
    // The options marker: a small green badge in the cell's lower-left part, where it covers the
    // remove box and sits between a theme row's two samples.
    const Box badge{MARKER.left + 0.5, MARKER.top + 9.0, 16, 15};
    rounded_rect(cr, badge, 4);
    set_colour(cr, palette::ink);
    cairo_fill(cr);
    rounded_rect(cr, inset(badge, 1.2), 3);
    set_colour(cr, palette::leaf);
    cairo_fill(cr);
    draw_tick_shape(cr, badge.x + 8, badge.y + 7.5, 0.75);
}

// A plate with text: the list's header bar and the counters' labels.
void draw_label_plate(cairo_t* cr, const Rect& r, const char* text, Colour fill, double size) {
    TextStyle style{Face::condensed_bold, size, fill};
    style.spacing = 0.8;
    draw_label(cr, text, inset(draw_plate(cr, r), 3), style);
}

// The progress bar: a light frame (caps and edges, one pixel each) and two striped fills.
void draw_bar_pieces(cairo_t* cr) {
    const Colour frame = mix(palette::mist, palette::cream, 0.5);
    for (const Rect& r : {CAP_LEFT, CAP_RIGHT, EDGE_TOP, EDGE_BOTTOM}) {
        cairo_rectangle(cr, r.left, r.top, r.right - r.left, r.bottom - r.top);
        set_colour(cr, frame);
        cairo_fill(cr);
    }
    const struct {
        Rect rect;
        Colour light, dark;
    } fills[] = {{FILL, palette::amber, palette::ember},
                 {FILL_FULL, palette::leaf, mix(palette::leaf, palette::ink, 0.35)}};
    for (const auto& f : fills) {
        const Box b = box_of(f.rect);
        cairo_save(cr);
        cairo_rectangle(cr, b.x, b.y, b.w, b.h);
        cairo_clip(cr);
        set_colour(cr, f.dark);
        cairo_paint(cr);
        for (double x = b.x - b.h; x < b.x + b.w; x += STRIPE_PERIOD) {
            cairo_move_to(cr, x, b.y + b.h);
            cairo_line_to(cr, x + STRIPE_PERIOD / 2, b.y + b.h);
            cairo_line_to(cr, x + STRIPE_PERIOD / 2 + b.h, b.y);
            cairo_line_to(cr, x + b.h, b.y);
            cairo_close_path(cr);
        }
        set_colour(cr, f.light);
        cairo_fill(cr);
        // Gloss on the upper half, shade on the lowest rows.
        cairo_pattern_t* g = cairo_pattern_create_linear(0, b.y, 0, b.y + b.h);
        cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, 0.35);
        cairo_pattern_add_color_stop_rgba(g, 0.45, 1, 1, 1, 0.05);
        cairo_pattern_add_color_stop_rgba(g, 1, 0, 0, 0, 0.3);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        cairo_restore(cr);
    }
}

// The repeat kinds' icons (once, birthday, daily, weekly, monthly, yearly) and the due mark.
void draw_repeat_icons(cairo_t* cr, std::vector<Region>& regions) {
    const char* const letters[REPEAT_KINDS] = {"", "", "D", "W", "M", "Y"};
    const char* const names[REPEAT_KINDS] = {"once",   "birthday", "daily",
                                             "weekly", "monthly",  "yearly"};
    for (int kind = 0; kind < REPEAT_KINDS; ++kind) {
        const int left = REPEAT_LEFT + 25 * kind;
        const double cx = left + 12.5, cy = REPEAT_TOP + 12.5;
        draw_coin(cr, cx, cy, 11, kind == 1 ? Tone::amber : Tone::slate);
        if (kind == 0) {
            cairo_arc(cr, cx, cy, 3.5, 0, 2 * M_PI);
            set_colour(cr, palette::cream);
            cairo_fill_preserve(cr);
            set_colour(cr, palette::ink);
            cairo_set_line_width(cr, 1);
            cairo_stroke(cr);
        } else if (kind == 1) {
            // A cake with one candle.
            rounded_rect(cr, {cx - 6.5, cy - 1, 13, 7.5}, 1.5);
            set_colour(cr, palette::cream);
            cairo_fill_preserve(cr);
            set_colour(cr, palette::ink);
            cairo_set_line_width(cr, 1.2);
            cairo_stroke(cr);
            cairo_move_to(cr, cx, cy - 1.5);
            cairo_line_to(cr, cx, cy - 5);
            stroke_icon(cr, palette::cream, 1.5);
            cairo_arc(cr, cx, cy - 7.5, 1.6, 0, 2 * M_PI);
            set_colour(cr, palette::crimson);
            cairo_fill(cr);
        } else {
            TextStyle style{Face::condensed_bold, 15, palette::cream};
            style.outline = 1;
            draw_label(cr, letters[kind], {cx - 10, cy - 10, 20, 20}, style);
        }
        regions.push_back(
            {std::string("repeat ") + names[kind], {left, REPEAT_TOP, left + 25, REPEAT_TOP + 25}});
    }
    const double cx = centre_x(DUE_MARK), cy = DUE_MARK.top + 12.5;
    draw_coin(cr, cx, cy, 11, Tone::coral);
    cairo_move_to(cr, cx, cy - 6);
    cairo_line_to(cr, cx, cy + 1.5);
    cairo_move_to(cr, cx, cy + 5.5);
    cairo_line_to(cr, cx, cy + 5.6);
    stroke_icon(cr, palette::cream, 2.8);
    regions.push_back({"due mark", DUE_MARK});
}

// The mask over a switched-off button: dark glass with hatching, even all along so that any
// width read from its left edge looks the same.
void draw_mask(cairo_t* cr) {
    const Box b = box_of(MASK);
    cairo_save(cr);
    cairo_rectangle(cr, b.x, b.y, b.w, b.h);
    cairo_clip(cr);
    set_colour(cr, palette::ink, 0.62);
    cairo_paint(cr);
    for (double x = b.x - b.h; x < b.x + b.w; x += 6) {
        cairo_move_to(cr, x, b.y + b.h);
        cairo_line_to(cr, x + b.h, b.y);
    }
    set_colour(cr, palette::mist, 0.3);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
    cairo_restore(cr);
}

// An amber bracket with a dark rim in each corner piece, turned to face its corner.
void draw_focus_corners(cairo_t* cr) {
    for (int i = 0; i < 4; ++i) {
        const Rect& r = FOCUS_CORNERS[i];
        cairo_save(cr);
        cairo_translate(cr, i % 2 == 0 ? r.left : r.right, i < 2 ? r.top : r.bottom);
        cairo_scale(cr, i % 2 == 0 ? 1 : -1, i < 2 ? 1 : -1);
        const double in = 2, end = FOCUS_CORNER - 2.2;
        cairo_move_to(cr, in, end);
        cairo_line_to(cr, in, in);
        cairo_line_to(cr, end, in);
        stroke_icon(cr, palette::amber, 2);
        cairo_restore(cr);
    }
}

} // namespace

void draw_sheet_controls(cairo_t* cr, std::vector<Region>& regions) {
    draw_pointer(cr);
    draw_tab(cr, MOVE_UP, 0, -1);
    draw_tab(cr, MOVE_DOWN, 0, 1);
    draw_tab(cr, MOVE_LEFT, -1, 0);
    draw_tab(cr, MOVE_RIGHT, 1, 0);
    draw_window_buttons(cr);
    draw_panel_buttons(cr);
    draw_label_plate(cr, HEADER_BAR, "HIGH SCORES", palette::amber, 14);
    draw_label_plate(cr, LABEL_WRONG, "MISTAKES", palette::cream, 12);
    draw_label_plate(cr, LABEL_TIME, "TIME", palette::cream, 12);
    draw_label_plate(cr, LABEL_LEVEL, "LEVEL", palette::cream, 12);
    draw_bar_pieces(cr);
    draw_repeat_icons(cr, regions);
    draw_mask(cr);
    draw_focus_corners(cr);
    const Region named[] = {
        {"pointer", POINTER},
        {"up / scroll up", MOVE_UP},
        {"down / scroll down", MOVE_DOWN},
        {"left", MOVE_LEFT},
        {"right", MOVE_RIGHT},
        {"grow", GROW},
        {"shrink", SHRINK},
        {"close", CLOSE},
        {"deactivate", DEACTIVATE},
        {"expand / toggle", EXPAND},
        {"new task", NEW_TASK},
        {"tick / show done", TICK},
        {"show open", SHOW_OPEN},
        {"marker", MARKER},
        {"header bar", HEADER_BAR},
        {"label wrong", LABEL_WRONG},
        {"label time", LABEL_TIME},
        {"label level", LABEL_LEVEL},
        {"mask", MASK},
        {"fill", FILL},
        {"fill full", FILL_FULL},
        {"cap", CAP_LEFT},
        {"cap", CAP_RIGHT},
        {"edge top", EDGE_TOP},
        {"edge bottom", EDGE_BOTTOM},
        {"focus", FOCUS_CORNERS[0]},
        {"focus", FOCUS_CORNERS[1]},
        {"focus", FOCUS_CORNERS[2]},
        {"focus", FOCUS_CORNERS[3]},
    };
    regions.insert(regions.end(), std::begin(named), std::end(named));
}
