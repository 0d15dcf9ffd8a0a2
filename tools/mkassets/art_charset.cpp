// "img\chrset1.tga": the character sheet, put together from its cells, lettering and controls.
#include "gfx/images.h"
#include "tools/mkassets/art.h"

Art art_charset() {
    Canvas canvas(512, 512);
    std::vector<Region> regions;
    draw_sheet_cells(canvas.cr, regions);
    draw_sheet_glyphs(canvas.cr, regions);
    draw_sheet_controls(canvas.cr, regions);
    draw_sheet_play(canvas.cr, regions);
    draw_sheet_hint(canvas.cr, regions);
    return canvas.finish(IMAGE_CHARSET.name, std::move(regions));
}
