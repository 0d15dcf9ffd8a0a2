// Writes the resource archive "_data.loc" (no entries yet).
#include "platform/files.h"
#include "tools/mkassets/mkassets.h"

bool write_archive(const std::string& out_dir) {
    return platform::file_write((out_dir + "/_data.loc").c_str(), "", 0);
}
