// The application window, its message queue, message boxes and the process exit.
#pragma once

namespace platform {

struct Rect {
    int left, top, right, bottom;
};

// Messages the loop can take from the queue: the quit message, and WM_ENDSESSION when the system
// asks the program to end (SIGTERM, SIGINT or SIGHUP; code is the signal). Input reaches the
// game through the input facility, and the window manager's close box is ignored.
enum : unsigned {
    WM_NULL = 0x0000,
    WM_DESTROY = 0x0002,
    WM_CLOSE = 0x0010,
    WM_QUIT = 0x0012,
    WM_ENDSESSION = 0x0016
};

struct Message {
    unsigned message; // WM_NULL when nothing was taken
    int code;         // the exit code carried by WM_QUIT
};

// The window frame adds this much to the client area on every side taken together.
constexpr int FRAME_W = 8;
constexpr int FRAME_H = 34;

// Video start-up; false when the machine has no video at all (the reason is in video_error()).
// wm_class is the window class the desktop reports, so that a desktop file can match the window.
bool video_init(const char* wm_class);
const char* video_error();

// Creates the window with its outer rectangle; it shows once a device is made on it.
bool window_create(const char* title, int x, int y, int w, int h);
// Gives the window the game's icon (the real backend carries the picture built in).
void window_set_icon();
// Moves and resizes the window by its outer rectangle.
void window_move(int x, int y, int w, int h);
Rect window_rect();
// Full screen (the layout in the largest square the screen holds, centred on black) or back to
// the window's own rectangle.
void window_set_fullscreen(bool on);
Rect desktop_rect();
// Hands the focus away: the mouse is released until the player clicks the window again.
void window_deactivate();
bool window_focused();
// Whether the window is shown (a minimised window still counts as shown).
bool window_visible();

// Takes at most one message from the queue; false when it was empty.
bool peek_message(Message& msg);
void post_quit_message(int code);

enum : unsigned { MB_OK = 0x0, MB_YESNO = 0x4 };
enum : int { IDOK = 1, IDYES = 6, IDNO = 7 };
// A modal message box; the answer is IDOK, IDYES or IDNO.
int message_box(const char* text, const char* caption, unsigned buttons);
// From now on a message box is said on standard error and answered with its default button, so
// that a run of the command line alone opens no window.
void message_boxes_on_terminal();

// Restores the window when minimised and brings it to the front with the focus.
void window_raise();
// Brings the window of the game running as process pid to the front, as the player's own request
// to the window manager; false when it cannot (no such window, or no window manager to ask).
bool window_raise_other(long pid);

// Opens a web page in the default browser; a name without a scheme is a file of the current
// folder.
void open_url(const char* url);

// Ends the process at once with the given exit code (−1 ends as 255).
[[noreturn]] void exit_process(int code);

} // namespace platform
