#pragma once

#include <cstdint>
#include <vector>

#include "draw/Picture.h"

namespace quenford {

// One run of a row that a draw writes: `length` pixels from `column` on, copied from
// `source` bytes into the picture's own bytes (a plain picture) or into the prepared form's
// `pixels` (a run or run-fill picture).
struct PreparedRun {
    uint32_t source = 0;
    uint16_t column = 0;
    uint16_t length = 0;
};

// The prepared form of an archive picture, found once when the archive is accepted: the
// runs of each row that write pixels, so that a draw neither tests pixels nor decodes
// control bytes one after the other. Derived from the picture's bytes, which stay as they
// are.
struct PreparedPicture {
    // Row r's runs are runs[rowStarts[r]] up to runs[rowStarts[r + 1]], left to right.
    std::vector<uint32_t> rowStarts;
    std::vector<PreparedRun> runs;
    // A run or run-fill picture's written pixels, decoded: its copies and fills next to
    // each other become one run, and a row of a picture is mostly a few of them.
    std::vector<uint8_t> pixels;

    // For a plain picture whose width x height bytes are readable (its non-zero bytes).
    static PreparedPicture ofPlain(const Picture& picture);
    // For a run (withFills false) or run-fill picture that decodes within its bytes. One
    // larger than the screen, which is never drawn through this form, gets rows without
    // runs.
    static PreparedPicture ofRuns(const Picture& picture, bool withFills);
};

}  // namespace quenford
