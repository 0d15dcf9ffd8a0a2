// Fuzz target: any bytes as an image entry of the archive go through the texture loader, which
// must make a texture of the size the image claims or report the failure, never reading outside
// the bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/fuzz_folder.h"
#include "platform/files.h"
#include "platform/renderer.h"
#include "store/archive.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool device = platform::device_create(platform::DeviceType::hardware);
    if (!device || !fuzz_folder("gridhollow-fuzz-texture")) return 0;
    std::string archive = "img\\chrset1.tga;" + std::to_string(size) + ";";
    archive.append(reinterpret_cast<const char*>(data), size);
    platform::file_write(ARCHIVE_FILE, archive.data(), archive.size());

    static platform::Texture* slot = nullptr;
    const long status = loadtexture(ARCHIVE_FILE, "img\\chrset1.tga", &slot);
    if (status != 0 && status != E_FAIL) std::abort();
    if ((status == 0) != (slot != nullptr) && size > 0) std::abort();
    if (slot) {
        int w = 0, h = 0;
        platform::texture_size(slot, w, h);
        if (w <= 0 || h <= 0) std::abort();
    }
    return 0;
}
