#include <gtest/gtest.h>

#include <functional>

#include "resources/Archive.h"
#include "resources/ArchiveValidator.h"
#include "resources/GameArchive.h"
#include "resources/LoadResources.h"
#include "support/FakeServices.h"
#include "support/TestArchive.h"
#include "support/TestFiles.h"

namespace quenford {
namespace {

using Bytes = std::vector<uint8_t>;

void putWord(Bytes& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}
uint32_t wordAt(const Bytes& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}
// File positions of an entry, of a group's element, and of a group's offset slot.
size_t entryAt(const Bytes& file, int32_t n) {
    return 4 + wordAt(file, 4 + 4 * n);
}
size_t slotAt(const Bytes& file, int32_t n, int32_t j) {
    return entryAt(file, n) + 4 + 4 * j;
}
size_t elementAt(const Bytes& file, int32_t n, int32_t j) {
    return entryAt(file, n) + 4 + wordAt(file, slotAt(file, n, j));
}

TEST(Archive, OffsetsAreResolvedAgainstTheirTablesAndEmptyOrDamagedOnesAreSafe) {
    Bytes file(4 + 32, 0);
    putWord(file, 0, 2);
    putWord(file, 4, 8);
    putWord(file, 8, 12);
    // Entry 1 (block offset 12): a group of 3 elements at offsets 12, 14, 15 of its table.
    putWord(file, 4 + 12, 3);
    putWord(file, 4 + 16, 12);
    putWord(file, 4 + 20, 14);
    putWord(file, 4 + 24, 15);
    auto archive = archiveFromBytes(file);
    ASSERT_TRUE(archive);
    const uint8_t* block = archive->bytes().data();
    EXPECT_EQ(archive->entryCount(), 2);
    EXPECT_EQ(archive->entry(0), block + 8);
    EXPECT_EQ(archive->entry(1), block + 12);
    const PictureGroup& group = archive->openGroup(1);
    ASSERT_EQ(group.count(), 3);
    EXPECT_EQ(group.element(0), block + 16 + 12);
    EXPECT_EQ(group.element(2), block + 16 + 15);
    EXPECT_EQ(&archive->openGroup(1), &group);  // opened once, not relocated twice
    EXPECT_EQ(&archive->group(1), &group);

    // Empty and damaged tables.
    Bytes empty(4, 0);
    auto none = archiveFromBytes(empty);
    ASSERT_TRUE(none);
    EXPECT_EQ(none->entryCount(), 0);
    EXPECT_FALSE(archiveFromBytes(Bytes(3, 0)));

    Bytes past(12, 0);
    putWord(past, 0, 3);  // three offsets in an 8-byte block
    EXPECT_FALSE(archiveFromBytes(past));
    putWord(past, 0, 1);
    putWord(past, 4, 9);  // entry past the end
    EXPECT_FALSE(archiveFromBytes(past));

    putWord(past, 4, 4);
    putWord(past, 8, 0x7FFFFFFF);  // a group whose table would run far past the end
    auto damaged = archiveFromBytes(past);
    ASSERT_TRUE(damaged);
    EXPECT_EQ(damaged->openGroup(0).count(), 0);
    EXPECT_EQ(damaged->openGroup(5).count(), 0);
}

TEST(ArchiveValidator, EveryKindOfDamageIsRefusedWithItsPlace) {
    struct Damage {
        const char* what;
        std::function<void(Bytes&)> apply;
        const char* reasonPart;
    };
    const Damage damages[] = {
        {"count only", [](Bytes& f) { f.resize(3); }, "shorter"},
        {"too few entries", [](Bytes& f) { putWord(f, 0, 45); }, "45 entries"},
        {"table past end", [](Bytes& f) { putWord(f, 0, 0x10000000); }, "entry table"},
        {"entry past end", [](Bytes& f) { putWord(f, 4 + 4 * 5, 0xFFFFFF00); }, "offset 5"},
        {"font too small", [](Bytes& f) { putWord(f, entryAt(f, 26), 255); }, "entry 26"},
        {"element past end", [](Bytes& f) { putWord(f, slotAt(f, 3, 2), 0x40000000); },
         "entry 3: group offset 2"},
        {"plain data past end",
         [](Bytes& f) { putWord(f, elementAt(f, 45 - 20, 9) + 4, 0xFFFFFFFF); },
         "entry 25: element 9"},
        {"width 0", [](Bytes& f) { f[elementAt(f, 7, 1) + 4] = 0, f[elementAt(f, 7, 1) + 5] = 0; },
         "entry 7: element 1"},
        {"run-fill row too narrow", [](Bytes& f) { --f[elementAt(f, 20, 1) + 4]; },
         "entry 20: element 1: row 0"},
        {"run off the right edge", [](Bytes& f) { putWord(f, elementAt(f, 12, 0), 0x0000027F); },
         "entry 12: element 0"},
        {"run-fill above the top", [](Bytes& f) { f[elementAt(f, 40, 15) + 3] = 0xFF; },
         "entry 40: element 15"},
        {"run data past end",
         [](Bytes& f) {
             putWord(f, slotAt(f, 41, 34),
                     static_cast<uint32_t>(f.size() - 12 - entryAt(f, 41) - 4));
         },
         "entry 41: element 34"},
        {"text not terminated",
         [](Bytes& f) {
             putWord(f, slotAt(f, 43, 7), static_cast<uint32_t>(f.size() - 3 - entryAt(f, 43) - 4));
         },
         "entry 43: element 7"},
        {"sounds out of order",
         [](Bytes& f) {
             const uint32_t third = wordAt(f, slotAt(f, 27, 3));
             putWord(f, slotAt(f, 27, 3), wordAt(f, slotAt(f, 27, 4)));
             putWord(f, slotAt(f, 27, 4), third);
         },
         "entry 27: element 4"},
        {"palette cut short", [](Bytes& f) { f.resize(f.size() - 1); }, "entry 45"},
        {"backdrop cut short",
         [](Bytes& f) { putWord(f, 4 + 4 * 11, static_cast<uint32_t>(f.size() - 4 - 1000)); },
         "entry 11"},
        {"cursor of height 0",
         [](Bytes& f) { f[entryAt(f, 24) + 6] = 0, f[entryAt(f, 24) + 7] = 0; }, "entry 24"},
    };
    const ValidationResult sound =
        validateArchive(test::gameArchiveBytes(), ArchiveKind::GameData);
    ASSERT_TRUE(sound.ok) << sound.reason;
    // The game's loading asks the same checks.
    const test::TempFolder folder{"data"};
    test::FakeServices system;
    GameResources game;
    game.system = &system;
    game.dataFolder = folder.string() + "/";
    for (const Damage& damage : damages) {
        Bytes file = test::gameArchiveBytes();
        damage.apply(file);
        const ValidationResult result = validateArchive(file, ArchiveKind::GameData);
        EXPECT_FALSE(result.ok) << damage.what;
        EXPECT_NE(result.reason.find(damage.reasonPart), std::string::npos)
            << damage.what << ": " << result.reason;
        test::writeBytes(folder / "DATA10.RES", file);
        EXPECT_FALSE(loadResources(game)) << damage.what;
    }
    EXPECT_EQ(game.resources, nullptr);
}

TEST(ArchiveValidator, IntroductionNeedsItsPicturesOnTheScreen) {
    const ValidationResult sound =
        validateArchive(test::introArchiveBytes(), ArchiveKind::Introduction);
    ASSERT_TRUE(sound.ok) << sound.reason;
    Bytes fewer = test::introArchiveBytes();
    putWord(fewer, entryAt(fewer, 1), 42);
    EXPECT_FALSE(validateArchive(fewer, ArchiveKind::Introduction).ok);
    Bytes shifted = test::introArchiveBytes();
    shifted[elementAt(shifted, 1, 0)] = 1;  // the full-screen picture moved right by one
    EXPECT_FALSE(validateArchive(shifted, ArchiveKind::Introduction).ok);
    EXPECT_FALSE(validateArchive(test::introArchiveBytes(), ArchiveKind::GameData).ok);
}

}  // namespace
}  // namespace quenford
