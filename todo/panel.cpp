// The to-do panel (draws nothing until it is built).
#include "todo/panel.h"

int panel_state = 0;
bool editor_open = false;

void panel_reset() {
    panel_state = 0;
    editor_open = false;
}

float game_DisplayTodo(float, float, int selection, int* selection_out, bool* editor, bool, bool,
                       bool, int, float, int* count_out, int* state_out, const char*) {
    if (selection_out) *selection_out = selection;
    if (editor) *editor = editor_open;
    if (count_out) *count_out = 0;
    if (state_out) *state_out = panel_state;
    return 0;
}
