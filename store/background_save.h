// Files replaced on a writer thread of their own, so that a frame never waits on the disk.
//
// The main thread hands over a file's complete bytes; the writer replaces the file with them
// (platform::file_replace: beside, synced, renamed, folder synced). A newer hand-over of a file
// that is still waiting replaces the older one: only the latest bytes of each file are written.
// The writer is started by the first hand-over and stopped by saves_stop.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Hands the bytes of the file to the writer and returns at once.
void replace_in_background(const std::string& path, std::vector<uint8_t> bytes);
// Waits until every file handed over is written (or failed). Every synchronous write of a data
// file calls it first, so that two writes of one file never overlap.
void saves_flush();
// Flushes, then ends the writer thread (the program's end, game_Reset). A write that failed is
// made good by the owner's next synchronous write of the file (the saved game's on leaving).
void saves_stop();
