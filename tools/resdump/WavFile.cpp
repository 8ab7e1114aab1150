#include "resdump/WavFile.h"

#include <fstream>
#include <vector>

namespace quenford::tools {

namespace {

void put32(std::vector<uint8_t>& out, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
}

void put16(std::vector<uint8_t>& out, uint16_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void putTag(std::vector<uint8_t>& out, const char* tag) {
    out.insert(out.end(), tag, tag + 4);
}

}  // namespace

bool writeWav(const std::string& path, std::span<const uint8_t> samples) {
    const auto length = static_cast<uint32_t>(samples.size());
    std::vector<uint8_t> out;
    putTag(out, "RIFF");
    put32(out, 36 + length);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);
    put16(out, 1);
    put16(out, 1);
    put32(out, 22050);
    put32(out, 22050);
    put16(out, 1);
    put16(out, 8);
    putTag(out, "data");
    put32(out, length);
    out.insert(out.end(), samples.begin(), samples.end());
    if (length % 2 != 0) {
        out.push_back(0);
    }
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}

}  // namespace quenford::tools
