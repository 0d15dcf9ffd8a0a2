// The mouse: reads, re-acquiring after the window comes back to the front, and button edges.
#include "input/mouse.h"

#include "platform/input.h"

Mouse mouse;

void Mouse::release() {
    if (device) platform::mouse_close();
    device = false;
}

Mouse::~Mouse() {
    release();
}

int Mouse::create() {
    release();
    if (int status = platform::mouse_open(); status != platform::INPUT_OK) return status;
    device = true;
    platform::mouse_acquire();
    x = y = wheel = dx = dy = dz = 0;
    read_ok = false;
    for (int i = 0; i < 3; ++i) button_memory[i] = button_pressed[i] = button_down[i] = false;
    return 0;
}

bool Mouse::poll() {
    if (!device) return false;
    platform::MouseRead state{};
    if (frozen) { // as a read that found nothing new
        if (!read_ok) return false;
        for (int i = 0; i < 3; ++i) state.buttons[i] = button_down[i] ? 0x80 : 0;
    } else if (platform::mouse_read(state) != platform::INPUT_OK) {
        read_ok = false;
        platform::mouse_acquire(); // one attempt a frame; the next poll tries again
        return false;
    } else {
        read_ok = true;
    }
    dx = state.dx;
    dy = state.dy;
    dz = state.dz;
    if (state.absolute) {
        x = state.x;
        y = state.y;
    } else {
        x += dx;
        y += dy;
    }
    wheel += dz;
    for (int i = 0; i < 3; ++i) {
        button_down[i] = (state.buttons[i] & 0x80) != 0;
        button_pressed[i] = button_down[i] && !button_memory[i];
        button_memory[i] = button_down[i];
    }
    return button_down[0];
}
