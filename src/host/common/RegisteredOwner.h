#pragma once

#include <optional>
#include <string>

namespace quenford::host {

// The user's full name from the user database (the text before the first comma), else
// the login name, in the game's character set; nothing when it has no such form.
std::optional<std::string> systemOwnerName();

}  // namespace quenford::host
