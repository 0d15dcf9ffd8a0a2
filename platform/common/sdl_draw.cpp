// Sprite draws, clearing and TGA textures on the SDL renderer holding the back buffer, and the
// record of each frame's draws.
#include <SDL_image.h>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/common/sdl_draw.h"

namespace platform {

namespace {

detail::FrameDraws current, shown;
SDL_Texture* backbuffer = nullptr;
int backbuffer_density = 0;
bool shown_valid = false;
std::vector<Texture*> released; // released while the frame being made still draws them
uint64_t next_serial = 1;

void paint_clear(SDL_Renderer* r, uint32_t argb) {
    SDL_SetRenderDrawColor(r, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
    SDL_RenderClear(r);
}

// Draws in layout pixels on a back buffer of `density` pixels to each; the source rectangle is in
// layout pixels of the texture, which holds texture->density pixels to each.
void paint_sprite(SDL_Renderer* r, const SpriteDraw& d, int density) {
    if (!d.texture) return;
    const int k = d.texture->density;
    SDL_Rect src{0, 0, d.texture->w / k, d.texture->h / k};
    if (d.has_source)
        src = {d.source.left, d.source.top, d.source.right - d.source.left,
               d.source.bottom - d.source.top};
    if (src.w <= 0 || src.h <= 0) return;
    // A negative scale mirrors the image about the translation point: SDL draws the mirrored
    // rectangle with a flip, and the rotation centre is measured from its new left or top edge.
    float w = src.w * d.sx * density, h = src.h * d.sy * density;
    src = {src.x * k, src.y * k, src.w * k, src.h * k};
    SDL_FRect dst{d.tx * density, d.ty * density, std::fabs(w), std::fabs(h)};
    SDL_FPoint centre{d.cx * density, d.cy * density};
    int flip = SDL_FLIP_NONE;
    if (w < 0) {
        dst.x += w;
        centre.x -= w;
        flip |= SDL_FLIP_HORIZONTAL;
    }
    if (h < 0) {
        dst.y += h;
        centre.y -= h;
        flip |= SDL_FLIP_VERTICAL;
    }
    SDL_Texture* t = d.texture->texture;
    SDL_SetTextureColorMod(t, (d.color >> 16) & 0xFF, (d.color >> 8) & 0xFF, d.color & 0xFF);
    SDL_SetTextureAlphaMod(t, d.color >> 24);
    SDL_RenderCopyExF(r, t, &src, &dst, d.angle * (180.0 / M_PI), &centre,
                      static_cast<SDL_RendererFlip>(flip));
}

// Every field but the texture, which the serials compare.
bool same_draw(const SpriteDraw& a, const SpriteDraw& b) {
    const Rect &p = a.source, &q = b.source;
    return a.has_source == b.has_source && p.left == q.left && p.top == q.top &&
           p.right == q.right && p.bottom == q.bottom && a.sx == b.sx && a.sy == b.sy &&
           a.cx == b.cx && a.cy == b.cy && a.angle == b.angle && a.tx == b.tx && a.ty == b.ty &&
           a.color == b.color;
}

// The back buffer's pixels a draw can touch, a pixel wider all round; the whole buffer for a
// turned draw, and for one of a whole texture where the texture is not known to be alive (a draw
// of the frame shown: its texture may be gone, and its size with it).
SDL_Rect touched(const SpriteDraw& d, int density, const SDL_Rect& whole, bool alive) {
    if (d.angle != 0 || (!d.has_source && !(alive && d.texture))) return whole;
    const int k = d.has_source ? 1 : d.texture->density;
    const Rect source = d.has_source ? d.source : Rect{0, 0, d.texture->w / k, d.texture->h / k};
    const float w = static_cast<float>(source.right - source.left) * d.sx * density;
    const float h = static_cast<float>(source.bottom - source.top) * d.sy * density;
    const float x = d.tx * density, y = d.ty * density;
    const int left = static_cast<int>(std::floor(std::min(x, x + w))) - 1;
    const int top = static_cast<int>(std::floor(std::min(y, y + h))) - 1;
    return {left, top, static_cast<int>(std::ceil(std::max(x, x + w))) + 1 - left,
            static_cast<int>(std::ceil(std::max(y, y + h))) + 1 - top};
}

// Whether a draw cut by a clip paints the pixels inside it as the whole draw does: SDL's software
// renderer scales a cut draw from a cut source, which samples differently, so only a draw that
// puts each texture pixel on one back-buffer pixel, unturned, is cut exactly.
bool cuts_exactly(const SpriteDraw& d, int density) {
    return d.texture && d.angle == 0 && std::fabs(d.sx) * density == d.texture->density &&
           std::fabs(d.sy) * density == d.texture->density;
}

// The part of the back buffer to paint again for the frame being made: where the draws that differ
// lie in either frame (all of it when more than some draws' fields differ), grown to hold whole
// every draw over it that a clip would not cut exactly.
SDL_Rect changed_part() {
    const int d = current.density;
    const SDL_Rect whole{0, 0, BACKBUFFER_W * d, BACKBUFFER_H * d};
    if (!shown_valid || shown.density != d || shown.clear != current.clear ||
        shown.draws.size() != current.draws.size())
        return whole;
    SDL_Rect part{};
    for (size_t i = 0; i < current.draws.size(); ++i) {
        if (current.serials[i] == shown.serials[i] && same_draw(current.draws[i], shown.draws[i]))
            continue;
        const SDL_Rect now = touched(current.draws[i], d, whole, true);
        const SDL_Rect before = touched(shown.draws[i], d, whole, false);
        SDL_UnionRect(&part, &now, &part);
        SDL_UnionRect(&part, &before, &part);
    }
    for (bool grown = true; grown;) {
        grown = false;
        for (const SpriteDraw& draw : current.draws) {
            if (cuts_exactly(draw, d)) continue;
            const SDL_Rect r = touched(draw, d, whole, true);
            SDL_Rect both;
            if (!SDL_IntersectRect(&r, &part, &both) || SDL_RectEquals(&both, &r)) continue;
            SDL_UnionRect(&part, &r, &part);
            grown = true;
        }
    }
    SDL_IntersectRect(&part, &whole, &part);
    return part;
}

void destroy(Texture* texture) {
    SDL_DestroyTexture(texture->texture);
    delete texture;
}

// Whether the bytes could hold the image their TGA header claims. The decoder sets aside the whole
// picture before it reads a pixel, so a header claiming 60000 x 60000 pixels over a few bytes
// would ask for gigabytes. A run-length packet of 1 + depth bytes covers at most 128 pixels.
bool tga_fits(const uint8_t* header, size_t size) {
    constexpr size_t HEADER = 18, RUN = 128;
    if (size < HEADER) return false;
    const uint64_t width = header[12] | header[13] << 8, height = header[14] | header[15] << 8;
    const uint64_t pixels = width * height;
    const uint64_t depth = std::max(1, header[16] / 8);
    return pixels * depth <= RUN * (size - HEADER);
}

} // namespace

namespace detail {

const FrameDraws& frame() {
    return current;
}

bool backbuffer_at(SDL_Renderer* r, int density) {
    if (backbuffer && density == backbuffer_density) return true;
    backbuffer_release();
    backbuffer = SDL_CreateTexture(r, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                   BACKBUFFER_W * density, BACKBUFFER_H * density);
    backbuffer_density = density;
    return backbuffer && SDL_SetRenderTarget(r, backbuffer) == 0;
}

SDL_Texture* backbuffer_texture() {
    return backbuffer;
}

void backbuffer_release() {
    if (backbuffer) SDL_DestroyTexture(backbuffer);
    backbuffer = nullptr;
}

bool frame_changed() {
    return !shown_valid || current.density != shown.density || current.clear != shown.clear ||
           current.serials != shown.serials ||
           !std::equal(current.draws.begin(), current.draws.end(), shown.draws.begin(),
                       shown.draws.end(), same_draw);
}

void frame_shown() {
    shown = current;
    shown_valid = true;
}

SDL_Rect draw_frame(SDL_Renderer* r) {
    if (!backbuffer_at(r, current.density)) return {};
    // The back buffer keeps the frame shown: only the part that changes is painted again, so a
    // clock's new second does not paint the whole picture.
    const SDL_Rect part = changed_part();
    if (SDL_RectEmpty(&part)) return part;
    SDL_RenderSetClipRect(r, &part);
    const uint32_t argb = current.clear; // a clear would fill past the clip: the part is filled
    SDL_SetRenderDrawColor(r, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
    SDL_SetRenderDrawBlendMode(r, SDL_BLENDMODE_NONE);
    SDL_RenderFillRect(r, &part);
    for (const SpriteDraw& d : current.draws) {
        const SDL_Rect area = touched(d, current.density, part, true);
        if (SDL_HasIntersection(&area, &part)) paint_sprite(r, d, current.density);
    }
    SDL_RenderSetClipRect(r, nullptr);
    return part;
}

void frame_end() {
    for (Texture* t : released) destroy(t);
    released.clear();
}

void frames_reset() {
    frame_end();
    current.draws.clear();
    current.serials.clear();
    current.clear = 0xFF000000;
    shown_valid = false;
}

} // namespace detail

void render_clear(uint32_t argb) {
    // The density nearest the scale the layout is shown at: 1 up to a side of 767 pixels, 2 from
    // 768 (1.5 times the layout), 3 from 1280.
    constexpr int LAYOUT = BACKBUFFER_W;
    current.density = std::clamp((detail::shown_side() + LAYOUT / 2) / LAYOUT, 1, LARGEST_DENSITY);
    current.clear = argb;
    current.draws.clear();
    current.serials.clear();
    SDL_Renderer* r = detail::backbuffer_renderer();
    if (detail::DRAWS_AT_ONCE && r && detail::backbuffer_at(r, current.density))
        paint_clear(r, argb);
}

int render_density() {
    return current.density;
}

void render_sprite(const SpriteDraw& d) {
    // An empty source rectangle paints nothing (a bar at zero, say): it is no part of the frame,
    // so moving it does not make the frame new.
    if (d.has_source && (d.source.right <= d.source.left || d.source.bottom <= d.source.top))
        return;
    current.draws.push_back(d);
    current.serials.push_back(d.texture ? d.texture->serial : 0);
    SDL_Renderer* r = detail::backbuffer_renderer();
    if (detail::DRAWS_AT_ONCE && r) paint_sprite(r, d, current.density);
}

Texture* texture_from_tga(const void* bytes, size_t size, int density) {
    SDL_Renderer* r = detail::backbuffer_renderer();
    if (!r || !bytes || size == 0 || size > INT32_MAX) return nullptr;
    if (!tga_fits(static_cast<const uint8_t*>(bytes), size)) return nullptr;
    SDL_RWops* rw = SDL_RWFromConstMem(bytes, static_cast<int>(size));
    SDL_Surface* image = rw ? IMG_LoadTGA_RW(rw) : nullptr;
    if (rw) SDL_RWclose(rw);
    if (!image) return nullptr;
    SDL_Texture* t = SDL_CreateTextureFromSurface(r, image);
    int w = image->w, h = image->h;
    SDL_FreeSurface(image);
    if (!t) return nullptr;
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    return new Texture{t, w, h, std::max(density, 1), next_serial++};
}

void texture_release(Texture* texture) {
    if (!texture) return;
    // Where frames are drawn when shown, a texture the frame being made draws lives until then.
    if (!detail::DRAWS_AT_ONCE && std::ranges::count(current.serials, texture->serial) > 0)
        released.push_back(texture);
    else
        destroy(texture);
}

void texture_size(const Texture* texture, int& w, int& h) {
    w = texture ? texture->w : 0;
    h = texture ? texture->h : 0;
}

} // namespace platform
