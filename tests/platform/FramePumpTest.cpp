#include <gtest/gtest.h>

#include <algorithm>

#include "host/headless/HeadlessHost.h"
#include "platform/FramePump.h"
#include "platform/Platform.h"
#include "support/FakeHost.h"

namespace quenford {
namespace {

using host::HeadlessHost;
using host::HeadlessOptions;
using host::ScriptAction;
using host::ScriptEvent;

constexpr uint32_t start = 1000;

ScriptEvent at(uint64_t ms, ScriptAction action) {
    ScriptEvent event;
    event.atMs = ms;
    event.action = action;
    return event;
}

// A window shown and activated at the start, as the shell leaves it.
class FramePumpTest : public ::testing::Test {
protected:
    void open(std::vector<ScriptEvent> script = {}, uint32_t clockStart = start) {
        HeadlessOptions options;
        options.clockStart = clockStart;
        options.script = std::move(script);
        host = std::make_unique<HeadlessHost>(std::move(options));
        host->setCdAudio(&cd);
        attachFramePump(game, *host);
        host->createWindow("TAMBERLY");
        host->showWindow();
        windowProc(game, *host->nextMessage(0));
        game.cdMusic.open(*host);
        cd.calls.clear();
    }
    // Work that takes ms of the frame without waiting in the pump.
    void work(uint32_t ms) { host->setClock(host->ticks() + ms); }
    long stops() const { return std::count(cd.calls.begin(), cd.calls.end(), "stop"); }

    test::FakeCdAudio cd;
    std::unique_ptr<HeadlessHost> host;
    Platform game;
};

TEST_F(FramePumpTest, PeriodRunsFromTheEndOfTheLastWaitWithoutCatchingUpOrStallingAtTheWrap) {
    open();
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), start + 35);
    work(10);  // drawing counts towards the period
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), start + 70);
    work(100);  // a slow frame is not made up
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), start + 170);
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), start + 205);

    // The tick count's wrap does not stall the wait.
    open({}, UINT32_MAX - 20);
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), 14u);
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), 49u);
    EXPECT_EQ(host->elapsedMs(), 70u);
}

TEST_F(FramePumpTest, ZeroPeriodHandlesAtMostOneMessageAndReturns) {
    open();
    game.input.textEntryOn = 1;
    game.input.charRead = game.input.charWrite;
    host->typeText("ab");
    ASSERT_TRUE(waitFrame(game, 0));
    EXPECT_EQ(host->ticks(), start);
    EXPECT_EQ(game.input.readChar(), 'a');
    EXPECT_EQ(game.input.readChar(), 0);
    ASSERT_TRUE(waitFrame(game, 0));
    EXPECT_EQ(game.input.readChar(), 'b');
    game.input.textEntryOn = 0;
}

// The background freezes the game and stops the music; the wait resumes with a full period.
TEST_F(FramePumpTest, MusicThatRanOutIsPlayedAgainUntilTheBackgroundStopsIt) {
    open({at(40, ScriptAction::Deactivate), at(200, ScriptAction::Activate)});
    game.cdMusic.play();
    cd.mode = 0;
    cd.calls.clear();
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(std::count(cd.calls.begin(), cd.calls.end(), "play"), 1);
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), start + 200 + 35);
    EXPECT_EQ(game.appActive, 1);
    EXPECT_EQ(game.cdMusic.wanted, 0);
    EXPECT_GE(stops(), 1);
    // Once more at the end of the wait in which the window went to the background; never
    // after the stop.
    EXPECT_EQ(std::count(cd.calls.begin(), cd.calls.end(), "play"), 2);
}

TEST_F(FramePumpTest, CloseOrQuitEndsTheProgramAndEveryLaterWaitEvenInTheBackground) {
    open({at(50, ScriptAction::Close)});
    ASSERT_TRUE(waitFrame(game, 35));
    EXPECT_FALSE(waitFrame(game, 35));
    EXPECT_TRUE(game.quitRequested);
    EXPECT_EQ(game.lastMessageParam, 0u);
    const uint32_t then = host->ticks();
    EXPECT_FALSE(waitFrame(game, 35));
    EXPECT_EQ(host->ticks(), then);  // without looking at the queue again

    // The quit message ends the wait even in the background, with its code.
    open({at(10, ScriptAction::Deactivate)});
    host->postQuit(7);
    EXPECT_FALSE(waitFrame(game, 35));
    EXPECT_EQ(game.lastMessageParam, 7u);

    // A background wait that nothing can ever end does not hang.
    open({at(10, ScriptAction::Deactivate)});
    EXPECT_FALSE(waitFrame(game, 35));
    EXPECT_TRUE(game.quitRequested);
}

}  // namespace
}  // namespace quenford
