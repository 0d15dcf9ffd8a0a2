// The system pointer's desktop position, asked of the X server itself where the window is on one.
#include "platform/sdl/sdl_backend.h"

#include <SDL_syswm.h>
#include <X11/Xlibint.h> // last: it defines min and max

namespace platform::sdl {

namespace {

// Whether the server told of pointer motion since the last question. The pointer moves only with
// such events, so the question, a round trip that wakes the process, is asked only after one.
bool moved = true; // the game reads the connection on one thread only
int known_x = 0, known_y = 0;
Display* watched = nullptr;
constexpr int MOTION_EVENTS[] = {MotionNotify, EnterNotify, LeaveNotify};
Bool (*passed_on[LASTEvent])(Display*, XEvent*, xEvent*) = {};

Bool note_motion(Display* display, XEvent* event, xEvent* wire) {
    moved = true;
    return passed_on[wire->u.u.type & 0x7F](display, event, wire);
}

// Where SDL listens to the input extension, the window's pointer events come from it instead.
Bool (*input_passed_on)(Display*, XGenericEventCookie*, xEvent*) = nullptr;
Bool note_input(Display* display, XGenericEventCookie* cookie, xEvent* wire) {
    moved = true;
    return input_passed_on ? input_passed_on(display, cookie, wire) : False;
}

// Every pointer event read from the connection passes here on its way to the event queue,
// whoever reads it.
void watch_motion(Display* display) {
    if (watched == display) return;
    watched = display;
    moved = true;
    int input = 0, first_event, first_error;
    const bool extension =
        XQueryExtension(display, "XInputExtension", &input, &first_event, &first_error);
    XLockDisplay(display);
    for (int type : MOTION_EVENTS) passed_on[type] = XESetWireToEvent(display, type, note_motion);
    if (extension) input_passed_on = XESetWireToEventCookie(display, input, note_input);
    XUnlockDisplay(display);
}

} // namespace

void pointer_position(int& x, int& y) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (window && SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11) {
        Display* display = info.info.x11.display;
        watch_motion(display);
        XEventsQueued(display, QueuedAfterReading); // motion waiting on the connection counts
        ::Window root, child;
        int window_x, window_y;
        unsigned int buttons;
        if (!moved) {
            x = known_x;
            y = known_y;
            return;
        }
        moved = false;
        if (XQueryPointer(display, info.info.x11.window, &root, &child, &known_x, &known_y,
                          &window_x, &window_y, &buttons)) {
            x = known_x;
            y = known_y;
            return;
        }
        moved = true;
    }
    SDL_GetGlobalMouseState(&x, &y);
}

} // namespace platform::sdl
