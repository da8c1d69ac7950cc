// The pictures mksample writes, read back as the converter reads them: the
// system pictures are at the size the player cuts from and hold a drawn
// piece in every rectangle it cuts; the game's CRX files use both
// compression types, every depth and every row filter.
#include <gtest/gtest.h>

#include <zlib.h>

#include <set>

#include "base/bytes.h"
#include "converter/crx_decoder.h"
#include "tests/support/file_bytes.h"
#include "tests/tools/samplegame/sample_folder.h"
#include "tools/samplegame/layout.h"

namespace marlit {
namespace {

bool isKey(const uint8_t* p) {
    return p[0] == 255 && p[1] == 0 && p[2] == 255;
}

TEST(SystemPictures, EveryCutHoldsADrawnPiece) {
    const std::string& game = test::smallSampleFolder();
    const auto pictures = sample::systemPictures();
    ASSERT_GT(pictures.size(), 20u);
    for (const sample::SystemPicture& sp : pictures) {
        const auto bytes = test::readFileBytes(test::gameFile(game, sp.path));
        std::string error;
        auto picture = DecodeCrx(bytes, &error);
        ASSERT_TRUE(picture) << sp.path << ": " << error;
        EXPECT_EQ(picture->width, sp.width) << sp.path;
        EXPECT_EQ(picture->height, sp.height) << sp.path;
        const int bpp = picture->bytesPerPixel;
        for (const sample::Cut& cut : sp.cuts) {
            const sample::Rect r = cut.rect;
            ASSERT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= picture->width &&
                        r.y + r.h <= picture->height)
                << sp.path << ": " << cut.what << " lies outside the picture";
            size_t drawn = 0;
            std::set<uint32_t> colours;
            for (int y = r.y; y < r.y + r.h; ++y) {
                for (int x = r.x; x < r.x + r.w; ++x) {
                    const uint8_t* p = picture->row(y) + x * bpp;
                    if (sp.keyed && isKey(p))
                        continue;
                    ++drawn;
                    colours.insert(p[0] | (p[1] << 8) | (p[2] << 16));
                }
            }
            // A piece covers a fair part of its rectangle (a thin digit or
            // a petal seen edge-on less than a plate) and is more than one
            // flat colour.
            EXPECT_GT(drawn * 16, static_cast<size_t>(r.w) * r.h) << sp.path << ": " << cut.what;
            EXPECT_GT(colours.size(), 3u) << sp.path << ": " << cut.what;
        }
    }
}

// The row filters of a type-2 direct-colour picture, walking its rows as
// the decoder does.
std::set<int> rowFilters(const std::vector<uint8_t>& file, int width, int height, int bpp) {
    std::vector<uint8_t> rows(static_cast<size_t>(height) * (width * bpp + 1) * 2 + 1024);
    uLongf size = rows.size();
    uncompress(rows.data(), &size, file.data() + 20, file.size() - 20);
    std::set<int> filters;
    size_t pos = 0;
    for (int y = 0; y < height && pos < size; ++y) {
        const int filter = rows[pos++];
        filters.insert(filter);
        if (filter != 4) {
            pos += static_cast<size_t>(width) * bpp;
            continue;
        }
        for (int plane = 0; plane < bpp; ++plane) {
            for (int n = 0; n < width && pos < size;) {
                const uint8_t v = rows[pos++];
                ++n;
                if (n < width && pos + 1 < size && rows[pos] == v) {
                    n += rows[pos + 1];
                    pos += 2;
                }
            }
        }
    }
    return filters;
}

TEST(SystemPictures, TheGameUsesEveryKindOfCrx) {
    std::set<std::string> kinds;
    std::set<int> filters;
    for (const auto& [path, bytes] : test::folderFiles(test::smallSampleFolder())) {
        if (path.size() < 4 ||
            (path.substr(path.size() - 4) != ".crx" && path.substr(path.size() - 4) != ".CRX"))
            continue;
        ASSERT_GT(bytes.size(), 20u) << path;
        const int width = loadU16(&bytes[8]), height = loadU16(&bytes[10]);
        const bool zlib = loadU16(&bytes[12]) == 2;
        const uint32_t depth = zlib ? loadU32(&bytes[16]) : loadU16(&bytes[16]);
        const std::string kind =
            std::string(zlib ? "zlib " : "lz ") + (depth == 0           ? "24"
                                                   : depth == 1 && zlib ? "32"
                                                                        : "indexed");
        kinds.insert(kind);
        if (zlib && depth <= 1) {
            for (int f : rowFilters(bytes, width, height, depth ? 4 : 3))
                filters.insert(f);
        }
        std::string error;
        EXPECT_TRUE(DecodeCrx(bytes, &error)) << path << ": " << error;
    }
    EXPECT_EQ(kinds,
              (std::set<std::string>{"lz 24", "lz indexed", "zlib 24", "zlib 32", "zlib indexed"}));
    EXPECT_EQ(filters, (std::set<int>{0, 1, 2, 3, 4}));
}

}  // namespace
}  // namespace marlit
