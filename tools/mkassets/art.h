// The images of the resource archive, one function for each, and the window icon.
#pragma once
#include <vector>

#include "tools/mkassets/paint.h"

// "img\chrset1.tga": the character sheet (board cells, font, digits, controls), 512 x 512.
Art art_charset();
// "img\startscnbkg.tga": the calm background of the start, next-level and options screens.
Art art_start_background();
// "img\startscreenchrset.tga": the title, the three start buttons and the web-link panel.
Art art_start_sheet();
// "img\nextlevel.tga": the next-level overlay with its captions and two buttons.
Art art_next_level();
// "img\dialogs.tga": the name box, 170 x 85.
Art art_dialogs();
// "img\optionscreen.tga": the options overlay.
Art art_options();
// "img\todoedit.tga": the task editor's form.
Art art_task_editor();
// Every image of the archive, in the order they are stored, drawn at the density (1, 2 or 3).
std::vector<Art> archive_art(int density = 1);

// The window icon, a square of the given size (no archive entry).
Art art_icon(int size);

// The character sheet is drawn by four modules into one context, each adding its regions.
void draw_sheet_cells(cairo_t* cr, std::vector<Region>& regions);
void draw_sheet_glyphs(cairo_t* cr, std::vector<Region>& regions);
void draw_sheet_controls(cairo_t* cr, std::vector<Region>& regions);
void draw_sheet_play(cairo_t* cr, std::vector<Region>& regions);
void draw_sheet_hint(cairo_t* cr, std::vector<Region>& regions);
// A control's plate, as the notes switch has it: dark, or on filled amber like the selection.
Box draw_switch_plate(cairo_t* cr, const platform::Rect& r, bool on);
// A round lamp centred at (cx, cy): a dark rim of the radius around its glass.
void draw_lamp(cairo_t* cr, double cx, double cy, double radius, double glass_radius, Colour glass);

// The seven board themes: their names (shown on the options screen) and a tile of each.
constexpr int THEME_COUNT = 7;
extern const char* const THEME_NAMES[THEME_COUNT];
void draw_tile(cairo_t* cr, Box cell, int theme, bool given);
// The selection frame of a cell: an amber ring, open in the middle.
void draw_selection_frame(cairo_t* cr, Box cell);
