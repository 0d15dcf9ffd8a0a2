// The read-only resource archive: header scanning, entry extraction to memory or a file, textures.
#include "store/archive.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>

#include "platform/files.h"
#include "platform/window.h"

ResourceArchive texture_archive;
ResourceArchive grid_archive;

namespace {

// The block handed out by the last in-memory extraction, shared by every ResourceArchive.
uint8_t* last_extracted = nullptr;

constexpr long COPY_CHUNK = 8000;

// Reads one header field up to its ";" into text, skipping bytes below 14. False when the stream
// ends first or the field holds more than limit characters.
bool readfield(std::FILE* archive, char* text, int limit, int& count) {
    int length = 0;
    for (int c = std::fgetc(archive); c != ';'; c = std::fgetc(archive)) {
        if (c == EOF || (c >= 14 && length == limit)) return false;
        if (c >= 14) text[length++] = static_cast<char>(c);
    }
    text[length] = 0;
    count += length;
    return true;
}

std::FILE* openarchive(const char* archive) {
    return std::fopen(platform::disk_path(archive).c_str(), "rb");
}

// Scans the open archive from its start to the entry named; returns the entry's size with the
// stream at its first data byte, or -1 when the archive holds no whole entry of that name.
long findentry(std::FILE* archive, const char* name) {
    if (std::fseek(archive, 0, SEEK_END) != 0) return -1;
    const long length = std::ftell(archive);
    std::rewind(archive);
    char stored[ARCHIVE_NAME_LIMIT + 1];
    long size;
    while (readheader(archive, stored, size) > 0) {
        // An entry that runs past the end is cut off, and so is everything after it.
        if (size > length - std::ftell(archive)) return -1;
        if (std::strcmp(stored, name) == 0) return size;
        std::fseek(archive, size, SEEK_CUR);
    }
    return -1;
}

// Copies size bytes from the archive's position into a new destination file, 8000 at a time.
void copyentry(std::FILE* archive, long size, const char* destination) {
    std::FILE* out = std::fopen(platform::disk_path(destination).c_str(), "wb");
    if (out == nullptr) return;
    char chunk[COPY_CHUNK];
    for (long remaining = size; remaining > 0;) {
        const size_t part = static_cast<size_t>(std::min(remaining, COPY_CHUNK));
        if (std::fread(chunk, 1, part, archive) != part) break;
        std::fwrite(chunk, 1, part, out);
        remaining -= static_cast<long>(part);
    }
    std::fclose(out);
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

int readheader(std::FILE* archive, char* name, long& size) {
    char size_text[ARCHIVE_SIZE_LIMIT + 1];
    int count = 0;
    name[0] = 0;
    size = 0;
    if (!readfield(archive, name, ARCHIVE_NAME_LIMIT, count) ||
        !readfield(archive, size_text, ARCHIVE_SIZE_LIMIT, count)) {
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
    std::FILE* file = openarchive(archive);
    if (file == nullptr) return nullptr;
    const long found = findentry(file, wanted);
    if (found > 0) {
        last_extracted = new (std::nothrow) uint8_t[found];
        if (last_extracted != nullptr && std::fread(last_extracted, 1, static_cast<size_t>(found),
                                                    file) != static_cast<size_t>(found)) {
            delete[] last_extracted;
            last_extracted = nullptr;
        }
    }
    std::fclose(file);
    if (last_extracted != nullptr) size = found;
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
    std::FILE* file = openarchive(archive);
    if (file == nullptr) return;
    const long size = findentry(file, name);
    if (size >= 0) copyentry(file, size, destination);
    std::fclose(file);
    platform::file_set_normal(destination);
}

long loadtexture(const char* archive, const char* name, platform::Texture** slot) {
    long size;
    const uint8_t* block = texture_archive.unlockmemory(archive, name, size);
    if (block == nullptr) return E_FAIL;
    if (*slot != nullptr) {
        platform::texture_release(*slot);
        *slot = nullptr;
    }
    *slot = platform::texture_from_tga(block, static_cast<size_t>(size));
    return *slot != nullptr ? 0 : E_FAIL;
}
