#include <gtest/gtest.h>

#include "host/common/Windows1252.h"

namespace quenford::host {
namespace {

// Latin-1 letters, the euro sign and typographic quotes have codes; Cyrillic, CJK, emoji,
// the unassigned C1 controls and malformed UTF-8 are dropped without eating what follows.
TEST(Windows1252Test, TypedTextKeepsWhatTheGameCanShowAndDropsTheRest) {
    // Octal escapes: a letter may follow them directly.
    const std::pair<std::string, std::string> cases[] = {
        {"Anna", "Anna"},
        {"Zoë €5 “ok”", "Zo\353 \2005 \223ok\224"},
        {"aКb日c😀d\302\201", "abcd"},
        {std::string("x\0y", 3), "xy"},
        {"a\303", "a"},            // cut short
        {"a\300\257b", "ab"},      // overlong '/'
        {"a\355\240\200b", "ab"},  // surrogate
        {"a\377b\200c", "abc"},    // stray bytes
        {"\342\202A", "A"},
    };
    for (const auto& [utf8, expected] : cases) {
        EXPECT_EQ(utf8ToWindows1252(utf8), expected) << utf8;
    }
    EXPECT_EQ(utf8ToWindows1252Exact("José Núñez"), "Jos\351 N\372\361ez");
    EXPECT_FALSE(utf8ToWindows1252Exact("Иван"));
    EXPECT_FALSE(utf8ToWindows1252Exact("ab\xC3"));

    // Every assigned code goes to UTF-8 and back.
    for (int code = 1; code < 256; ++code) {
        const std::string one(1, static_cast<char>(code));
        const bool unassigned =
            code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D;
        EXPECT_EQ(utf8ToWindows1252(windows1252ToUtf8(one)), unassigned ? "" : one) << code;
    }
}

}  // namespace
}  // namespace quenford::host
