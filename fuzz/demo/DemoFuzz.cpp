// libFuzzer target: any bytes as DATA12.RES played back. The pointer must stay on the
// screen, the buttons must stay two states, and playback must end with the file.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "ScratchFolder.h"
#include "platform/Input.h"
#include "support/FakeHost.h"
#include "support/FakeServices.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace quenford;
    static const std::string path =
        scratchFolder() + "quenford-demo-fuzz-" + std::to_string(::getpid());
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    } else {
        return 0;
    }
    test::FakeHost host;
    Input in;
    if (in.init(host) != InputReady) {
        return 0;
    }
    test::FakeServices system;
    in.openDemo(path, DemoPlayback, system);
    // Each frame reads at most two words, so the file is used up within size / 4 + 1 frames.
    const size_t frames = size / 4 + 2;
    for (size_t frame = 0; frame < frames && in.demoOn != 0; ++frame) {
        host.mouseReadings.push_back({static_cast<int32_t>(frame % 7) - 3, 1, 0, 0});
        in.updateMouse();
        if (in.mouseX < 0 || in.mouseX > 639 || in.mouseY < 0 || in.mouseY > 479 ||
            (in.leftButton != 0 && in.leftButton != 1 && in.leftButton != 0x80)) {
            std::abort();
        }
    }
    if (in.demoOn != 0) {
        std::abort();
    }
    in.shutdown();
    return 0;
}
