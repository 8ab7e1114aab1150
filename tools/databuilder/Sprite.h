#pragma once

#include "common/ArchiveWriter.h"
#include "common/PictureEncoders.h"

namespace quenford::tools {

// An image's offsets are screen coordinates when it was mapped from a canvas region; a
// sprite's offsets are relative to the point the game draws it at.
IndexImage cropToContent(const IndexImage& image, int anchorX, int anchorY);
IndexImage cropRect(const IndexImage& image, int left, int top, int width, int height);
// Pixels equal in both images become 0 (skipped), for pictures drawn over their forerunner.
IndexImage changesFrom(const IndexImage& before, const IndexImage& after);

Bytes plainPicture(const IndexImage& image);
Bytes runPicture(const IndexImage& image);
Bytes runFillPicture(const IndexImage& image);

}  // namespace quenford::tools
