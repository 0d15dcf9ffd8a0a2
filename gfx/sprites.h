// Images and sprites: the sprite draw, the two one-image caches of archive images, and pieces of
// the character-set sheet.
#pragma once
#include <cstdint>

#include "gfx/images.h"
#include "platform/renderer.h"
#include "run/state.h"

constexpr float RADIANS_PER_DEGREE = 0.017453292f;
constexpr uint32_t OPAQUE_WHITE = 0xFFFFFFFF;

// Anchors: which point of a drawn rectangle the given position names. Each drawing operation has
// its own; an anchor's value is its place in that operation's table of shifts.
enum class LayerAnchor { top_left, centre, right_middle, top_middle, left_middle };
enum class CellAnchor { top_left, centre, bottom_middle, top_middle };

// Where an anchor lies, as the fractions of the drawn width and height to move left and up.
struct AnchorShift {
    float x, y;
};

// The offset from the anchor point to the top-left corner of a drawn w x h rectangle; anchors
// outside the table name the top-left corner.
template <int N, typename Anchor>
void anchor_offset(const AnchorShift (&table)[N], Anchor anchor, float w, float h, float& dx,
                   float& dy) {
    const int i = static_cast<int>(anchor);
    const AnchorShift shift = i >= 0 && i < N ? table[i] : AnchorShift{0, 0};
    dx = -shift.x * w;
    dy = -shift.y * h;
}

// Opacities are percentages: OPAQUE draws a picture whole.
constexpr float OPAQUE = 100;
// White with alpha = opacity / 100 * 255, truncated.
uint32_t opacity_color(float opacity);

// The sprite draw every picture goes through: the source rectangle of the texture scaled by
// (sx, sy), rotated by angle (radians) about (cx, cy), moved by (tx, ty), tinted by color, all in
// layout pixels. The character sheet and the cached images are drawn from their drawings at the
// frame's density.
void draw_sprite(platform::Texture* texture, const platform::Rect& source, float sx, float sy,
                 float cx, float cy, float angle, float tx, float ty, uint32_t color);

// Draws the whole image of archive entry name (cached under id) at (0, 0); always true. A change
// of id loads the entry; a failed load shows one "game_DisplayLayer()" box and is not retried.
bool game_DisplayLayer(int id, const char* name, float opacity);
// Draws the rectangle (left, top, right, bottom) of the image cached under id, scaled by scale and
// placed by anchor at (x, y); false when the cache holds no image.
bool game_DisplayLayer(int id, const char* name, float opacity, float x, float y, int left, int top,
                       int right, int bottom, float scale, LayerAnchor anchor);
// The same two forms for an image of the table.
inline bool game_DisplayLayer(const Image& image, float opacity) {
    return game_DisplayLayer(image.id, image.name, opacity);
}
inline bool game_DisplayLayer(const Image& image, float opacity, float x, float y, int left,
                              int top, int right, int bottom, float scale, LayerAnchor anchor) {
    return game_DisplayLayer(image.id, image.name, opacity, x, y, left, top, right, bottom, scale,
                             anchor);
}
// A piece of the character-set sheet to draw: the rectangle (left, top, right, bottom) or, with
// right <= 0, the 50 x 50 cell number left (ten to a row; a negative one draws nothing), scaled,
// rotated by rotation degrees about the drawn centre and placed by anchor at (x, y).
struct CellDraw {
    float x = 0, y = 0;
    int left = 0, top = 0, right = 0, bottom = 0;
    float opacity = OPAQUE;
    float scale_x = 1, scale_y = 1;
    CellAnchor anchor = CellAnchor::top_left;
    float rotation = 0;
};
void game_DisplayCell(const CellDraw& cell);
// A rectangle of the sheet placed at (x, y), the rest as CellDraw's defaults, for the caller to
// change what it needs.
CellDraw sheet_cell(const platform::Rect& region, float x, float y);
// A rectangle of the sheet at one scale both ways, placed by anchor at (x, y): the screens'
// controls, which grow while hovered.
void draw_sheet_region(const platform::Rect& region, float x, float y, float scale,
                       CellAnchor anchor);

// One frame of a screen's fade-in: the opacity grows by 0.3 x frame_step (about 1.7 seconds from
// 0) and settles at exactly 100.
void fade_in(float& opacity);
// A screen drawn whole: the background at the fade's opacity and the screen's own 512 x 512 image
// over it.
void draw_screen_image(float opacity, const Image& image);
