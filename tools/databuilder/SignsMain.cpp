#include <cstdio>

#include "databuilder/Signs.h"

// quenford_signs <output folder>: the signs the window shows over a held game.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quenford_signs <output folder>\n");
        return 2;
    }
    if (!quenford::tools::writeSigns(argv[1])) {
        std::fprintf(stderr, "quenford_signs: cannot write the signs into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
