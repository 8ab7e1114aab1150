#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/CommandLine.h"
#include "host/Host.h"
#include "host/PlayedSound.h"
#include "resources/Archive.h"

namespace quenford {

struct Game;

// One field of the report with its value already written as JSON.
struct ReportField {
    std::string name;
    std::string json;
};

// What a run reports at its end.
struct RunReport {
    uint64_t frames = 0;
    uint32_t clockMs = 0;
    uint32_t exitCode = 0;
    bool modeQ = false;
    DemoChoice demo = DemoChoice::Off;
    std::optional<uint32_t> seed;  // the random numbers' seed, once the game has taken it
    std::optional<std::string> launcher;
    std::vector<uint64_t> sounds;   // starts per sound of the archive's sound table
    std::vector<host::Sign> signs;  // the signs shown over the picture, in order
    std::vector<ReportField> gameFields;
};

// How often each sound of the table was started, found by where its data begin.
std::vector<uint64_t> countSounds(const std::vector<host::PlayedSound>& played,
                                  const PictureGroup& soundTable);

// The game's own state at the end of the flow (while its archive is still loaded).
std::vector<ReportField> gameReportFields(const Game& game);

std::string jsonString(std::string_view utf8);
std::string reportJson(const RunReport& report);
bool writeReport(const std::string& path, const RunReport& report);

}  // namespace quenford
