// The name-entry dialog.
#include "screens/name_box.h"

#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/keyboard.h"
#include "platform/files.h"
#include "run/state.h"
#include "screens/layout.h"

namespace {

constexpr platform::Rect BOX{0, 0, 170, 85}; // in the dialogs image, drawn centred
constexpr float TEXT_DROP = 10;              // the text's centre below the box's

NameBoxVisit name_box_edit;

} // namespace

const NameBoxVisit& name_box_visit() {
    return name_box_edit;
}

void name_box_reset() {
    name_box_edit = {};
}

void name_box_enter(char* text) {
    text[0] = '\0';
    name_box_edit = {};
}

namespace {

// At most one typed character: Backspace, Enter, Escape or a character to add.
void update_text(char* text) {
    int& position = name_box_edit.position;
    const uint8_t c = keyboard.readchar(true);
    if (c == CHAR_BACKSPACE) {
        if (position >= 0) text[position--] = '\0';
    } else if (c == CHAR_ENTER) {
        dialog_active = 0;
    } else if (c == CHAR_ESCAPE) {
        dialog_active = 0;
        text[0] = '\0';
    } else if (c >= ' ' && position < NAME_BOX_TEXT_LIMIT - 1) { // no control byte (Tab)
        text[++position] = static_cast<char>(c);
        text[position + 1] = '\0';
    }
}

void draw_box(const char* text, float x, float y) {
    const platform::DrawPhase drawing;
    game_DisplayLayer(IMAGE_DIALOGS, OPAQUE, x, y, BOX.left, BOX.top, BOX.right, BOX.bottom, 1,
                      LayerAnchor::centre);
    if (name_box_edit.position >= 0)
        game_DisplayFontText(text, TEXT_ADVANCE, x, y + TEXT_DROP, TEXT_SCALE, TextAnchor::centre,
                             1);
}

} // namespace

void game_InputBox(char* text, float x, float y) {
    update_text(text);
    draw_box(text, x, y);
}
