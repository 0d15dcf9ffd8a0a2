// A headless player for tests and tools: runs the whole program pass by pass through the message
// loop on the headless backend, pointing, clicking, pressing keys and typing as a player does.
#pragma once
#include <string>

// Starts the program in the current folder (which holds "_data.loc" and "alarm.wav") and runs its
// first pass; false when the start-up failed.
bool drive_start();
// Runs n passes of the message loop; false once the loop has taken the quit message.
bool drive_pass(int n = 1);
// Whether the loop has taken the quit message.
bool drive_ended();
// Puts the pointer at a layout position (as an absolute pointing device does) for a pass.
void drive_point(int x, int y);
// Points for a pass, holds the left button for a pass and releases it for another.
void drive_click(int x, int y);
// Holds a key for some passes (a real press lasts about 70 ms: four or five) and releases it for
// another.
void drive_press(int dik, int frames = 1);
// Types capital letters and digits, a key at a time.
void drive_type(const std::string& text);
// Solves the game screen's board by clicking each cell that is not right and picking its digit
// from the number picker; false when the board is not complete afterwards.
bool drive_solve();
