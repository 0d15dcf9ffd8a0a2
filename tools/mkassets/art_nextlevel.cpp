// "img\nextlevel.tga": the overlay of the next-level screen. The screen draws its figures (at
// scale 0.65, 16 pixels high) into the slots laid out here and its two buttons act on the
// rectangles given below.
#include "gfx/images.h"
#include "tools/mkassets/art.h"

namespace {

using platform::Rect;

// The slots behind the figures: each starts a little left of and above where the figure is
// drawn (x, y is the figure's top-left corner, or its top centre for the centred ones).
constexpr Rect TIME_SLOT{192, 95, 292, 121};         // play time counted down, at (200, 100)
constexpr Rect ERRORS_SLOT{192, 165, 292, 191};      // mistakes counted down, at (200, 170)
constexpr Rect TIME_BONUS_SLOT{367, 95, 467, 121};   // at (375, 100)
constexpr Rect ACCURACY_SLOT{367, 165, 467, 191};    // at (375, 170)
constexpr Rect TOTAL_SLOT{367, 222, 467, 248};       // at (375, 227)
constexpr Rect LEVEL_BONUS_SLOT{190, 304, 320, 332}; // centred on x 255 from y 310
constexpr Rect SCORE_SLOT{150, 373, 360, 403};       // centred on x 255 from y 380
constexpr Rect NEXT_LEVEL_SLOT{298, 449, 344, 476};  // the next level's number, at (300, 453)
constexpr Rect SAVE_STOP{50, 450, 150, 475};
constexpr Rect PLAY_ON{200, 450, 300, 475};

void slot(cairo_t* cr, const Rect& r) {
    draw_field(cr, box_of(r));
}

} // namespace

Art art_next_level() {
    Canvas canvas(512, 512);
    cairo_t* cr = canvas.cr;
    draw_panel(cr, {26, 14, 460, 488}, 16, 0.8);
    TextStyle heading{Face::condensed_bold, 30, palette::amber};
    heading.outline = 1.5;
    heading.shadow = 2;
    heading.spacing = 1.5;
    draw_text(cr, "LEVEL COMPLETE", 256, 56, Align::centre, heading);
    draw_caption(cr, "THIS LEVEL", 242, 86, Align::centre);
    draw_caption(cr, "BONUS", 417, 86, Align::centre);

    const TextStyle row{Face::condensed_bold, 16, palette::cream};
    draw_text(cr, "TIME", 180, 114, Align::right, row);
    draw_text(cr, "MISTAKES", 180, 184, Align::right, row);
    for (const Rect& r : {TIME_SLOT, ERRORS_SLOT, TIME_BONUS_SLOT, ACCURACY_SLOT, TOTAL_SLOT})
        slot(cr, r);
    // Arrows from each result to the bonus it earns.
    for (double y : {108.0, 178.0}) {
        cairo_move_to(cr, 304, y);
        cairo_line_to(cr, 352, y);
        cairo_move_to(cr, 346, y - 5);
        cairo_line_to(cr, 354, y);
        cairo_line_to(cr, 346, y + 5);
        set_colour(cr, palette::mist, 0.7);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    draw_caption(cr, "TIME BONUS", 417, 134, Align::centre, 11);
    draw_caption(cr, "ACCURACY BONUS", 417, 204, Align::centre, 11);
    // The sum line above the level's total.
    cairo_rectangle(cr, 367, 212, 100, 1.5);
    set_colour(cr, palette::mist, 0.7);
    cairo_fill(cr);
    draw_text(cr, "LEVEL TOTAL", 355, 241, Align::right, row);

    draw_caption(cr, "LEVEL BONUS", 255, 298, Align::centre, 13);
    slot(cr, LEVEL_BONUS_SLOT);
    TextStyle score{Face::condensed_bold, 20, palette::amber};
    score.outline = 1;
    score.spacing = 3;
    draw_text(cr, "SCORE", 255, 366, Align::centre, score);
    slot(cr, SCORE_SLOT);
    rounded_rect(cr, inset(box_of(SCORE_SLOT), -1.5), 5);
    set_colour(cr, palette::amber, 0.8);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);

    draw_button(cr, box_of(SAVE_STOP), "SAVE & STOP", Tone::slate);
    draw_button(cr, box_of(PLAY_ON), "PLAY LEVEL", Tone::amber);
    slot(cr, NEXT_LEVEL_SLOT);
    return canvas.finish(IMAGE_NEXT_LEVEL.name, {{"time", TIME_SLOT},
                                                 {"mistakes", ERRORS_SLOT},
                                                 {"time bonus", TIME_BONUS_SLOT},
                                                 {"accuracy bonus", ACCURACY_SLOT},
                                                 {"level total", TOTAL_SLOT},
                                                 {"level bonus", LEVEL_BONUS_SLOT},
                                                 {"score", SCORE_SLOT},
                                                 {"next level", NEXT_LEVEL_SLOT},
                                                 {"save and stop", SAVE_STOP},
                                                 {"play on", PLAY_ON}});
}
