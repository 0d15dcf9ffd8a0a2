// "img\todoedit.tga": the task editor's form, drawn whole over the start screen. The editor writes
// each box's text with its bottom-left corner just inside the box, puts the tick over the two tick
// boxes, lays masks over switched-off buttons and acts on the rectangles given below.
#include <cmath>

#include "gfx/images.h"
#include "tools/mkassets/art.h"

namespace {

using platform::Rect;

constexpr Rect TITLE_BOX{47, 39, 263, 63};         // text from (50, 60)
constexpr Rect SET_TITLE{300, 39, 350, 64};        // the mask is 50 x 25 at (300, 39)
constexpr Rect DESCRIPTION_BOX{47, 110, 428, 139}; // text from (50, 135)
constexpr Rect DATE_BOX{97, 160, 203, 189};        // text from (100, 185)
constexpr Rect TIME_BOX{97, 210, 203, 241};        // text from (100, 235)
constexpr Rect REPEAT_BOX{97, 264, 203, 289};      // text from (100, 285)
constexpr Rect MINUTES_BOX{222, 264, 278, 289};    // text from (230, 285)
// The ticks' clickable areas; the tick itself is drawn with its top-left corner 5 pixels right of
// and 5 above each area's, and its green coin is centred 10 right of and 13.5 below that corner.
constexpr Rect DONE_TICK{250, 165, 275, 185};
constexpr Rect ALARM_TICK{250, 215, 275, 235};
constexpr double TICK_X = 5 + 10, TICK_Y = -5 + 13.5;
constexpr Rect ADD{100, 375, 150, 400};
constexpr Rect DELETE{175, 375, 250, 400};
constexpr Rect UPDATE{260, 375, 340, 400}; // the mask is 80 wide from 260
constexpr Rect CLOSE{350, 375, 425, 400};
constexpr Rect CLOCK{140, 457, 372, 483}; // the clock's text is centred on (256, 470)

void draw_backdrop(cairo_t* cr) {
    set_gradient(cr, 0, 512, {0.051, 0.078, 0.110}, {0.098, 0.145, 0.192});
    cairo_paint(cr);
    // A fine grid in the background: the organiser's squared paper.
    for (int x = 0; x < 512; x += 16) {
        cairo_move_to(cr, x + 0.5, 0);
        cairo_line_to(cr, x + 0.5, 512);
        cairo_move_to(cr, 0, x + 0.5);
        cairo_line_to(cr, 512, x + 0.5);
    }
    set_colour(cr, palette::mist, 0.05);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    draw_panel(cr, {22, 8, 468, 306}, 14, 0.85);
    draw_panel(cr, {70, 362, 372, 52}, 14, 0.85);
}

// A round socket under a tick.
void tick_socket(cairo_t* cr, const Rect& area) {
    const double cx = area.left + TICK_X, cy = area.top + TICK_Y;
    cairo_arc(cr, cx, cy, 12.5, 0, 2 * M_PI);
    set_colour(cr, palette::ink, 0.9);
    cairo_fill(cr);
    cairo_arc(cr, cx, cy, 12.5, 0, 2 * M_PI);
    set_colour(cr, palette::mist, 0.6);
    cairo_set_line_width(cr, 1.2);
    cairo_stroke(cr);
}

void draw_form(cairo_t* cr) {
    TextStyle heading{Face::condensed_bold, 16, palette::amber};
    heading.outline = 1;
    heading.spacing = 2;
    draw_text(cr, "TASK", 470, 30, Align::right, heading);
    draw_caption(cr, "LIST TITLE", TITLE_BOX.left + 2, 34);
    draw_button(cr, box_of(SET_TITLE), "SET", Tone::amber);
    draw_caption(cr, "DESCRIPTION", DESCRIPTION_BOX.left + 2, 104);
    for (const Rect& r : {TITLE_BOX, DESCRIPTION_BOX, DATE_BOX, TIME_BOX, REPEAT_BOX, MINUTES_BOX})
        draw_field(cr, box_of(r));
    draw_caption(cr, "DATE", 90, 179, Align::right);
    draw_caption(cr, "TIME", 90, 230, Align::right);
    draw_caption(cr, "REPEAT", 90, 281, Align::right);
    draw_caption(cr, "CLICK TO CHANGE", REPEAT_BOX.left + 2, 301, Align::left, 10);
    draw_caption(cr, "WARN MINUTES", MINUTES_BOX.right + 8, 281);
    draw_caption(cr, "BEFORE", MINUTES_BOX.right + 8, 294, Align::left, 10);
    tick_socket(cr, DONE_TICK);
    tick_socket(cr, ALARM_TICK);
    draw_caption(cr, "DONE", 285, 178);
    draw_caption(cr, "ALARM", 285, 228);
    draw_button(cr, box_of(ADD), "ADD", Tone::amber);
    draw_button(cr, box_of(DELETE), "DELETE", Tone::coral);
    draw_button(cr, box_of(UPDATE), "UPDATE", Tone::amber);
    draw_button(cr, box_of(CLOSE), "CLOSE", Tone::slate);
    draw_field(cr, box_of(CLOCK));
}

} // namespace

Art art_task_editor() {
    Canvas canvas(512, 512);
    draw_backdrop(canvas.cr);
    draw_form(canvas.cr);
    return canvas.finish(IMAGE_TODO_EDIT.name, {{"title", TITLE_BOX},
                                                {"set title", SET_TITLE},
                                                {"description", DESCRIPTION_BOX},
                                                {"date", DATE_BOX},
                                                {"done", DONE_TICK},
                                                {"time", TIME_BOX},
                                                {"alarm", ALARM_TICK},
                                                {"repeat", REPEAT_BOX},
                                                {"minutes", MINUTES_BOX},
                                                {"add", ADD},
                                                {"delete", DELETE},
                                                {"update", UPDATE},
                                                {"close", CLOSE},
                                                {"clock", CLOCK}});
}
