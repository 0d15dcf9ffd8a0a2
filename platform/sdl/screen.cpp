// Where the layout stands in the window: the largest square the client area holds, centred, in
// a window or at full screen.
#include <SDL.h>
#include <algorithm>

#include "platform/sdl/sdl_backend.h"
#include "platform/window.h"

namespace platform {

namespace sdl {

SDL_Rect layout_square(bool pixels) {
    int w = 0, h = 0;
    if (window && pixels)
        SDL_GetWindowSizeInPixels(window, &w, &h);
    else if (window)
        SDL_GetWindowSize(window, &w, &h);
    const int side = std::min(w, h);
    return {(w - side) / 2, (h - side) / 2, side, side};
}

} // namespace sdl

void window_set_fullscreen(bool on) {
    if (sdl::window) SDL_SetWindowFullscreen(sdl::window, on ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

} // namespace platform
