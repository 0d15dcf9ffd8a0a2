// The read-only resource archive: header scanning, entry extraction to memory or a file, textures.
#include "store/archive.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <vector>

#include "platform/files.h"
#include "platform/window.h"

ResourceArchive texture_archive;
ResourceArchive grid_archive;

namespace {

// The block handed out by the last in-memory extraction, shared by every ResourceArchive.
uint8_t* last_extracted = nullptr;

// Reads one header field up to its ";" into text, skipping bytes below 14. False when the stream
// ends first or the field holds more than limit characters.
bool read_field(platform::ReadStream* archive, char* text, int limit, int& count) {
    int length = 0;
    for (int c = platform::stream_getc(archive); c != ';'; c = platform::stream_getc(archive)) {
        if (c < 0 || (c >= 14 && length == limit)) return false;
        if (c >= 14) text[length++] = static_cast<char>(c);
    }
    text[length] = 0;
    count += length;
    return true;
}

// Scans the open archive from its start to the entry named; returns the entry's size with the
// stream at its first data byte, or -1 when the archive holds no whole entry of that name.
long find_entry(platform::ReadStream* archive, const char* name) {
    const long length = platform::stream_size(archive);
    char stored[ARCHIVE_NAME_LIMIT + 1];
    long size;
    while (readheader(archive, stored, size) > 0) {
        // An entry that runs past the end is cut off, and so is everything after it.
        const long position = platform::stream_tell(archive);
        if (size > length - position) return -1;
        if (std::strcmp(stored, name) == 0) return size;
        if (!platform::stream_seek(archive, position + size)) return -1;
    }
    return -1;
}

// The named entry's data read from the archive into a new block; null when the archive or the
// entry is missing, the entry is empty, or it cannot be read whole.
uint8_t* read_entry(const char* archive, const char* name, long& size) {
    size = 0;
    platform::ReadStream* file = platform::stream_open(archive);
    if (file == nullptr) return nullptr;
    const long found = find_entry(file, name);
    uint8_t* block = found > 0 ? new (std::nothrow) uint8_t[found] : nullptr;
    if (block != nullptr && platform::stream_read(file, block, static_cast<size_t>(found)) !=
                                static_cast<size_t>(found)) {
        delete[] block;
        block = nullptr;
    }
    platform::stream_close(file);
    if (block != nullptr) size = found;
    return block;
}

} // namespace

void normalizename(char* name) {
    if (name == nullptr) return;
    for (char* c = name; *c; ++c) {
        if (*c == '/')
            *c = '\\';
        else if (*c >= 'A' && *c <= 'Z')
            *c = static_cast<char>(*c - 'A' + 'a');
    }
}

int readheader(platform::ReadStream* archive, char* name, long& size) {
    char size_text[ARCHIVE_SIZE_LIMIT + 1];
    int count = 0;
    name[0] = 0;
    size = 0;
    if (!read_field(archive, name, ARCHIVE_NAME_LIMIT, count) ||
        !read_field(archive, size_text, ARCHIVE_SIZE_LIMIT, count)) {
        name[0] = 0;
        return 0;
    }
    const long long value = std::strtoll(size_text, nullptr, 10);
    if (value < 0 || value > INT32_MAX) {
        name[0] = 0;
        return 0;
    }
    size = static_cast<long>(value);
    return count;
}

const uint8_t* ResourceArchive::unlockmemory(const char* archive, const char* name, long& size) {
    delete[] last_extracted;
    last_extracted = nullptr;
    size = 0;
    if (name == nullptr || std::strlen(name) > ARCHIVE_NAME_LIMIT) return nullptr;
    char wanted[ARCHIVE_NAME_LIMIT + 1];
    std::strcpy(wanted, name);
    normalizename(wanted);
    last_extracted = read_entry(archive, wanted, size);
    return last_extracted;
}

void ResourceArchive::unlocksingle(const char* archive, char* name, const char* destination) {
    if (std::strcmp(archive, destination) == 0) {
        platform::message_box("Your Destination file is the loc file.",
                              "unlocksingle().  Error: Loc, Destination file is same!",
                              platform::MB_OK);
        return;
    }
    platform::file_set_normal(destination);
    platform::file_delete(destination);
    normalizename(name);
    platform::ReadStream* file = platform::stream_open(archive);
    if (file == nullptr) return;
    const long size = find_entry(file, name);
    std::vector<uint8_t> data(static_cast<size_t>(std::max(size, 0L)));
    const bool found =
        size >= 0 && platform::stream_read(file, data.data(), data.size()) == data.size();
    platform::stream_close(file);
    // A destination that could not be written whole is taken away, so no reader takes a part
    // of an entry for the entry.
    if (found && !platform::file_write(destination, data.data(), data.size()))
        platform::file_delete(destination);
    platform::file_set_normal(destination);
}

long loadtexture(const char* archive, const char* name, platform::Texture** slot, int density) {
    long size;
    const uint8_t* block = texture_archive.unlockmemory(archive, name, size);
    if (block == nullptr) return E_FAIL;
    if (*slot != nullptr) {
        platform::texture_release(*slot);
        *slot = nullptr;
    }
    *slot = platform::texture_from_tga(block, static_cast<size_t>(size), density);
    return *slot != nullptr ? 0 : E_FAIL;
}
