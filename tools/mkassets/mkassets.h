// The asset maker's pieces: each writes one product file into the output folder.
#pragma once
#include <string>

// "alarm.wav": the reminders' alarm, synthesized.
bool write_alarm(const std::string& out_dir);
// "_data.loc": the resource archive.
bool write_archive(const std::string& out_dir);
