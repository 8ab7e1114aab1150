#include <gtest/gtest.h>

#include "host/common/Windows1252.h"

namespace quenford::host {
namespace {

TEST(Windows1252Test, TypedTextKeepsWhatTheGameCanShowAndDropsTheRest) {
    EXPECT_EQ(utf8ToWindows1252("Anna"), "Anna");
    // Latin-1 letters, the euro sign and typographic quotes have codes; Cyrillic, CJK,
    // emoji and the unassigned C1 controls do not.
    EXPECT_EQ(utf8ToWindows1252("Zoë €5 “ok”"),
              "Zo\xEB \x80"
              "5 \x93ok\x94");
    EXPECT_EQ(utf8ToWindows1252("aКb日c😀d\xC2\x81"), "abcd");
    EXPECT_EQ(utf8ToWindows1252(std::string("x\0y", 3)), "xy");
}

TEST(Windows1252Test, MalformedUtf8IsDroppedWithoutEatingWhatFollows) {
    EXPECT_EQ(utf8ToWindows1252("a\xC3"), "a");  // cut short
    EXPECT_EQ(utf8ToWindows1252("a\xC0\xAF"
                                "b"),
              "ab");  // overlong '/'
    EXPECT_EQ(utf8ToWindows1252("a\xED\xA0\x80"
                                "b"),
              "ab");  // surrogate
    EXPECT_EQ(utf8ToWindows1252("a\xFF"
                                "b\x80"
                                "c"),
              "abc");  // stray bytes
    EXPECT_EQ(utf8ToWindows1252("\xE2\x82"
                                "A"),
              "A");
}

TEST(Windows1252Test, ExactConversionRefusesAnythingItWouldDrop) {
    EXPECT_EQ(utf8ToWindows1252Exact("José Núñez"),
              "Jos\xE9 N\xFA\xF1"
              "ez");
    EXPECT_FALSE(utf8ToWindows1252Exact("Иван"));
    EXPECT_FALSE(utf8ToWindows1252Exact("ab\xC3"));
}

TEST(Windows1252Test, EveryAssignedCodeGoesToUtf8AndBack) {
    for (int code = 1; code < 256; ++code) {
        const std::string one(1, static_cast<char>(code));
        const std::string utf8 = windows1252ToUtf8(one);
        const bool unassigned =
            code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
        EXPECT_EQ(utf8ToWindows1252(utf8), unassigned ? "" : one) << code;
    }
}

}  // namespace
}  // namespace quenford::host
