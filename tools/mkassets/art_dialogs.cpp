// "img\dialogs.tga": the name box. The dialog draws it centred and writes the typed name centred
// 10 pixels below the box's middle, at scale 0.65.
#include "gfx/images.h"
#include "tools/mkassets/art.h"

namespace {

constexpr platform::Rect BOX{0, 0, 170, 85};
constexpr platform::Rect FIELD{12, 38, 158, 67}; // the typed text's middle is at (85, 52.5)

} // namespace

Art art_dialogs() {
    Canvas canvas(BOX.right, BOX.bottom);
    cairo_t* cr = canvas.cr;
    const Box b = box_of(BOX);
    draw_box_panel(cr, b);
    TextStyle caption{Face::condensed_bold, 14, palette::cream};
    caption.outline = 1;
    caption.spacing = 0.5;
    draw_text(cr, "ENTER YOUR NAME", 85, 27, Align::centre, caption);
    draw_field(cr, box_of(FIELD));
    draw_caption(cr, "ENTER: PLAY   ESC: CANCEL", 85, 79, Align::centre, 9);
    return canvas.finish(IMAGE_DIALOGS.name, {{"name box", BOX}, {"text field", FIELD}});
}
