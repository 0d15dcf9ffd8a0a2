// The real device: an SDL renderer on the window drawing into a 512 x 512 back buffer that a
// present stretches over the client area; or, on the reference path, a software renderer off
// screen whose frames are copied to the window's surface. A frame is drawn only when its draws
// differ from the frame on the screen, shown again only when the window needs a fresh picture,
// and nothing is shown while the window is minimised or hidden.
#include <SDL.h>

#include "platform/common/sdl_draw.h"
#include "platform/renderer.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {
SDL_Renderer* renderer = nullptr;
SDL_Texture* target = nullptr;    // the back buffer on the window's renderer
SDL_Surface* reference = nullptr; // the back buffer on the reference path
bool repaint = true; // the window was shown, exposed, moved or resized since the last present

int watch_window(void*, SDL_Event* e) {
    if (e->type != SDL_WINDOWEVENT) return 0;
    switch (e->window.event) {
    case SDL_WINDOWEVENT_SHOWN:
    case SDL_WINDOWEVENT_EXPOSED:
    case SDL_WINDOWEVENT_MOVED:
    case SDL_WINDOWEVENT_SIZE_CHANGED:
    case SDL_WINDOWEVENT_RESTORED:
        repaint = true;
        break;
    default:
        break;
    }
    return 0;
}

// The renderer's part of device creation: without the player's choice, the first try is SDL's
// software renderer on the window's own surface. Measured, it draws a changed frame of the game
// well within a millisecond and keeps the game at 17 MB resident; an OpenGL renderer on Mesa's
// software OpenGL holds 102 MB (bench/desktop-measure). The second try is any renderer on the
// graphics card.
SDL_Renderer* window_renderer(DeviceType type) {
    const char* chosen = SDL_GetHint(SDL_HINT_RENDER_DRIVER); // SDL tries it first by itself
    Uint32 kind = type == DeviceType::software ? SDL_RENDERER_ACCELERATED
                  : chosen && *chosen          ? 0
                                               : SDL_RENDERER_SOFTWARE;
    return SDL_CreateRenderer(sdl::window, -1, kind | SDL_RENDERER_TARGETTEXTURE);
}

bool make_device(DeviceType type) {
    if (type == DeviceType::reference) {
        reference = SDL_CreateRGBSurfaceWithFormat(0, BACKBUFFER_W, BACKBUFFER_H, 32,
                                                   SDL_PIXELFORMAT_ARGB8888);
        renderer = reference ? SDL_CreateSoftwareRenderer(reference) : nullptr;
        return renderer && SDL_GetWindowSurface(sdl::window);
    }
    renderer = window_renderer(type);
    if (renderer)
        target = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                   BACKBUFFER_W, BACKBUFFER_H);
    return target && SDL_SetRenderTarget(renderer, target) == 0;
}

// Puts the back buffer on the window.
void show() {
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

} // namespace

namespace detail {
SDL_Renderer* backbuffer_renderer() {
    return renderer;
}
const bool DRAWS_AT_ONCE = false;
} // namespace detail

bool device_create(DeviceType type) {
    if (!make_device(type)) {
        device_release();
        return false;
    }
    // The window was made hidden, so that no renderer's needs make SDL replace a visible window.
    SDL_AddEventWatch(watch_window, nullptr);
    repaint = true;
    SDL_ShowWindow(sdl::window);
    return true;
}

void device_release() {
    SDL_DelEventWatch(watch_window, nullptr);
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

Presented render_present() {
    if (!renderer) return Presented::unseen;
    const bool changed = detail::frame_changed();
    const bool seen =
        !(SDL_GetWindowFlags(sdl::window) & (SDL_WINDOW_HIDDEN | SDL_WINDOW_MINIMIZED));
    if (seen && (changed || repaint)) {
        if (changed) {
            detail::draw_frame(renderer);
            detail::frame_shown();
        }
        show();
        repaint = false;
    }
    detail::frame_end();
    return !seen ? Presented::unseen : changed ? Presented::changed : Presented::unchanged;
}

} // namespace platform
