#include "app/EndState.h"

#include <cstdio>

#include "play/GameState.h"

namespace quenford {

namespace {

// FNV-1a, 32 bits.
class BedHash {
public:
    void add(uint32_t value) {
        for (int byte = 0; byte < 4; ++byte) {
            hash = (hash ^ ((value >> (8 * byte)) & 0xFF)) * 16777619u;
        }
    }
    uint32_t value() const { return hash; }

private:
    uint32_t hash = 2166136261u;
};

}  // namespace

std::string endStateLine(const PlayState& game, uint64_t frames) {
    BedHash bed;
    for (const Cell& cell : game.board.cells) {
        bed.add(cell.kind);
        bed.add(static_cast<uint32_t>(cell.mark));
        bed.add(static_cast<uint32_t>(cell.state));
        bed.add(static_cast<uint32_t>(cell.timer));
    }
    char line[160];
    std::snprintf(line, sizeof line, "frames=%llu score=%d phase=%d occupied=%d bed=%08x",
                  static_cast<unsigned long long>(frames), game.board.score,
                  static_cast<int>(game.board.phase), game.board.occupied, bed.value());
    return line;
}

}  // namespace quenford
