#include <cstdio>
#include <exception>
#include <fstream>
#include <string>

#include "databuilder/Packing.h"

// quenford_databuilder <output folder>: draws, sets and synthesises all of the game's data
// and writes DATA10.RES and morva.res there.
int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: quenford_databuilder <output folder>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    try {
        const quenford::tools::Bytes game = quenford::tools::buildGameArchive();
        std::ofstream out(folder + "DATA10.RES", std::ios::binary);
        out.write(reinterpret_cast<const char*>(game.data()),
                  static_cast<std::streamsize>(game.size()));
        if (!out) {
            std::fprintf(stderr, "cannot write %sDATA10.RES\n", folder.c_str());
            return 1;
        }
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "quenford_databuilder: %s\n", failure.what());
        return 1;
    }
    return 0;
}
