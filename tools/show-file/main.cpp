// gridhollow_show_file: prints the plain content of the game's data files, for maintainers and
// the X server tests. Run in a data folder with the path strings the game uses, e.g.
//   gridhollow_show_file scores.txt 'edit\ANN.txt' scores.txt.damaged
// A kept copy "NAME.damaged" ("NAME.damaged2", ...) is read under NAME, the path string it was
// written under. A file that fails its check is printed as far as it unscrambles (a changed byte
// of the file changes at most one byte of it) and named on standard error; a missing one is named
// there too. The exit code is then 1.
// Nothing is written: the files are read while the game may be running in the same folder.
#include <cstdio>
#include <string>
#include <vector>

#include "platform/files.h"
#include "store/datafile.h"

namespace {

// The path string the file was written under.
std::string written_as(const std::string& name) {
    const std::string kept = ".damaged";
    const size_t at = name.rfind(kept);
    if (at == std::string::npos ||
        name.find_first_not_of("0123456789", at + kept.size()) != std::string::npos)
        return name;
    return name.substr(0, at);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATA_FILE...\n", argv[0]);
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string path = written_as(argv[i]);
        std::vector<uint8_t> stored, plain;
        const bool read = platform::file_read(argv[i], stored);
        const bool whole = read && unlockbytes(path.c_str(), stored, plain);
        if (whole || (read && recoverbytes(path.c_str(), stored, plain))) {
            std::fwrite(plain.data(), 1, plain.size(), stdout);
            std::fputc('\n', stdout);
        }
        if (!whole) {
            std::fprintf(stderr, "%s: %s\n", argv[i],
                         !read           ? "missing, or it cannot be read"
                         : plain.empty() ? "it fails its check"
                                         : "it fails its check; printed as far as it unscrambles");
            status = 1;
        }
    }
    return status;
}
