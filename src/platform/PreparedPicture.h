#pragma once

#include <cstdint>
#include <vector>

#include "platform/Picture.h"

namespace quenford {

// One run of a row that a draw writes: `length` pixels from `column` on, copied from
// picture.data + source; in a run-fill picture a length with its top bit set is a fill
// of (length & 0x7FFF) pixels with the byte at picture.data + source.
struct PreparedRun {
    uint32_t source = 0;
    uint16_t column = 0;
    uint16_t length = 0;
};

// The prepared form of an archive picture, found once when the archive is accepted: the
// runs of each row that write pixels (the non-zero bytes of a plain picture, the copies
// and fills of a run picture), so that a draw neither tests pixels nor decodes control
// bytes one after the other. Derived from the picture's bytes, which stay as they are.
struct PreparedPicture {
    static constexpr uint16_t fillMark = 0x8000;

    // Row r's runs are runs[rowStarts[r]] up to runs[rowStarts[r + 1]], left to right.
    std::vector<uint32_t> rowStarts;
    std::vector<PreparedRun> runs;

    // For a plain picture whose width x height bytes are readable.
    static PreparedPicture ofPlain(const Picture& picture);
    // For a run (withFills false) or run-fill picture that decodes within its bytes.
    static PreparedPicture ofRuns(const Picture& picture, bool withFills);
};

}  // namespace quenford
