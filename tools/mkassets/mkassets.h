// The asset maker's pieces: each writes one product file into the output folder.
#pragma once
#include <string>

// "alarm.wav": the reminders' alarm, synthesized.
bool write_alarm(const std::string& out_dir);
// "_data.loc": the resource archive.
bool write_archive(const std::string& out_dir);
// "window_icon.cpp" (the window icon's pixels, compiled into the game), and the same picture for
// the desktop's icon theme: "gridhollow-SIZE.png" for the sizes 48, 64, 128 and 256, and
// "gridhollow.svg"; the Windows executable's icon, "gridhollow.ico".
bool write_icon(const std::string& out_dir);
// Into review_dir: a contact sheet of every image with the regions the game reads outlined, and
// screenshots of test scenes drawn from "_data.loc" in the current folder by the game's own code.
bool write_review(const std::string& review_dir);
