#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace quenford::host {

// A body of code that keeps its own loops, run on a thread of its own but never at the same
// time as its caller: the caller gives it the turn and waits until it gives the turn back
// or ends. Everything either side wrote before handing the turn over is seen by the other.
class TurnTaking {
public:
    TurnTaking() = default;
    TurnTaking(const TurnTaking&) = delete;
    TurnTaking& operator=(const TurnTaking&) = delete;
    // The body must have ended (giveTurn returned false) before this runs.
    ~TurnTaking();

    // Starts the body, which waits for its first turn.
    void start(std::function<void()> body);
    // Caller: lets the body run until it hands the turn back (true) or ends (false; its
    // thread is joined by then).
    bool giveTurn();
    // Body: hands the turn back and waits for the next one.
    void handBack();

private:
    enum class Turn { Caller, Body, Ended };

    void waitFor(std::unique_lock<std::mutex>& held, Turn wanted);

    std::mutex lock;
    std::condition_variable changed;
    Turn turn = Turn::Caller;
    std::thread thread;
};

}  // namespace quenford::host
