// State the files of the SDL backend share.
#pragma once
#include <SDL.h>

namespace platform::sdl {

extern SDL_Window* window;
bool focused();          // the window has the keyboard focus
extern bool deactivated; // the player handed the focus away; a click on the window ends it
extern int wheel;        // wheel motion gathered from events since the last mouse read

} // namespace platform::sdl
