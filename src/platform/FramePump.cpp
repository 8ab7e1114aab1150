#include "platform/FramePump.h"

#include "platform/CdMusic.h"
#include "platform/Input.h"

namespace quenford {

uint32_t framePeriodMs = 35;
bool modeQ = false;
char launcherCommand[15] = "TAMBERLY.EXE P";

int32_t appActive = 0;
bool quitRequested = false;
uint32_t lastFrameTick = 0;
uint32_t lastMessageParam = 0;

namespace {
host::Host* pumpHost = nullptr;
}

void attachFramePump(host::Host& host) {
    pumpHost = &host;
    appActive = 0;
    quitRequested = false;
    lastFrameTick = 0;
    lastMessageParam = 0;
}

host::Host& activeHost() {
    return *pumpHost;
}

void windowProc(const host::Message& message) {
    switch (message.kind) {
        case host::MessageKind::Activate:
        case host::MessageKind::Deactivate:
            appActive = message.kind == host::MessageKind::Activate ? 1 : 0;
            lastFrameTick = pumpHost->ticks();
            break;
        case host::MessageKind::SystemClose:
            quitRequested = true;
            // Closing destroys the window, and its destruction posts the quit message.
            pumpHost->postQuit(0);
            break;
        case host::MessageKind::Char:
            input.onChar(message.param);
            break;
        case host::MessageKind::KeyDown:
        case host::MessageKind::Quit:
            break;
    }
}

namespace {

// Takes one message off the queue, waiting up to timeoutMs; false when it was the quit
// message, which ends the program.
bool pumpMessage(uint32_t timeoutMs) {
    const std::optional<host::Message> message = pumpHost->nextMessage(timeoutMs);
    if (!message) {
        return true;
    }
    if (message->kind == host::MessageKind::Quit) {
        lastMessageParam = message->param;
        quitRequested = true;
        return false;
    }
    windowProc(*message);
    return true;
}

}  // namespace

bool waitFrame(uint32_t periodMs) {
    if (quitRequested) {
        return false;
    }
    for (;;) {
        if (appActive != 0) {
            // Handle messages until the period has passed since the end of the last wait.
            // Instead of polling, each pass sleeps in the queue until a message comes or
            // the period is up; a period of 0 still looks at the queue once.
            uint32_t now = pumpHost->ticks();
            uint32_t timeout =
                now - lastFrameTick < periodMs ? periodMs - (now - lastFrameTick) : 0;
            for (;;) {
                if (!pumpMessage(timeout)) {
                    return false;
                }
                now = pumpHost->ticks();
                const uint32_t elapsed = now - lastFrameTick;
                if (elapsed >= periodMs) {
                    break;
                }
                timeout = periodMs - elapsed;
            }
            if (!cdMusic.isPlaying() && cdMusic.wanted != 0) {
                cdMusic.play();
            }
            lastFrameTick = now;
            if (appActive != 0) {
                return true;
            }
        } else {
            cdMusic.stop();
            if (!pumpMessage(host::Host::waitForever)) {
                return false;
            }
        }
        if (quitRequested) {
            return false;
        }
    }
}

}  // namespace quenford
