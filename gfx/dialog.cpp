// The name-entry dialog (drawn and edited once the drawing primitives exist; empty until then).
#include "gfx/dialog.h"

void game_InputBox(char*, float, float) {}
