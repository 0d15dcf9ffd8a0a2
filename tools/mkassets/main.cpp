// mkassets OUT_DIR: makes the game's product data (the archive, the alarm sound and the window
// icon) in OUT_DIR. mkassets --review DIR, run where "_data.loc" is: contact sheets and
// screenshots for review, into DIR.
#include <cstdio>
#include <cstring>

#include "tools/mkassets/mkassets.h"
#include "tools/mkassets/paint.h"

int main(int argc, char** argv) {
    const bool review = argc == 3 && std::strcmp(argv[1], "--review") == 0;
    if (argc != 2 && !review) {
        std::fprintf(stderr, "usage: mkassets [--review] OUT_DIR\n");
        return 2;
    }
    if (!fonts_available()) return 1;
    const char* out_dir = argv[argc - 1];
    if (review) {
        if (write_review(out_dir)) return 0;
        std::fprintf(stderr, "mkassets: cannot write the review into %s\n", out_dir);
        return 1;
    }
    if (!write_alarm(out_dir) || !write_archive(out_dir) || !write_icon(out_dir)) {
        std::fprintf(stderr, "mkassets: cannot write the assets into %s\n", out_dir);
        return 1;
    }
    return 0;
}
