// Time from a program's launch to its first picture: starts the command, then reads the whole
// screen again and again until at least three colours that were not there before show (a window
// filled with its background is one colour, a picture has several). Prints the milliseconds, or
// "-" after 10 s, then the program's id; the program is left running.
// Usage: first-picture COMMAND [ARGS...]   (bench/desktop-measure builds it: cc ... -lX11)
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// How many different colours the pixels that changed since `before` show, counted up to 3.
static int new_colours(XImage* now, XImage* before) {
    unsigned long seen[3];
    int count = 0;
    for (int y = 0; y < now->height; y += 2)
        for (int x = 0; x < now->width; x += 2) {
            const unsigned long p = XGetPixel(now, x, y);
            if (p == XGetPixel(before, x, y)) continue;
            int known = 0;
            for (int i = 0; i < count; ++i) known |= seen[i] == p;
            if (!known) seen[count++] = p;
            if (count == 3) return 3;
        }
    return count;
}

int main(int argc, char** argv) {
    Display* display = XOpenDisplay(NULL);
    if (!display || argc < 2) {
        fprintf(stderr, "usage: first-picture COMMAND [ARGS...] on an X display\n");
        return 1;
    }
    const Window root = DefaultRootWindow(display);
    const int w = DisplayWidth(display, 0), h = DisplayHeight(display, 0);
    XImage* before = XGetImage(display, root, 0, 0, w, h, AllPlanes, ZPixmap);
    const size_t bytes = (size_t)before->bytes_per_line * h;
    const double start = now_ms();
    const pid_t child = fork();
    if (child == 0) { // the program's own output is not the figure's
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    double shown = -1;
    while (now_ms() - start < 10000) {
        XImage* now = XGetImage(display, root, 0, 0, w, h, AllPlanes, ZPixmap);
        const double at = now_ms();
        const int changed = memcmp(now->data, before->data, bytes) != 0;
        const int found = changed && new_colours(now, before) >= 3;
        XDestroyImage(now);
        if (found) {
            shown = at - start;
            break;
        }
    }
    if (shown < 0)
        printf("-\n%d\n", (int)child);
    else
        printf("%.0f\n%d\n", shown, (int)child);
    return 0;
}
