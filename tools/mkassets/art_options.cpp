// "img\optionscreen.tga": the options overlay. The screen draws the player list into the frame
// (rows 20 pixels apart from y 50), the theme samples into the theme column, its marker over the
// remove box or a theme row and a tick in one of the puzzle boxes, and acts on the remove box,
// the puzzle boxes (with their labels) and the two buttons given below.
#include "gfx/images.h"
#include "tools/mkassets/art.h"

namespace {

using platform::Rect;

constexpr Rect LIST_FRAME{58, 21, 454, 274};
constexpr int LIST_TOP = 50, LIST_ROW = 20, LIST_ROWS = 10;
constexpr Rect REMOVE_BOX{245, 276, 261, 290};
constexpr Rect THEMES{25, 325, 75, 500}; // two 25-pixel samples a row, seven rows
constexpr Rect CONFIRM{350, 475, 415, 500};
constexpr Rect BACK{450, 475, 485, 500};
// Designed, then classic puzzles; each box's label reaches to the right edge given.
constexpr Rect PUZZLE_BOXES[2] = {{262, 451, 278, 465}, {372, 451, 388, 465}};
constexpr int PUZZLE_LABEL_RIGHT[2] = {350, 450};

void draw_list_frame(cairo_t* cr) {
    draw_panel(cr, box_of(LIST_FRAME), 12, 0.78);
    // Every other row a shade lighter, so a row reads across from name to level bar.
    for (int row = 0; row < LIST_ROWS; row += 2) {
        const double y = LIST_TOP + row * LIST_ROW - 2;
        cairo_rectangle(cr, LIST_FRAME.left + 8, y, LIST_FRAME.right - LIST_FRAME.left - 16,
                        LIST_ROW);
        set_colour(cr, {1, 1, 1}, 0.04);
        cairo_fill(cr);
    }
    draw_caption(cr, "PLAYERS", LIST_FRAME.left + 12, 41, Align::left, 13);
    draw_caption(cr, "PICK ONE", LIST_FRAME.right - 12, 41, Align::right, 11);
}

// A sunken box for the screen's tick, rimmed in the colour given.
void draw_tick_box(cairo_t* cr, const Rect& box, Colour rim) {
    const Box socket = inset(box_of(box), -1.5);
    draw_field(cr, socket);
    rounded_rect(cr, inset(socket, -0.5), 4.5);
    set_colour(cr, rim);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
}

void draw_remove_box(cairo_t* cr) {
    draw_tick_box(cr, REMOVE_BOX, palette::coral);
    TextStyle label{Face::condensed_bold, 13, palette::coral};
    label.outline = 1;
    draw_text(cr, "REMOVE THIS PLAYER", REMOVE_BOX.right + 8, REMOVE_BOX.bottom - 2, Align::left,
              label);
}

void draw_theme_column(cairo_t* cr) {
    draw_panel(cr, {15, 300, 160, 206}, 12, 0.78);
    draw_caption(cr, "BOARD THEME", 23, 317, Align::left, 12);
    draw_field(cr, inset(box_of(THEMES), -2));
    const TextStyle name{Face::condensed_bold, 12, palette::cream};
    for (int theme = 0; theme < THEME_COUNT; ++theme)
        draw_text(cr, THEME_NAMES[theme], THEMES.right + 10, THEMES.top + 25 * theme + 17,
                  Align::left, name);
}

void draw_help(cairo_t* cr) {
    draw_panel(cr, {180, 318, 316, 122}, 12, 0.6);
    const char* const lines[] = {"PICK A PLAYER IN THE LIST,",
                                 "THEN A BOARD THEME ON THE LEFT,",
                                 "AND PRESS CONFIRM.",
                                 "",
                                 "TO DELETE THE PLAYER INSTEAD,",
                                 "TICK THE RED BOX FIRST."};
    double baseline = 344;
    for (const char* line : lines) {
        draw_caption(cr, line, 198, baseline, Align::left, 12);
        baseline += 17;
    }
}

// The puzzle mode row under the help: a caption and two tick boxes with their labels.
void draw_puzzle_modes(cairo_t* cr) {
    draw_panel(cr, {180, 446, 316, 24}, 8, 0.6);
    draw_caption(cr, "PUZZLES", 192, 463, Align::left, 12);
    const char* const names[2] = {"DESIGNED", "CLASSIC"};
    const TextStyle label{Face::condensed_bold, 12, palette::cream};
    for (int mode = 0; mode < 2; ++mode) {
        draw_tick_box(cr, PUZZLE_BOXES[mode], palette::amber);
        draw_text(cr, names[mode], PUZZLE_BOXES[mode].right + 8, PUZZLE_BOXES[mode].bottom - 2,
                  Align::left, label);
    }
}

} // namespace

Art art_options() {
    Canvas canvas(512, 512);
    cairo_t* cr = canvas.cr;
    TextStyle title{Face::condensed_bold, 17, palette::amber};
    title.outline = 1;
    title.spacing = 3;
    draw_text(cr, "OPTIONS", 256, 16, Align::centre, title);
    draw_list_frame(cr);
    draw_remove_box(cr);
    draw_theme_column(cr);
    draw_help(cr);
    draw_puzzle_modes(cr);
    draw_button(cr, box_of(CONFIRM), "CONFIRM", Tone::amber);
    draw_button(cr, box_of(BACK), "BACK", Tone::slate);
    return canvas.finish(IMAGE_OPTIONS.name,
                         {{"player list", {80, LIST_TOP, 430, LIST_TOP + LIST_ROW * LIST_ROWS}},
                          {"remove box", REMOVE_BOX},
                          {"themes", THEMES},
                          {"designed puzzles",
                           {PUZZLE_BOXES[0].left, PUZZLE_BOXES[0].top, PUZZLE_LABEL_RIGHT[0],
                            PUZZLE_BOXES[0].bottom}},
                          {"classic puzzles",
                           {PUZZLE_BOXES[1].left, PUZZLE_BOXES[1].top, PUZZLE_LABEL_RIGHT[1],
                            PUZZLE_BOXES[1].bottom}},
                          {"confirm", CONFIRM},
                          {"back", BACK}});
}
