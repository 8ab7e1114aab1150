#include "host/libretro/TurnTaking.h"

namespace quenford::host {

TurnTaking::~TurnTaking() {
    if (thread.joinable()) {
        thread.join();
    }
}

void TurnTaking::waitFor(std::unique_lock<std::mutex>& held, Turn wanted) {
    changed.wait(held, [&] { return turn == wanted || turn == Turn::Ended; });
}

void TurnTaking::start(std::function<void()> body) {
    turn = Turn::Caller;
    thread = std::thread([this, run = std::move(body)] {
        {
            std::unique_lock held(lock);
            waitFor(held, Turn::Body);
        }
        run();
        const std::lock_guard held(lock);
        turn = Turn::Ended;
        changed.notify_all();
    });
}

bool TurnTaking::giveTurn() {
    {
        std::unique_lock held(lock);
        if (turn != Turn::Ended) {
            turn = Turn::Body;
            changed.notify_all();
            waitFor(held, Turn::Caller);
        }
        if (turn != Turn::Ended) {
            return true;
        }
    }
    if (thread.joinable()) {
        thread.join();
    }
    return false;
}

void TurnTaking::handBack() {
    std::unique_lock held(lock);
    turn = Turn::Caller;
    changed.notify_all();
    waitFor(held, Turn::Body);
}

}  // namespace quenford::host
