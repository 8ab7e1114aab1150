#pragma once

#include <cstdint>

#include "host/Host.h"

namespace quenford {

struct Platform;

// The window's message handling and frame pacing over the host.
void attachFramePump(Platform& game, host::Host& host);

// Spends the rest of the period handling window messages; false when the program must end.
bool waitFrame(Platform& game, uint32_t periodMs);

// What the main window does with one message (all but the quit message, which the pump
// itself takes).
void windowProc(Platform& game, const host::Message& message);

}  // namespace quenford
