// The name-entry dialog.
#include "screens/name_box.h"

#include "gfx/sprites.h"
#include "gfx/text.h"
#include "input/keyboard.h"
#include "run/state.h"

int edit_position = -1;

namespace {

constexpr char BACKSPACE = 8, ENTER = 13, ESCAPE = 27;

} // namespace

void dialog_reset() {
    edit_position = -1;
}

void name_box_enter(char* text) {
    text[0] = '\0';
    edit_position = -1;
}

void game_InputBox(char* text, float x, float y) {
    const uint8_t c = keyboard.readchar(true);
    if (c == BACKSPACE) {
        if (edit_position >= 0) text[edit_position--] = '\0';
    } else if (c == ENTER) {
        dialog_active = 0;
    } else if (c == ESCAPE) {
        dialog_active = 0;
        text[0] = '\0';
    } else if (c >= ' ' && edit_position < DIALOG_TEXT_LIMIT - 1) { // no control byte (Tab)
        text[++edit_position] = static_cast<char>(c);
        text[edit_position + 1] = '\0';
    }
    game_DisplayLayer(IMAGE_DIALOGS, 100, x, y, 0, 0, 170, 85, 1, LayerAnchor::centre);
    if (edit_position >= 0) game_DisplayFontText(text, 15, x, y + 10, 0.65f, TextAnchor::centre, 1);
}
