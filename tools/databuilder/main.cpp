#include <cstdio>
#include <exception>
#include <string>

#include "databuilder/Packing.h"

// quenford_databuilder <output folder>: draws, letters and synthesises all of the game's
// data and writes DATA10.RES and morva.res there.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quenford_databuilder <output folder>\n");
        return 2;
    }
    try {
        return quenford::tools::writeArchives(argv[1]) ? 0 : 1;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quenford_databuilder: %s\n", failure.what());
        return 1;
    }
}
