// Test support: the per-test folder and the reset of shared state.
#include "support.h"

#include <filesystem>

#include "app/shell.h"
#include "platform/files.h"
#include "platform/headless/headless.h"

std::string tga_image(int w, int h, uint32_t argb) {
    std::string image(18, '\0');
    image[2] = 2; // uncompressed true colour
    image[12] = static_cast<char>(w & 0xFF);
    image[13] = static_cast<char>(w >> 8);
    image[14] = static_cast<char>(h & 0xFF);
    image[15] = static_cast<char>(h >> 8);
    image[16] = 32;
    image[17] = 0x28; // 8 alpha bits, rows from the top
    for (int i = 0; i < w * h; ++i)
        for (int shift : {0, 8, 16, 24}) image += static_cast<char>((argb >> shift) & 0xFF);
    return image;
}

void write_archive(const std::vector<std::pair<std::string, std::string>>& entries) {
    std::string archive;
    for (const auto& [name, data] : entries)
        archive += name + ";" + std::to_string(data.size()) + ";" + data + "\r\n";
    ASSERT_TRUE(platform::file_write("_data.loc", archive.data(), archive.size()));
}

void GameTest::SetUp() {
    previous = std::filesystem::current_path();
    folder = platform::enter_temporary_folder("gridhollow-test");
    ASSERT_FALSE(folder.empty());
    platform::headless::reset();
    game_Reset();
}

void GameTest::TearDown() {
    ASSERT_TRUE(platform::change_directory(previous.c_str()));
    std::filesystem::remove_all(folder);
}

void GameTest::copy_assets() {
    for (const char* name : {"_data.loc", "alarm.wav"})
        std::filesystem::copy_file(std::string(ASSET_DIR) + "/" + name, folder + "/" + name);
}
