// The list of every image the resource archive holds.
#include "tools/mkassets/art.h"

std::vector<Art> archive_art(int density) {
    canvas_density = density;
    std::vector<Art> images;
    images.push_back(art_charset());
    images.push_back(art_start_background());
    images.push_back(art_start_sheet());
    images.push_back(art_next_level());
    images.push_back(art_dialogs());
    images.push_back(art_options());
    images.push_back(art_task_editor());
    canvas_density = 1;
    return images;
}
