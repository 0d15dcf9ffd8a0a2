// The system pointer's desktop position, asked of the X server itself where the window is on one.
#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/sdl/sdl_backend.h"

namespace platform::sdl {

void pointer_position(int& x, int& y) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        ::Window root, child;
        int window_x, window_y;
        unsigned int buttons;
        if (XQueryPointer(info.info.x11.display, info.info.x11.window, &root, &child, &x, &y,
                          &window_x, &window_y, &buttons))
            return;
    }
    SDL_GetGlobalMouseState(&x, &y);
}

} // namespace platform::sdl
