#include "resources/ArchiveLayout.h"

#include "resources/GameArchive.h"

namespace quenford {

namespace {

std::vector<EntryRule> gameDataRules() {
    std::vector<EntryRule> rules(res::minimumEntries);
    auto set = [&](int32_t first, int32_t last, EntryRule rule) {
        for (int32_t n = first; n <= last; ++n) {
            rules[static_cast<size_t>(n)] = rule;
        }
    };
    set(res::gamePalette, res::gamePalette, {EntryContent::Palette});
    set(1, 5, {EntryContent::PlainGroup, 16});
    set(6, 10, {EntryContent::PlainGroup, 6});
    set(res::fieldBackdrop, res::fieldBackdrop, {EntryContent::FullScreenImage});
    set(res::menuButton, 16, {EntryContent::RunGroup, 7, true});
    set(res::soundToken, res::soundToken, {EntryContent::PlainGroup, 4});
    set(res::backgroundPictures, res::backgroundPictures, {EntryContent::RunFillGroup, 2, true});
    set(19, 23, {EntryContent::RunFillGroup, 4, true});
    set(res::cursor, res::cursor, {EntryContent::PlainPicture});
    set(res::scoreDigits, res::scoreDigits, {EntryContent::PlainGroup, 10});
    set(res::font, res::font, {EntryContent::PlainGroup, 256});
    set(res::soundTable, res::soundTable, {EntryContent::SoundGroup, 14});
    set(res::newScoreMarker, res::newScoreMarker, {EntryContent::PlainGroup, 4});
    set(res::highScoreHeading, res::lossPicture, {EntryContent::PlainPicture});
    set(res::speedSlider, res::speedSlider, {EntryContent::PlainGroup, 2});
    const int32_t ambientFrames[] = {2, 2, 2, 2, 3, 3, 16};
    for (int32_t i = 0; i < 7; ++i) {
        set(res::ambientFrames + i, res::ambientFrames + i,
            {EntryContent::RunFillGroup, ambientFrames[i], true});
    }
    set(res::menuFrames, res::menuFrames, {EntryContent::RunFillGroup, 35, true});
    set(res::transitionPictures, res::transitionPictures, {EntryContent::RunFillGroup, 18, true});
    set(res::texts, res::texts, {EntryContent::TextGroup, 8});
    set(res::titlePicture, res::titlePicture, {EntryContent::PlainPicture});
    set(res::titlePalette, res::titlePalette, {EntryContent::Palette});
    return rules;
}

}  // namespace

const std::vector<EntryRule>& archiveLayout(ArchiveKind kind) {
    static const std::vector<EntryRule> gameData = gameDataRules();
    static const std::vector<EntryRule> introduction = {{EntryContent::Palette},
                                                        {EntryContent::RunFillGroup, 43, true}};
    return kind == ArchiveKind::GameData ? gameData : introduction;
}

}  // namespace quenford
