#include <cstdio>
#include <filesystem>
#include <system_error>

#include "frontend/HighScoreTable.h"
#include "platform/Platform.h"

namespace quenford {

namespace {
// The registry value held at most 260 characters and its terminator.
constexpr size_t folderLimit = 260;

// Said once for each reason: the player should know where the table went, but not every
// time the table is read again.
void reportFallback(const std::string& why, std::string& reported) {
    if (reported == why) {
        return;
    }
    reported = why;
    std::error_code error;
    const std::string here = std::filesystem::current_path(error).string();
    std::fprintf(stderr, "quenford: %s; the high-score table is kept in the current folder, %s\n",
                 why.c_str(), error ? "." : here.c_str());
}
}  // namespace

std::string findHighScoreFolder(Platform& game, std::string& reported) {
    const std::optional<std::string> folder = game.systemServices().collectionFolder();
    if (!folder) {
        reportFallback("the collection's folder cannot be made or used", reported);
    } else if (folder->size() > folderLimit) {
        reportFallback("the collection's folder " + *folder + " is longer than " +
                           std::to_string(folderLimit) + " characters",
                       reported);
    } else {
        return *folder;
    }
    return "./";
}

}  // namespace quenford
