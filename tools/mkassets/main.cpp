// mkassets OUT_DIR: makes the game's product data (the archive and the alarm sound) in OUT_DIR.
#include <cstdio>

#include "tools/mkassets/mkassets.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkassets OUT_DIR\n");
        return 2;
    }
    if (!write_alarm(argv[1]) || !write_archive(argv[1])) {
        std::fprintf(stderr, "mkassets: cannot write the assets into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
