// The real device: an SDL renderer on the window drawing into a back buffer of the 512 x 512
// layout at the frame's density that a present stretches over the largest square of the client
// area, on black; or, on the reference path, a software renderer off screen at density 1 whose
// frames are copied to the window's surface. A frame is drawn only when its draws differ from the
// frame on the screen, shown again only when the window needs a fresh picture, and nothing is
// shown while the window is minimised or hidden.
#include <SDL.h>

#include "platform/common/sdl_draw.h"
#include "platform/renderer.h"
#include "platform/sdl/sdl_backend.h"

namespace platform {

namespace {
SDL_Renderer* renderer = nullptr;
SDL_Surface* reference = nullptr; // the back buffer's pixels on the reference path
bool repaint = true; // the window was shown, exposed, moved or resized since the last present
// SDL's software renderer draws on the window's own surface, which keeps its pixels between
// presents; a renderer on the graphics card may hand back any buffer after a present.
bool keeps_pixels = false;

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
        return renderer && detail::backbuffer_at(renderer, 1) && SDL_GetWindowSurface(sdl::window);
    }
    renderer = window_renderer(type);
    SDL_RendererInfo info{};
    keeps_pixels = renderer && SDL_GetRendererInfo(renderer, &info) == 0 &&
                   (info.flags & SDL_RENDERER_SOFTWARE);
    return renderer && detail::backbuffer_at(renderer, 1);
}

// The parts of the client area beside the square the layout is shown in.
int margins(const SDL_Rect& square, SDL_Rect* out) {
    int w = 0, h = 0;
    SDL_GetWindowSizeInPixels(sdl::window, &w, &h);
    int n = 0;
    if (square.x > 0) out[n++] = {0, 0, square.x, h};
    if (square.x + square.w < w) out[n++] = {square.x + square.w, 0, w - square.x - square.w, h};
    if (square.y > 0) out[n++] = {0, 0, w, square.y};
    if (square.y + square.h < h) out[n++] = {0, square.y + square.h, w, h - square.y - square.h};
    return n;
}

// Sends only the part of the back buffer a frame painted again to a window that keeps its pixels
// and shows the back buffer pixel for pixel (a cut of a stretched copy would sample differently):
// a clock's new second converts and sends under a thousand pixels, not the whole window. Returns
// false when the whole back buffer must be shown.
bool show_part(const SDL_Rect& square, const SDL_Rect& part) {
    int w = 0;
    if (!keeps_pixels || repaint ||
        SDL_QueryTexture(detail::backbuffer_texture(), nullptr, nullptr, &w, nullptr) != 0 ||
        w != square.w)
        return false;
    if (SDL_RectEmpty(&part)) return true;
    const SDL_Rect into{square.x + part.x, square.y + part.y, part.w, part.h};
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_RenderCopy(renderer, detail::backbuffer_texture(), &part, &into);
    SDL_RenderFlush(renderer); // the software renderer's present updates the whole window surface
    SDL_UpdateWindowSurfaceRects(sdl::window, &into, 1);
    SDL_SetRenderTarget(renderer, detail::backbuffer_texture());
    return true;
}

// Puts the back buffer on the window, in the largest square the client area holds, on black;
// after a changed frame, only the part it painted again where the window allows.
void show(const SDL_Rect& part) {
    const SDL_Rect square = sdl::layout_square(true);
    if (!reference && show_part(square, part)) return;
    SDL_Rect bars[4];
    const int bar_count = margins(square, bars);
    if (reference) {
        SDL_Surface* screen = SDL_GetWindowSurface(sdl::window);
        if (!screen || SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888,
                                            reference->pixels, reference->pitch) != 0)
            return;
        SDL_FillRects(screen, bars, bar_count, SDL_MapRGB(screen->format, 0, 0, 0));
        SDL_Rect into = square;
        if (SDL_BlitScaled(reference, nullptr, screen, &into) == 0)
            SDL_UpdateWindowSurface(sdl::window);
        return;
    }
    SDL_SetRenderTarget(renderer, nullptr);
    SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
    SDL_RenderFillRects(renderer, bars, bar_count);
    SDL_RenderCopy(renderer, detail::backbuffer_texture(), nullptr, &square);
    SDL_RenderPresent(renderer);
    SDL_SetRenderTarget(renderer, detail::backbuffer_texture());
}

} // namespace

namespace detail {
SDL_Renderer* backbuffer_renderer() {
    return renderer;
}
int shown_side() {
    return reference ? BACKBUFFER_W : sdl::layout_square(true).w;
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
    detail::backbuffer_release();
    if (renderer) SDL_DestroyRenderer(renderer);
    if (reference) SDL_FreeSurface(reference);
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
        SDL_Rect part{};
        if (changed) {
            part = detail::draw_frame(renderer);
            detail::frame_shown();
        }
        show(part);
        repaint = false;
    }
    detail::frame_end();
    return !seen ? Presented::unseen : changed ? Presented::changed : Presented::unchanged;
}

} // namespace platform
