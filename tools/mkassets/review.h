// The review's two halves: contact sheets of the images, and screenshots of the real screens.
#pragma once
#include <string>

// One PNG a image, "sheet-NAME.png", at twice the size with the named regions outlined.
bool write_contact_sheets(const std::string& review_dir);
// The real screens played through by the headless player in a scratch folder with the
// "_data.loc" of the current folder, and a sheet of the lettering: "scene-NAME.png". False when a
// shot could not be written or an image is missing.
bool write_scenes(const std::string& review_dir);
