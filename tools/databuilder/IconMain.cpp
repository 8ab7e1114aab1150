#include <cstdio>

#include "databuilder/Icon.h"

// quenford_icons <output folder>: the desktop icons, one PNG for each size.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quenford_icons <output folder>\n");
        return 2;
    }
    if (!quenford::tools::writeIcons(argv[1])) {
        std::fprintf(stderr, "quenford_icons: cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
