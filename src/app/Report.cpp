#include "app/Report.h"

#include <cstdio>
#include <fstream>

namespace quenford {

std::vector<uint64_t> countSounds(const std::vector<host::PlayedSound>& played,
                                  const PictureGroup& soundTable) {
    // Sound k runs from element k to element k + 1; the last element only ends a sound.
    const int32_t soundCount = std::max(soundTable.count() - 1, 0);
    std::vector<uint64_t> counts(static_cast<size_t>(soundCount), 0);
    for (const host::PlayedSound& sound : played) {
        for (int32_t k = 0; k < soundCount; ++k) {
            if (soundTable.element(k) == sound.data) {
                ++counts[static_cast<size_t>(k)];
                break;
            }
        }
    }
    return counts;
}

std::string jsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

std::string reportJson(const RunReport& report) {
    static constexpr const char* demoNames[] = {"off", "record", "playback"};
    std::string json = "{\n";
    json += "  \"frames\": " + std::to_string(report.frames) + ",\n";
    json += "  \"clockMs\": " + std::to_string(report.clockMs) + ",\n";
    json += "  \"exitCode\": " + std::to_string(report.exitCode) + ",\n";
    json += std::string("  \"modeQ\": ") + (report.modeQ ? "true" : "false") + ",\n";
    json +=
        std::string("  \"demo\": ") + jsonString(demoNames[static_cast<int>(report.demo)]) + ",\n";
    json += "  \"seed\": " + (report.seed ? std::to_string(*report.seed) : "null") + ",\n";
    json += "  \"launcher\": " + (report.launcher ? jsonString(*report.launcher) : "null") + ",\n";
    json += "  \"sounds\": [";
    for (size_t i = 0; i < report.sounds.size(); ++i) {
        json += (i == 0 ? "" : ", ") + std::to_string(report.sounds[i]);
    }
    json += "],\n  \"signs\": [";
    static constexpr const char* signNames[] = {"none", "paused", "controls", "rules"};
    for (size_t i = 0; i < report.signs.size(); ++i) {
        json += (i == 0 ? "" : ", ") + jsonString(signNames[static_cast<int>(report.signs[i])]);
    }
    json += "]";
    for (const ReportField& field : report.gameFields) {
        json += ",\n  " + jsonString(field.name) + ": " + field.json;
    }
    return json + "\n}\n";
}

bool writeReport(const std::string& path, const RunReport& report) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << reportJson(report);
    file.close();
    return static_cast<bool>(file);
}

}  // namespace quenford
