// The images of the archive: each entry's name and the cache id the screens draw it under.
#pragma once
#include <string>

#include "platform/renderer.h"

struct Image {
    int id;           // the image caches' key; 0 for the character sheet, which is not cached
    const char* name; // the archive entry
    int w, h;         // the size the drawing code expects
};

constexpr Image IMAGE_CHARSET{0, "img\\chrset1.tga", 512, 512};
constexpr Image IMAGE_BACKGROUND{746361, "img\\startscnbkg.tga", 512, 512};
constexpr Image IMAGE_START{746362, "img\\startscreenchrset.tga", 512, 512};
constexpr Image IMAGE_NEXT_LEVEL{456347, "img\\nextlevel.tga", 512, 512};
constexpr Image IMAGE_DIALOGS{746352, "img\\dialogs.tga", 170, 85};
constexpr Image IMAGE_OPTIONS{57463, "img\\optionscreen.tga", 512, 512};
constexpr Image IMAGE_TODO_EDIT{8473, "img\\todoedit.tga", 512, 512};

constexpr Image ALL_IMAGES[] = {IMAGE_CHARSET, IMAGE_BACKGROUND, IMAGE_START,    IMAGE_NEXT_LEVEL,
                                IMAGE_DIALOGS, IMAGE_OPTIONS,    IMAGE_TODO_EDIT};

// Every image is also drawn at 2 and 3 pixels to each layout pixel, every rectangle scaled exactly,
// under an entry of its own: "img\2x\chrset1.tga" beside "img\chrset1.tga" (up to
// platform::LARGEST_DENSITY).
inline std::string dense_entry(const char* name, int density) {
    const std::string entry = name;
    if (density <= 1 || entry.rfind("img\\", 0) != 0) return entry;
    return "img\\" + std::to_string(density) + "x\\" + entry.substr(4);
}
