// Images and sprites: the sprite draw, the image caches and the character-set sheet's pieces.
#include "gfx/sprites.h"

#include "platform/window.h"
#include "run/state.h"
#include "store/archive.h"

namespace {

constexpr int CELL_SIZE = 50;
constexpr int CELLS_PER_ROW = 10;

// In the order of LayerAnchor.
constexpr AnchorShift LAYER_ANCHORS[] = {{0, 0}, {0.5f, 0.5f}, {1, 0.5f}, {0.5f, 0}, {0, 0.5f}};
// In the order of CellAnchor.
constexpr AnchorShift CELL_ANCHORS[] = {{0, 0}, {0.5f, 0.5f}, {0.5f, 1}, {0.5f, 0}};

// Loads the entry into the cache when id is new. The id is taken before the load, so an entry that
// fails is reported once and the cache keeps what it had (or nothing, when decoding failed).
void cache_image(ImageCache& cache, int id, const char* name) {
    if (id == cache.id) return;
    cache.id = id;
    cache.name = name;
    release_dense(cache.dense);
    if (loadtexture(platform::asset_path(ARCHIVE_FILE).c_str(), name, &cache.texture) < 0)
        platform::message_box(name, "game_DisplayLayer()", platform::MB_OK);
}

// The texture that draws an image sharpest in this frame: its drawing at the frame's density,
// loaded the first time it is wanted, or the 1x texture (stretched) where the archive has none.
platform::Texture* at_density(platform::Texture* texture, DenseTextures& dense, const char* name) {
    const int density = platform::render_density();
    if (texture == nullptr || density == 1) return texture;
    const int i = density - 2;
    if (!dense.tried[i]) {
        dense.tried[i] = true;
        loadtexture(platform::asset_path(ARCHIVE_FILE).c_str(), dense_entry(name, density).c_str(),
                    &dense.at[i], density);
    }
    return dense.at[i] != nullptr ? dense.at[i] : texture;
}

// The character sheet and the cached images are drawn from their drawings at the frame's density;
// other textures as they are.
platform::Texture* sharpest(platform::Texture* texture) {
    if (texture == charset_texture) return at_density(texture, charset_dense, IMAGE_CHARSET.name);
    for (ImageCache* cache : {&region_cache, &layer_cache})
        if (texture == cache->texture) return at_density(texture, cache->dense, cache->name);
    return texture;
}

} // namespace

uint32_t opacity_color(float opacity) {
    uint32_t alpha = static_cast<uint32_t>(static_cast<int>(opacity / OPAQUE * 255));
    return (alpha & 0xFF) << 24 | 0xFFFFFF;
}

CellDraw sheet_cell(const platform::Rect& region, float x, float y) {
    return {.x = x,
            .y = y,
            .left = region.left,
            .top = region.top,
            .right = region.right,
            .bottom = region.bottom};
}

void draw_sheet_region(const platform::Rect& region, float x, float y, float scale,
                       CellAnchor anchor) {
    CellDraw cell = sheet_cell(region, x, y);
    cell.scale_x = cell.scale_y = scale;
    cell.anchor = anchor;
    game_DisplayCell(cell);
}

void fade_in(float& opacity) {
    if (opacity < OPAQUE)
        opacity += 0.3f * frame_step;
    else
        opacity = OPAQUE;
}

void draw_screen_image(float opacity, const Image& image) {
    game_DisplayLayer(IMAGE_BACKGROUND, opacity);
    game_DisplayLayer(image, 100, 0, 0, 0, 0, 511, 511, 1, LayerAnchor::top_left);
}

void draw_sprite(platform::Texture* texture, const platform::Rect& source, float sx, float sy,
                 float cx, float cy, float angle, float tx, float ty, uint32_t color) {
    platform::render_sprite(
        {sharpest(texture), true, source, sx, sy, cx, cy, angle, tx, ty, color});
}

bool game_DisplayLayer(int id, const char* name, float opacity) {
    cache_image(layer_cache, id, name);
    platform::SpriteDraw draw;
    draw.texture = sharpest(layer_cache.texture);
    draw.color = opacity_color(opacity);
    platform::render_sprite(draw);
    return true;
}

bool game_DisplayLayer(int id, const char* name, float opacity, float x, float y, int left, int top,
                       int right, int bottom, float scale, LayerAnchor anchor) {
    cache_image(region_cache, id, name);
    if (region_cache.texture == nullptr) return false;
    const float w = static_cast<float>(right - left) * scale;
    const float h = static_cast<float>(bottom - top) * scale;
    float dx, dy;
    anchor_offset(LAYER_ANCHORS, anchor, w, h, dx, dy);
    draw_sprite(region_cache.texture, {left, top, right, bottom}, scale, scale, 0, 0, 0, x + dx,
                y + dy, opacity_color(opacity));
    return true;
}

void game_DisplayCell(const CellDraw& cell) {
    int left = cell.left, top = cell.top, right = cell.right, bottom = cell.bottom;
    if (right <= 0) {
        if (left < 0) return;
        left = CELL_SIZE * (cell.left % CELLS_PER_ROW);
        top = CELL_SIZE * (cell.left / CELLS_PER_ROW);
        right = left + CELL_SIZE;
        bottom = top + CELL_SIZE;
    }
    const float w = static_cast<float>(right - left) * cell.scale_x;
    const float h = static_cast<float>(bottom - top) * cell.scale_y;
    float dx, dy;
    anchor_offset(CELL_ANCHORS, cell.anchor, w, h, dx, dy);
    draw_sprite(charset_texture, {left, top, right, bottom}, cell.scale_x, cell.scale_y, w / 2,
                h / 2, cell.rotation * RADIANS_PER_DEGREE, cell.x + dx, cell.y + dy,
                opacity_color(cell.opacity));
}
