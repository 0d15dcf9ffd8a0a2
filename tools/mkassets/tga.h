// Encodings of a finished image: the 32-bit TGA the game loads, and plain RGBA bytes.
#pragma once
#include <cstdint>
#include <vector>

#include "tools/mkassets/paint.h"

// The image with straight (not premultiplied) alpha, four bytes a pixel in the order R, G, B, A,
// rows from the top. Fully transparent pixels take the colour of their visible neighbours, so a
// scaled, filtered draw shows no dark seam along the edges of shapes.
std::vector<uint8_t> straight_rgba(const Art& art);

// An uncompressed true-colour TGA with 8 alpha bits, rows from the top.
std::vector<uint8_t> tga_bytes(const Art& art);
// The same picture run-length coded (packets never cross a row), for the larger drawings.
std::vector<uint8_t> tga_rle_bytes(const Art& art);
