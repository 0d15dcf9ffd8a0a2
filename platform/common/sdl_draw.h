// What both backends share of drawing: the SDL renderer that holds the back buffer, and the record
// of each frame's draws that tells whether a frame needs drawing and showing at all.
#pragma once
#include <SDL.h>
#include <cstdint>
#include <vector>

#include "platform/renderer.h"

namespace platform {

struct Texture {
    SDL_Texture* texture;
    int w, h;    // in pixels
    int density; // pixels to each layout pixel: source rectangles are in layout pixels
    // Unique in the process. A texture's pixels never change after it is made, so two draws of
    // equal serials draw the same picture, even if a released texture's address is reused.
    uint64_t serial;
};

namespace detail {

// The renderer whose current target is the back buffer; each backend provides it (null while
// there is none).
SDL_Renderer* backbuffer_renderer();
// The side, in pixels, of the square the backend shows the layout in; each backend provides it.
int shown_side();
// Makes the renderer's target the back buffer, 512 x 512 layout pixels at the density, made anew
// when its density changes; false when it cannot be made.
bool backbuffer_at(SDL_Renderer* r, int density);
SDL_Texture* backbuffer_texture();
void backbuffer_release();
// True in the backend that puts every clear and sprite into the back buffer at once (the headless
// one: tests read its pixels at any time). The real backend draws a frame only when it shows it.
extern const bool DRAWS_AT_ONCE;

// The draws of a frame: the clear colour, then the sprite draws in order with the serial of each
// draw's texture (0 for none).
struct FrameDraws {
    int density = 1;
    uint32_t clear = 0xFF000000;
    std::vector<SpriteDraw> draws;
    std::vector<uint64_t> serials;
};
// The frame being made, since the last clear.
const FrameDraws& frame();
// Whether the frame being made differs from the frame last shown; true before the first is shown.
bool frame_changed();
// The frame being made is the one now on the screen.
void frame_shown();
// Puts the frame being made into the back buffer: its clear, then every sprite draw, painted again
// only where it differs from the frame shown. Returns that part, in back-buffer pixels.
SDL_Rect draw_frame(SDL_Renderer* r);
// Destroys the textures released while the frame being made still drew them; called by the
// backend's present once the frame is drawn or dropped.
void frame_end();
// Forgets the frame being made and the frame last shown.
void frames_reset();

} // namespace detail
} // namespace platform
