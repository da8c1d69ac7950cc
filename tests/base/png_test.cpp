#include "base/png.h"

#include <gtest/gtest.h>

#include "base/files.h"
#include "tests/support/temp_dir.h"

namespace marlit {
namespace {

TEST(Png, RoundTripsRgbAndRgba) {
    test::TempDir dir;
    for (int channels : {3, 4}) {
        PngImage img{3, 2, channels, {}};
        for (int i = 0; i < 3 * 2 * channels; ++i) img.pixels.push_back(static_cast<uint8_t>(i * 11));
        std::string path = dir.file("p.png");
        ASSERT_TRUE(writePng(path, img));
        auto back = readPng(path);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->channels, channels);
        EXPECT_EQ(back->width, 3);
        EXPECT_EQ(back->pixels, img.pixels);
    }
}

TEST(Png, RefusesWhatIsNotAPng) {
    test::TempDir dir;
    std::string path = dir.file("bad.png");
    writeWholeAtomic(path, std::vector<uint8_t>{1, 2, 3, 4});
    std::string error;
    EXPECT_FALSE(readPng(path, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(readPng(dir.file("none.png")));
    EXPECT_FALSE(encodePng(PngImage{2, 2, 3, {1, 2, 3}}));  // too few pixels
}

}  // namespace
}  // namespace marlit
