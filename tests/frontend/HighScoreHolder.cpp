// A running copy of the game as far as HIGH10 is concerned, for the tests that need real
// processes contending for the table or dying while they save it.
//
//   high_score_holder FOLDER add NAME SCORE MS print the rows, add one, hold the table MS
//                                              ms, save
//   high_score_holder FOLDER churn             save table after table until killed
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "frontend/FrontendHost.h"
#include "frontend/HighScoreTable.h"
#include "platform/FramePump.h"
#include "platform/Platform.h"
#include "support/FakeServices.h"

using namespace quenford;

namespace {

// Loads as the display does: another copy holding the table means waiting for it.
void loadWaiting(HighScoreTable& table) {
    HighScoreLoad result = table.load();
    if (result == LoadBusy) {
        std::printf("busy\n");
        std::fflush(stdout);
    }
    while (result == LoadBusy) {
        ::usleep(5000);
        result = table.load();
    }
    if (result == LoadReset) {
        table.create();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    test::FrontendHost host;
    test::FakeServices system;
    system.folder = std::string(argv[1]) + "/";
    Platform game;
    game.system = &system;
    attachFramePump(game, host);
    HighScoreTable table{game};
    const std::string command = argv[2];

    if (command == "add" && argc == 6) {
        loadWaiting(table);
        for (int32_t i = 0; i < table.count; ++i) {
            std::printf("%d %s\n", table.records[i].score, table.records[i].name.data());
        }
        std::fflush(stdout);
        if (table.count < HighScoreCapacity) {
            ++table.count;
        }
        HighScoreRecord& row = table.records[table.count - 1];
        row.setName(argv[3]);
        row.score = std::atoi(argv[4]);
        table.sortDescending();
        std::printf("holding\n");
        std::fflush(stdout);
        ::usleep(static_cast<useconds_t>(std::atoi(argv[5])) * 1000);
        return table.save() ? 0 : 1;
    }
    if (command == "churn") {
        // Table n holds n % 15 + 1 rows, all scored n: a torn or mixed file cannot pass
        // for one of them.
        for (int32_t n = 1;; ++n) {
            loadWaiting(table);
            table.count = n % HighScoreCapacity + 1;
            for (int32_t i = 0; i < table.count; ++i) {
                table.records[i].setName("CHURN");
                table.records[i].score = n;
            }
            table.save();
        }
    }
    return 2;
}
