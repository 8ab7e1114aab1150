#include "platform/PreparedPicture.h"

namespace quenford {

PreparedPicture PreparedPicture::ofPlain(const Picture& picture) {
    PreparedPicture prepared;
    prepared.rowStarts.reserve(size_t{picture.height} + 1);
    const uint8_t* row = picture.data;
    for (uint32_t r = 0; r < picture.height; ++r, row += picture.width) {
        prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
        uint32_t column = 0;
        while (column < picture.width) {
            while (column < picture.width && row[column] == 0) {
                ++column;
            }
            const uint32_t start = column;
            while (column < picture.width && row[column] != 0) {
                ++column;
            }
            if (column > start) {
                prepared.runs.push_back({r * picture.width + start, static_cast<uint16_t>(start),
                                         static_cast<uint16_t>(column - start)});
            }
        }
    }
    prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
    return prepared;
}

PreparedPicture PreparedPicture::ofRuns(const Picture& picture, bool withFills) {
    const unsigned fillLimit = withFills ? 0xC0 : 0x100;
    PreparedPicture prepared;
    prepared.rowStarts.reserve(size_t{picture.height} + 1);
    uint32_t at = 0;
    for (uint32_t r = 0; r < picture.height; ++r) {
        prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
        unsigned count = picture.data[at++];
        count = count == 0 ? 256 : count;
        uint32_t column = 0;
        for (; count != 0; --count) {
            const unsigned control = picture.data[at++];
            if (control < 0x80) {
                column += control + 1;
            } else if (control < fillLimit) {
                const auto length = static_cast<uint16_t>(control - 0x7F);
                prepared.runs.push_back({at, static_cast<uint16_t>(column), length});
                column += length;
                at += length;
            } else {
                const auto length = static_cast<uint16_t>(control - (fillLimit - 1));
                prepared.runs.push_back(
                    {at, static_cast<uint16_t>(column), static_cast<uint16_t>(length | fillMark)});
                column += length;
                at += 1;
            }
        }
    }
    prepared.rowStarts.push_back(static_cast<uint32_t>(prepared.runs.size()));
    return prepared;
}

}  // namespace quenford
