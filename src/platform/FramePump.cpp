#include "platform/FramePump.h"

#include "platform/Platform.h"

namespace quenford {

void attachFramePump(Platform& game, host::Host& host) {
    game.pumpHost = &host;
    game.appActive = 0;
    game.quitRequested = false;
    game.lastFrameTick = 0;
    game.lastMessageParam = 0;
}

void windowProc(Platform& game, const host::Message& message) {
    switch (message.kind) {
        case host::MessageKind::Activate:
        case host::MessageKind::Deactivate:
            game.appActive = message.kind == host::MessageKind::Activate ? 1 : 0;
            game.lastFrameTick = game.pumpHost->ticks();
            break;
        case host::MessageKind::SystemClose:
            game.quitRequested = true;
            // Closing destroys the window, and its destruction posts the quit message.
            game.pumpHost->postQuit(0);
            break;
        case host::MessageKind::Char:
            game.input.onChar(message.param);
            break;
        case host::MessageKind::KeyDown:
        case host::MessageKind::Quit:
            break;
    }
}

namespace {

// Takes one message off the queue, waiting up to timeoutMs; false when it was the quit
// message, which ends the program.
bool pumpMessage(Platform& game, uint32_t timeoutMs) {
    const std::optional<host::Message> message = game.pumpHost->nextMessage(timeoutMs);
    if (!message) {
        return true;
    }
    if (message->kind == host::MessageKind::Quit) {
        game.lastMessageParam = message->param;
        game.quitRequested = true;
        return false;
    }
    windowProc(game, *message);
    return true;
}

}  // namespace

bool waitFrame(Platform& game, uint32_t periodMs) {
    if (game.quitRequested) {
        return false;
    }
    for (;;) {
        if (game.appActive != 0) {
            // Handle messages until the period has passed since the end of the last wait.
            // Instead of polling, each pass sleeps in the queue until a message comes or
            // the period is up; a period of 0 still looks at the queue once.
            uint32_t now = game.pumpHost->ticks();
            uint32_t timeout =
                now - game.lastFrameTick < periodMs ? periodMs - (now - game.lastFrameTick) : 0;
            for (;;) {
                if (!pumpMessage(game, timeout)) {
                    return false;
                }
                now = game.pumpHost->ticks();
                const uint32_t elapsed = now - game.lastFrameTick;
                if (elapsed >= periodMs) {
                    break;
                }
                timeout = periodMs - elapsed;
            }
            if (!game.cdMusic.isPlaying() && game.cdMusic.wanted != 0) {
                game.cdMusic.play();
            }
            game.lastFrameTick = now;
            if (game.appActive != 0) {
                return true;
            }
        } else {
            game.cdMusic.stop();
            if (!pumpMessage(game, host::Host::waitForever)) {
                return false;
            }
        }
        if (game.quitRequested) {
            return false;
        }
    }
}

}  // namespace quenford
