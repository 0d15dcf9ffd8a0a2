// The renderer: a fixed 512 x 512 back buffer, sprite draws into it, and textures from TGA bytes.
#pragma once
#include <cstddef>
#include <cstdint>

#include "platform/window.h"

namespace platform {

constexpr int BACKBUFFER_W = 512;
constexpr int BACKBUFFER_H = 512;

// How the device draws: on the graphics card, in software on the card's path, or through the
// slow reference path that renders off screen and copies every frame to the window.
enum class DeviceType { hardware, software, reference };

struct Texture;

// One sprite draw. A source pixel (u, v) from the rectangle's top-left is scaled to
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

bool device_create(DeviceType type);
void device_release();
// The back buffer's size, fixed at creation.
void backbuffer_size(unsigned& w, unsigned& h);

void render_clear(uint32_t argb);
void render_sprite(const SpriteDraw& draw);
// Shows the back buffer stretched over the window's whole client area.
void render_present();

// A texture from the bytes of a TGA image held in memory; null when they do not decode.
Texture* texture_from_tga(const void* bytes, size_t size);
void texture_release(Texture* texture);
void texture_size(const Texture* texture, int& w, int& h);

} // namespace platform
