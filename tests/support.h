// Test support: each test runs in a fresh folder with the headless backend and frame state reset.
#pragma once
#include <gtest/gtest.h>

#include <string>

// A fixture for tests that touch files or the shared game state.
class GameTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;
    // Copies the built "_data.loc" and "alarm.wav" into the test's folder.
    void copy_assets();
    std::string folder;

  private:
    std::string previous;
};
