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

void draw_frame(SDL_Renderer* r) {
    if (!backbuffer_at(r, current.density)) return;
    paint_clear(r, current.clear);
    for (const SpriteDraw& d : current.draws) paint_sprite(r, d, current.density);
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
