#pragma once

#include "app/CommandLine.h"

namespace quenford {

// Replays the demo headless as fast as the machine goes, twice: once with the frames only
// drawn, once also converted to the display's pixel format as a window would show them.
// Prints "N frames in T ms (F fps)" for each; the exit code.
int runTimedemo(const ProgramOptions& options);

}  // namespace quenford
