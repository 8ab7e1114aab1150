// Records the demo that ships with the game: the built-in player plays for about three
// minutes, taking a new board rather than ever finishing a game (a finished game would
// ask the viewer for a name, and whether it does depends on the viewer's table), then
// quits from the in-game menu, which ends the playback the same way.
#include <cstdio>
#include <string>

#include "demo/DemoRun.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER DEMO_FILE\n", argv[0]);
        return 2;
    }
    quenford::autoplay::AutoplayOptions player;
    player.keepGameOpen = true;
    player.quitAfterFrames = 5200;  // about three minutes at 35 ms a frame
    const quenford::demo::DemoPaths paths{argv[1], argv[2]};
    const quenford::demo::EndState recorded = quenford::demo::recordDemo(paths, player);
    const quenford::demo::EndState played = quenford::demo::playDemo(paths, recorded);
    if (!(played == recorded)) {
        std::fprintf(stderr, "%s does not play back as recorded:\n%s\nagainst\n%s", argv[2],
                     quenford::demo::formatEndState(played).c_str(),
                     quenford::demo::formatEndState(recorded).c_str());
        return 1;
    }
    std::printf("%s: %llu frames, score %d\n", argv[2],
                static_cast<unsigned long long>(recorded.frames), recorded.score);
    return 0;
}
