// The renderer: a fixed 512 x 512 back buffer, sprite draws into it, and textures from TGA bytes.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/window.h"

namespace platform {

constexpr int BACKBUFFER_W = 512;
constexpr int BACKBUFFER_H = 512;
// The back buffer holds those layout pixels at a density of 1 to LARGEST_DENSITY device pixels to
// each.
constexpr int LARGEST_DENSITY = 3;

// The three tries of device creation, in order. hardware: the renderer the player named (SDL's
// SDL_RENDER_DRIVER), else the lightest by measurement, SDL's software renderer on the window;
// software: any renderer on the graphics card; reference: the slow path that renders off screen
// and copies every frame to the window.
enum class DeviceType { hardware, software, reference };

struct Texture;

// One sprite draw, in layout pixels whatever the densities of the texture and the back buffer. A
// source point (u, v) from the rectangle's top-left is scaled to
// (u * sx, v * sy), rotated by angle (radians, clockwise on screen) about (cx, cy) and moved by
// (tx, ty). The colour's alpha multiplies the texture's own alpha; later draws cover earlier ones.
struct SpriteDraw {
    Texture* texture = nullptr;
    bool has_source = false;
    Rect source{}; // right and bottom exclusive
    float sx = 1, sy = 1;
    float cx = 0, cy = 0;
    float angle = 0;
    float tx = 0, ty = 0;
    uint32_t color = 0xFFFFFFFF; // ARGB
};

// Makes the device and shows the window; false when this type cannot be made.
bool device_create(DeviceType type);
void device_release();
// The back buffer's size, fixed at creation.
void backbuffer_size(unsigned& w, unsigned& h);

// Begins a frame: clears the back buffer at the frame's density, the one nearest the scale the
// window shows the layout at (its side / 512, from 1 to LARGEST_DENSITY).
void render_clear(uint32_t argb);
// The density of the frame being made: draws stay in layout pixels whatever it is, and look
// sharpest from textures drawn at it.
int render_density();
void render_sprite(const SpriteDraw& draw);
// Shows the back buffer stretched over the largest square the window's client area holds,
// centred on black (linear filtering). A frame whose draws equal
// the frame on the screen (same clear, textures, rectangles, transforms, colours, in the same
// order) is neither drawn nor shown again unless the window was shown, exposed, moved or resized
// since; while the window is minimised or hidden nothing is shown. Says which of these it was.
enum class Presented { changed, unchanged, unseen };
Presented render_present();

// A texture from the bytes of a TGA image held in memory; null when they do not decode. The image
// is drawn at density pixels to each layout pixel: source rectangles stay in layout pixels.
Texture* texture_from_tga(const void* bytes, size_t size, int density = 1);
void texture_release(Texture* texture);
void texture_size(const Texture* texture, int& w, int& h);

} // namespace platform
