#pragma once

#include <cairo.h>

#include <vector>

#include "common/ArchiveWriter.h"

namespace quenford::tools {

// The frame counts of the seven ambient animations, in archive order.
constexpr int ambientFrameCounts[] = {2, 2, 2, 2, 3, 3, 16};

// Ambient animation i in one pose: a frame number, or the resting pose (restPose) that the
// backdrop shows while it sleeps.
void drawCritter(cairo_t* cr, int animation, int pose);

// The frames of animation i, each painting the animation's whole rectangle.
std::vector<Bytes> ambientFrames(int animation);

}  // namespace quenford::tools
