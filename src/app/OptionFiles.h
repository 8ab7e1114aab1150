#pragma once

#include <optional>
#include <string>

#include "app/CommandLine.h"

namespace quenford {

// The files and folders the options name, checked before anything starts: the line that
// says which one cannot be used and why, or nothing when all can.
std::optional<std::string> refuseOptionFiles(const ProgramOptions& options);

}  // namespace quenford
