// What both backends share of drawing: the SDL renderer that holds the back buffer.
#pragma once
#include <SDL.h>

#include "platform/renderer.h"

namespace platform {

struct Texture {
    SDL_Texture* texture;
    int w, h;
};

namespace detail {

// The renderer whose current target is the 512 x 512 back buffer; each backend provides it
// (null while there is none).
SDL_Renderer* backbuffer_renderer();
// Called for every clear and every sprite draw (the headless backend records the draws of a frame).
void note_clear();
void note_sprite(const SpriteDraw& draw);

} // namespace detail
} // namespace platform
