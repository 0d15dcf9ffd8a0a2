// Test support: each test runs in a fresh folder with the headless backend and frame state reset.
#pragma once
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// An uncompressed 32-bit TGA image of one colour (ARGB).
std::string tga_image(int w, int h, uint32_t argb);
// Writes an archive "_data.loc" holding the given (name, data) entries.
void write_archive(const std::vector<std::pair<std::string, std::string>>& entries);

// A fixture for tests that touch files or the shared game state. Every test through it also checks
// that no screen's draw touched a file.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Copies the built "_data.loc" and "alarm.wav" into the test's folder.
    void copy_assets();
    std::string folder;

  private:
    std::string previous;
    long touched_while_drawing = 0;
};

// Counts the solutions of a puzzle (81 cells, 0 for empty) up to two, by plain backtracking of its
// own, the first solution found into first: a check that owes nothing to the game's generators.
int countsolutions(const int32_t* puzzle, int32_t* first);
