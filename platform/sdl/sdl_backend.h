// State the files of the SDL backend share.
#pragma once
#include <SDL.h>

#include "platform/common/button_latch.h"

namespace platform::sdl {

extern SDL_Window* window;
bool focused();          // the window has the keyboard focus
extern bool deactivated; // the player handed the focus away; a click on the window ends it
extern int wheel;        // wheel motion gathered from events since the last mouse read
extern bool close_box;   // the window manager's close box was clicked in this pass
// The program's own messages wait in its queue (a quit it posted): no wait may start then.
bool messages_waiting();
// The keys that went down in this pass's events: down for the pass even when they went up again
// in the same events (a tap shorter than a pass, or one made while the loop was catching up).
extern bool keys_tapped[SDL_NUM_SCANCODES];
extern unsigned keymap_changes;     // the keymap-changed events seen
extern detail::ButtonLatch buttons; // the button presses and releases events brought
// A mouse read's index of an SDL button (SDL_BUTTON_LEFT, ...): left, right, middle, side buttons.
int button_index(Uint8 button);

// The square the 512 x 512 layout is shown in: the largest the client area holds, centred, in
// pixels or in window coordinates (they differ on a high-density desktop).
SDL_Rect layout_square(bool pixels);

// Where the system pointer is on the desktop, asked of the display server at the moment of the
// call. SDL's own answer is kept from the last pointer event it saw, and a pointer placed by an
// absolute device or by synthetic input may send none.
void pointer_position(int& x, int& y);

// Windows: the window notes the end of the session as an end signal.
void watch_session_end();

// Closes the sound device. Its thread sleeps holding SDL's device lock while nothing plays, so
// this comes before SDL_Quit or closing the audio subsystem, which would wait for that lock.
void audio_close();

} // namespace platform::sdl
