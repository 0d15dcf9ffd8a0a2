// The real device: an SDL renderer on the window drawing into a 512 x 512 back buffer that every
// present stretches over the client area; or, on the reference path, a software renderer off
// screen whose frames are copied to the window's surface.
#include <SDL.h>

#include "platform/common/sdl_draw.h"
#include "platform/renderer.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {
SDL_Renderer* renderer = nullptr;
SDL_Texture* target = nullptr;    // the back buffer on the window's renderer
SDL_Surface* reference = nullptr; // the back buffer on the reference path
} // namespace

namespace detail {
SDL_Renderer* backbuffer_renderer() {
    return renderer;
}
void note_clear() {}
void note_sprite(const SpriteDraw&) {}
} // namespace detail

bool device_create(DeviceType type) {
    if (type == DeviceType::reference) {
        reference = SDL_CreateRGBSurfaceWithFormat(0, BACKBUFFER_W, BACKBUFFER_H, 32,
                                                   SDL_PIXELFORMAT_ARGB8888);
        renderer = reference ? SDL_CreateSoftwareRenderer(reference) : nullptr;
        if (renderer && SDL_GetWindowSurface(sdl::window)) return true;
        device_release();
        return false;
    }
    Uint32 flags =
        SDL_RENDERER_TARGETTEXTURE |
        (type == DeviceType::hardware ? SDL_RENDERER_ACCELERATED : SDL_RENDERER_SOFTWARE);
    renderer = SDL_CreateRenderer(sdl::window, -1, flags);
    if (renderer)
        target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                   BACKBUFFER_W, BACKBUFFER_H);
    if (target && SDL_SetRenderTarget(renderer, target) == 0) return true;
    device_release();
    return false;
}

void device_release() {
    if (target) SDL_DestroyTexture(target);
    if (renderer) SDL_DestroyRenderer(renderer);
    if (reference) SDL_FreeSurface(reference);
    target = nullptr;
    renderer = nullptr;
    reference = nullptr;
}

void backbuffer_size(unsigned& w, unsigned& h) {
    w = BACKBUFFER_W;
    h = BACKBUFFER_H;
}

void render_present() {
    if (!renderer) return;
    if (reference) {
        SDL_RenderFlush(renderer);
        SDL_Surface* screen = SDL_GetWindowSurface(sdl::window);
        if (screen && SDL_BlitScaled(reference, nullptr, screen, nullptr) == 0)
            SDL_UpdateWindowSurface(sdl::window);
        return;
    }
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderCopy(renderer, target, nullptr, nullptr);
    SDL_RenderPresent(renderer);
    SDL_SetRenderTarget(renderer, target);
}

} // namespace platform
