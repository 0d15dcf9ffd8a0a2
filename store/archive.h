// The read-only resource archive "_data.loc": entries found by name and extracted.
#pragma once
#include "platform/renderer.h"

// Creates a texture from the archive entry's TGA image into *slot; negative status on failure.
long loadtexture(const char* archive, const char* name, platform::Texture** slot);
