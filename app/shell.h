// The shell: start-up, the window and its geometry, the message loop, shut-down.
#pragma once
#include <cstdint>

#include "platform/renderer.h"

extern int desktop_w, desktop_h;
// The wanted outer rectangle of the window; the loop applies changes at the end of each pass.
extern int window_x, window_y, window_w, window_h;
extern platform::Texture* charset_texture; // "img\chrset1.tga": font, digits, pointer, controls
extern uint16_t alarm_sound;               // the reminders' alarm in the sound bank

// The program: start-up, the loop until the quit message, shut-down; returns the exit code.
int game_Main();
// Start-up up to the loop; false when the program must end with exit_code.
bool game_Start(int& exit_code);
// One pass of the message loop: take at most one message, render one frame, apply the window
// geometry, wait for the next frame. Returns false once the quit message was taken.
bool game_LoopPass();
// Shut-down after the loop; returns the exit code of the last message taken.
int game_Finish();
// Loads the character-set image and the alarm sound and shows the start screen.
long Game_0Stage0();
// The window's handler of the messages sent to it (the start screen's quit sends WM_CLOSE).
long game_WindowProcedure(unsigned message);
