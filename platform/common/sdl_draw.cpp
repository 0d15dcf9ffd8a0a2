// Sprite draws, clearing and TGA textures on the SDL renderer holding the back buffer.
#include <SDL_image.h>
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/common/sdl_draw.h"

namespace platform {

void render_clear(uint32_t argb) {
    detail::note_clear();
    SDL_Renderer* r = detail::backbuffer_renderer();
    if (!r) return;
    SDL_SetRenderDrawColor(r, (argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, argb >> 24);
    SDL_RenderClear(r);
}

void render_sprite(const SpriteDraw& d) {
    detail::note_sprite(d);
    SDL_Renderer* r = detail::backbuffer_renderer();
    if (!r || !d.texture) return;
    SDL_Rect src{0, 0, d.texture->w, d.texture->h};
    if (d.has_source)
        src = {d.source.left, d.source.top, d.source.right - d.source.left,
               d.source.bottom - d.source.top};
    if (src.w <= 0 || src.h <= 0) return;
    // A negative scale mirrors the image about the translation point: SDL draws the mirrored
    // rectangle with a flip, and the rotation centre is measured from its new left or top edge.
    float w = src.w * d.sx, h = src.h * d.sy;
    SDL_FRect dst{d.tx, d.ty, std::fabs(w), std::fabs(h)};
    SDL_FPoint centre{d.cx, d.cy};
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

namespace {

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

Texture* texture_from_tga(const void* bytes, size_t size) {
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
    return new Texture{t, w, h};
}

void texture_release(Texture* texture) {
    if (!texture) return;
    SDL_DestroyTexture(texture->texture);
    delete texture;
}

void texture_size(const Texture* texture, int& w, int& h) {
    w = texture ? texture->w : 0;
    h = texture ? texture->h : 0;
}

} // namespace platform
