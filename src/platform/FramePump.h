#pragma once

#include <cstdint>
#include <string>

#include "host/Host.h"

namespace quenford {

// Shared process-wide state of the shell.
extern uint32_t framePeriodMs;
extern bool modeQ;
extern char launcherCommand[15];

// The window's message handling and frame pacing over the host.
void attachFramePump(host::Host& host);
host::Host& activeHost();

// Spends the rest of the period handling window messages; false when the program must end.
bool waitFrame(uint32_t periodMs);

// What the main window does with one message (all but the quit message, which the pump
// itself takes).
void windowProc(const host::Message& message);

// Pump state (exposed for the shell and tests).
extern int32_t appActive;
extern bool quitRequested;
extern uint32_t lastFrameTick;
extern uint32_t lastMessageParam;

}  // namespace quenford
