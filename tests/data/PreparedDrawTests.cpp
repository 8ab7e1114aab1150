// Every picture of the built archives drawn by the game's draws (with the prepared form an
// accepted archive keeps, and without it) against a pixel-by-pixel reference written from
// the picture format, at places that cut it at every edge; the whole buffer must agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "data/BuiltArchive.h"
#include "draw/Draw.h"
#include "draw/MaskedRows.h"
#include "resources/ArchiveLayout.h"
#include "resources/ArchiveValidator.h"

namespace quenford::test {
namespace {

constexpr int32_t pitch = 672;  // wider than the screen: the gap must stay as it was

// A background that no draw can leave unnoticed: every byte differs from its neighbours.
const std::vector<uint8_t>& background() {
    static const std::vector<uint8_t> bytes = [] {
        std::vector<uint8_t> b(pitch * screenHeight);
        for (size_t i = 0; i < b.size(); ++i) {
            b[i] = static_cast<uint8_t>(i * 7 + i / pitch);
        }
        return b;
    }();
    return bytes;
}

struct Screen {
    std::vector<uint8_t> bytes = background();
    BackBuffer buffer{bytes.data(), screenWidth, screenHeight, pitch};
    void reset() { std::memcpy(bytes.data(), background().data(), bytes.size()); }
    void put(int64_t x, int64_t y, uint8_t value) {
        if (x >= 0 && x < screenWidth && y >= 0 && y < screenHeight) {
            bytes[static_cast<size_t>(y * pitch + x)] = value;
        }
    }
};

DrawResult referencePlain(Screen& screen, int32_t x, int32_t y, const Picture& p, uint8_t shift) {
    const int64_t left = int64_t{x} + p.dx;
    const int64_t top = int64_t{y} + p.dy;
    if (left + p.width <= 0 || left >= screenWidth || top + p.height <= 0 || top >= screenHeight) {
        DrawResult none;
        none.nothingDrawn = 1;
        return none;
    }
    for (int64_t r = 0; r < p.height; ++r) {
        for (int64_t c = 0; c < p.width; ++c) {
            const uint8_t value = p.data[r * p.width + c];
            if (value != 0) {
                screen.put(left + c, top + r, static_cast<uint8_t>(value + shift));
            }
        }
    }
    const int64_t x0 = std::max<int64_t>(left, 0), y0 = std::max<int64_t>(top, 0);
    return {static_cast<int32_t>(x0), static_cast<int32_t>(y0),
            static_cast<int32_t>(std::min<int64_t>(left + p.width, screenWidth) - x0),
            static_cast<int32_t>(std::min<int64_t>(top + p.height, screenHeight) - y0), 0};
}

DrawResult referenceRuns(Screen& screen, int32_t x, int32_t y, const Picture& p, bool fills) {
    const int64_t left = int64_t{x} + p.dx;
    const int64_t top = int64_t{y} + p.dy;
    const uint8_t* at = p.data;
    for (int64_t r = 0; r < p.height; ++r) {
        int64_t column = left;
        const unsigned count = *at == 0 ? 256 : *at;
        ++at;
        for (unsigned run = 0; run < count; ++run) {
            const unsigned control = *at++;
            if (control < 0x80) {
                column += control + 1;
            } else if (!fills || control < 0xC0) {
                for (unsigned i = 0; i <= control - 0x80; ++i) {
                    screen.put(column++, top + r, *at++);
                }
            } else {
                for (unsigned i = 0; i <= control - 0xC0; ++i) {
                    screen.put(column++, top + r, *at);
                }
                ++at;
            }
        }
    }
    return {static_cast<int32_t>(left), static_cast<int32_t>(top), p.width, p.height, 0};
}

// Where a picture's left edge lands just off, on and just inside both edges of the screen,
// and in the middle; the same for its top.
std::vector<int32_t> edgePlaces(int32_t size, int32_t offset, int32_t limit) {
    std::vector<int32_t> places;
    for (const int32_t edge : {-size, 1 - size, -size / 2, -1, 0, 1, (limit - size) / 2,
                               limit - size, limit - size + 1, limit - 1, limit}) {
        places.push_back(edge - offset);
    }
    return places;
}

// Every edge place across the middle of the other axis, and the four corners cut at once.
std::vector<std::pair<int32_t, int32_t>> places(const Picture& p) {
    const std::vector<int32_t> xs = edgePlaces(p.width, p.dx, screenWidth);
    const std::vector<int32_t> ys = edgePlaces(p.height, p.dy, screenHeight);
    std::vector<std::pair<int32_t, int32_t>> out = {{0, 0}};
    for (const int32_t x : xs) {
        out.emplace_back(x, ys[6]);
    }
    for (const int32_t y : ys) {
        out.emplace_back(xs[6], y);
    }
    for (const size_t i : {2, 8}) {
        for (const size_t j : {2, 8}) {
            out.emplace_back(xs[i], ys[j]);
        }
    }
    return out;
}

void expectSame(const Screen& drawn, const Screen& expected, const DrawResult& got,
                const DrawResult& want) {
    EXPECT_EQ(got.nothingDrawn, want.nothingDrawn);
    if (want.nothingDrawn == 0) {
        EXPECT_EQ(std::tie(got.left, got.top, got.width, got.height),
                  std::tie(want.left, want.top, want.width, want.height));
    }
    EXPECT_EQ(std::memcmp(drawn.bytes.data(), expected.bytes.data(), drawn.bytes.size()), 0);
}

// Where the processor draws plain rows with masked stores, both ways are checked.
class PreparedDraws : public testing::TestWithParam<bool> {
protected:
    void SetUp() override { useMaskedRows(GetParam()); }
    void TearDown() override { useMaskedRows(true); }
};

INSTANTIATE_TEST_SUITE_P(MaskedRows, PreparedDraws, testing::Bool());

TEST_P(PreparedDraws, EveryBuiltPictureLandsAsPixelByPixelAtEveryEdge) {
    Screen drawn, expected;
    int32_t pictures = 0;
    for (const ArchiveKind kind : {ArchiveKind::GameData, ArchiveKind::Introduction}) {
        const auto archive = archiveFromBytes(kind == ArchiveKind::GameData ? gameArchiveBytes()
                                                                            : introArchiveBytes());
        ASSERT_TRUE(archive && validateLoadedArchive(*archive, kind).ok);
        const std::vector<EntryRule>& rules = archiveLayout(kind);
        for (int32_t n = 0; n < static_cast<int32_t>(rules.size()); ++n) {
            const EntryContent coding = rules[static_cast<size_t>(n)].content;
            std::vector<Picture> shown;
            if (coding == EntryContent::PlainPicture) {
                shown.push_back(archive->picture(n));
            } else if (coding == EntryContent::PlainGroup || coding == EntryContent::RunGroup ||
                       coding == EntryContent::RunFillGroup) {
                const PictureGroup& group = archive->openGroup(n);
                for (int32_t j = 0; j < group.count(); ++j) {
                    shown.push_back(group.picture(j));
                }
            }
            for (const Picture& prepared : shown) {
                ASSERT_NE(prepared.prepared, nullptr) << "entry " << n;
                ++pictures;
                Picture unprepared = prepared;
                unprepared.prepared = nullptr;
                const bool plain =
                    coding == EntryContent::PlainPicture || coding == EntryContent::PlainGroup;
                for (const auto& [x, y] : places(prepared)) {
                    for (const Picture& picture : {prepared, unprepared}) {
                        for (const uint8_t shift : {uint8_t{0}, uint8_t{200}}) {
                            if (!plain && shift != 0) {
                                continue;
                            }
                            SCOPED_TRACE(testing::Message()
                                         << "entry " << n << " " << prepared.width << "x"
                                         << prepared.height << " at " << x << "," << y
                                         << (picture.prepared ? " prepared" : "") << " shift "
                                         << int{shift});
                            drawn.reset();
                            expected.reset();
                            DrawResult got, want;
                            if (plain) {
                                got = drawPictureShifted(drawn.buffer, x, y, picture, shift);
                                want = referencePlain(expected, x, y, picture, shift);
                            } else if (coding == EntryContent::RunGroup) {
                                got = drawRunPicture(drawn.buffer, x, y, picture);
                                want = referenceRuns(expected, x, y, picture, false);
                            } else {
                                got = drawRunFillPicture(drawn.buffer, x, y, picture);
                                want = referenceRuns(expected, x, y, picture, true);
                            }
                            expectSame(drawn, expected, got, want);
                            if (HasFailure()) {
                                return;
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_GT(pictures, 500);
}

}  // namespace
}  // namespace quenford::test
