// The review's two halves: contact sheets of the images, and screenshots of test scenes.
#pragma once
#include <string>

// One PNG a image, "sheet-NAME.png", at twice the size with the named regions outlined.
bool write_contact_sheets(const std::string& review_dir);
// Screens put together by the game's drawing operations from "_data.loc" in the current folder,
// rendered by the headless backend: "scene-NAME.png". False when an image is missing.
bool write_scenes(const std::string& review_dir);
