// gridhollow_show_file: prints the plain content of the game's data files, for maintainers and
// the X server tests. Run in a data folder with the path strings the game uses, e.g.
//   gridhollow_show_file scores.txt 'edit\ANN.txt'
// A file that is missing or fails its check is named on standard error, and the exit code is 1.
// Nothing is written: the files are read while the game may be running in the same folder.
#include <cstdio>
#include <vector>

#include "platform/files.h"
#include "store/datafile.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATA_FILE...\n", argv[0]);
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i) {
        std::vector<uint8_t> stored, plain;
        if (platform::file_read(argv[i], stored) && unlockbytes(argv[i], stored, plain)) {
            std::fwrite(plain.data(), 1, plain.size(), stdout);
            std::fputc('\n', stdout);
        } else {
            std::fprintf(stderr, "%s: missing, or it fails its check\n", argv[i]);
            status = 1;
        }
    }
    return status;
}
