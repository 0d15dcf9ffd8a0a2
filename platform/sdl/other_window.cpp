// Another running copy's window brought to the front through the X server's window manager: the
// windows it manages are listed on the root window, each with the id of its process (SDL gives
// every window it makes _NET_WM_PID).
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <vector>

#include "platform/window.h"

namespace platform {

namespace {

// The values of a window's 32-bit property of the given type, read into values (at most size);
// returns how many were read.
unsigned long read_property(Display* display, ::Window window, Atom property, Atom type,
                            long* values, long size) {
    Atom actual_type;
    int format;
    unsigned long count = 0, after;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, property, 0, size, False, type, &actual_type, &format,
                           &count, &after, &data) != Success)
        return 0;
    if (actual_type != type || format != 32) count = 0;
    for (unsigned long i = 0; i < count; ++i) values[i] = reinterpret_cast<long*>(data)[i];
    if (data) XFree(data);
    return count;
}

} // namespace

bool window_raise_other(long pid) {
    if (pid <= 0) return false;
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    const ::Window root = DefaultRootWindow(display);
    // Only a window manager that follows the desktop conventions lists its windows; without one
    // nothing would take the request.
    const Atom clients = XInternAtom(display, "_NET_CLIENT_LIST", True);
    const Atom process = XInternAtom(display, "_NET_WM_PID", True);
    const Atom active = XInternAtom(display, "_NET_ACTIVE_WINDOW", True);
    bool raised = false;
    if (clients != None && process != None && active != None) {
        std::vector<long> windows(4096);
        const unsigned long count =
            read_property(display, root, clients, XA_WINDOW, windows.data(), windows.size());
        for (unsigned long i = 0; i < count && !raised; ++i) {
            long owner = 0;
            const ::Window window = static_cast<::Window>(windows[i]);
            if (read_property(display, window, process, XA_CARDINAL, &owner, 1) != 1 ||
                owner != pid)
                continue;
            // The player asked for it by starting the game: the request says it comes from the
            // user (source 2), which window managers do not refuse as a theft of the focus.
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = active;
            event.xclient.format = 32;
            event.xclient.data.l[0] = 2;
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent(display, root, False, SubstructureRedirectMask | SubstructureNotifyMask,
                       &event);
            raised = true;
        }
    }
    XCloseDisplay(display); // sends the request
    return raised;
}

} // namespace platform
