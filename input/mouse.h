// The mouse: accumulated relative position, wheel and per-button press edges, read once a frame.
#pragma once

class Mouse {
  public:
    // Opens the mouse (exclusive while the window has the focus); 0 or the failing status.
    int create();
    // Reads the motion and buttons since the last read; returns whether the left button is held.
    // A failed read (the window is not in front) changes nothing.
    bool poll();
    ~Mouse();

    // Accumulated motion in device units, used as layout pixels; where the platform reports an
    // absolute position, that position.
    int x = 0, y = 0;
    int wheel = 0;
    int dx = 0, dy = 0, dz = 0;
    bool button_down[3] = {};
    bool button_pressed[3] = {};
    // While set, a poll finds no new motion or buttons: the frame loop's catch-up frames stand
    // for moments before the input that ended its wait.
    bool frozen = false;

  private:
    void release();
    bool button_memory[3] = {};
    bool device = false;
    bool read_ok = false; // the last read succeeded
};

extern Mouse mouse;
