// Bitmap-font text, numbers and clock times cut from the character-set sheet.
//
// The font is 25 x 25 glyphs, eight to a row from (0, 175) of the sheet; the digit strips are
// 20 x 24 digits from (50, 450) (others of the same shape at (50, 475) and (275, 450)); the clock
// colon is 9 x 24 at (125, 425). Each operation draws at once and returns the pen x after the last
// thing drawn, so a caller can carry on the line.
#pragma once

#include "gfx/sprites.h"

// Which point of a line's nominal box (byte count * advance wide) the position names.
enum class TextAnchor { top_left, centre, bottom_middle, top_right, bottom_left, bottom_right };
// Where a number stands: x is its left edge, its right edge or its centre, y its top; or (x, y) is
// its centre.
enum class NumberAlign { left_top, right_top, centre_top, centre };
// Where a clock time stands: x is its left edge, its right edge or its centre; y is its top.
enum class TimeAlign { left, right, centre };

// The font glyph a byte draws with character mapping on: letters of either case 0-25, digits
// 32-41, a few punctuation marks, and every other byte its own code.
int glyph_number(unsigned char c);

// A line of text to draw at (x, y), placed by anchor. The pen advances by advance * scale_x per
// byte. The glyph cells are cell_w x cell_h, columns to a row from (sheet_x, sheet_y): the sheet's
// font unless told otherwise. rotation (degrees) turns each glyph.
struct TextDraw {
    const char* text = "";
    float x = 0, y = 0;
    float advance = 15;
    float scale_x = 1, scale_y = 1;
    TextAnchor anchor = TextAnchor::top_left;
    float opacity = OPAQUE;
    float rotation = 0;
    int columns = 8, sheet_x = 0, sheet_y = 175, cell_w = 25, cell_h = 25;
};
// Draws the line and returns the pen x. "<" turns character mapping off (bytes are glyph numbers)
// and ">" back on; "_" toggles fixed width (the cell width less 0.6 per glyph); spaces advance
// without drawing.
float game_DisplayText(const TextDraw& line);
// Text in the sheet's font as the screens draw it: eight 25 x 25 glyphs to a row from (0, 175),
// opacity 100, the same scale across and down.
float game_DisplayFontText(const char* text, float advance, float x, float y, float scale,
                           TextAnchor anchor, float rotation = 0);
// Draws a number of at most nine digits (negative shows 0, above 999999999 shows 999999999) and
// returns the pen x. A negative strip_x or strip_y means the default strip (50, 450).
float game_DisplayNumber(int value, float scale, float x, float y, NumberAlign align, int strip_x,
                         int strip_y);
// Draws a tick count (60 a second) as hours:minutes:seconds and returns the pen x. Leading zero
// parts are left out; steady always shows the hours and a minute digit and keeps the second colon,
// which otherwise blinks off in the second half of every second.
float game_DisplayTime(int ticks, float scale, float x, float y, TimeAlign align, bool steady);
