// The read-only resource archive "_data.loc": entries found by name and extracted.
//
// The archive is a plain run of entries "name;size;data": the name in lower case with backslash
// separators, the size in decimal digits, then exactly size bytes. Bytes below 14 inside a header
// are skipped, so entries may stand on lines of their own. Every lookup opens the archive, scans
// it from the first byte and closes it again.
#pragma once
#include "platform/files.h"
#include <cstdint>

#include "platform/renderer.h"

// The longest entry name and size text a header may hold; a longer one ends the scan.
// The archive every image and stored grid comes from.
constexpr const char* ARCHIVE_FILE = "_data.loc";
// The failure status of loadtexture and of start-up, as the negative 32-bit Windows status.
constexpr long E_FAIL = static_cast<int32_t>(0x80004005u);

constexpr int ARCHIVE_NAME_LIMIT = 511;
constexpr int ARCHIVE_SIZE_LIMIT = 19;

// Rewrites a name in place the way the archive stores it: "/" becomes "\", A-Z become a-z. A null
// name is left alone.
void normalizename(char* name);

// Reads the entry header at the stream's position into name (ARCHIVE_NAME_LIMIT + 1 characters)
// and size, leaving the stream at the entry's first data byte. Returns the number of name and size
// characters read; 0 at the end of the archive, and for a header that is cut off or breaks the
// limits (a name or size text too long, a size not within 0 .. 2^31 - 1), which ends the scan.
int readheader(platform::ReadStream* archive, char* name, long& size);

// Groups the extraction operations. The system keeps two: one loads textures, one extracts grids.
class ResourceArchive {
  public:
    // The data of the named entry (the name is matched after normalizename on a copy) and its
    // size; null and 0 when the archive or the entry is missing, or the entry runs past the end of
    // the archive. The block stays valid until the next unlockmemory of any ResourceArchive.
    const uint8_t* unlockmemory(const char* archive, const char* name, long& size);
    // Writes the named entry's data to the destination file (the name buffer is normalised in
    // place). The destination is deleted first and exists afterwards only when the entry was
    // found and written whole. A destination equal to the archive path is refused with a message
    // box.
    void unlocksingle(const char* archive, char* name, const char* destination);
};

extern ResourceArchive texture_archive;
extern ResourceArchive grid_archive;

// Creates a texture from the archive entry's TGA image (drawn at density pixels to each layout
// pixel) into *slot, releasing the texture the slot held. Returns 0, or the negative status E_FAIL
// (0x80004005 as a 32-bit status) when the entry is missing or empty (the slot is left as it was)
// or its image does not decode (the slot is null).
long loadtexture(const char* archive, const char* name, platform::Texture** slot, int density = 1);
