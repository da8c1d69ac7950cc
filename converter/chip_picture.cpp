#include "converter/chip_picture.h"

#include <cstdlib>

namespace marlit {

namespace {

enum Colour : uint8_t { kKey = 0, kBlack, kWhite, kGrey, kDark, kRed, kYellow, kBlue };

class Canvas {
  public:
    explicit Canvas(ChipPicture& chip) : chip_(chip) {}
    void set(int x, int y, uint8_t c) {
        if (x >= 0 && y >= 0 && x < ChipPicture::kSize && y < ChipPicture::kSize) {
            chip_.indexes[static_cast<size_t>(y) * ChipPicture::kSize + x] = c;
        }
    }
    void fill(int x, int y, int w, int h, uint8_t c) {
        for (int j = y; j < y + h; ++j) {
            for (int i = x; i < x + w; ++i)
                set(i, j, c);
        }
    }
    void frame(int x, int y, int w, int h, int t, uint8_t c) {
        fill(x, y, w, t, c);
        fill(x, y + h - t, w, t, c);
        fill(x, y, t, h, c);
        fill(x + w - t, y, t, h, c);
    }

  private:
    ChipPicture& chip_;
};

// A triangle pointing down inside the 16 x 16 cell at (x, y): the page-wait mark.
void pageMark(Canvas& c, int x, int y, uint8_t fill, uint8_t edge) {
    for (int row = 0; row < 12; ++row) {
        int half = 6 - row / 2;
        for (int i = -half; i <= half; ++i) {
            bool border = i == -half || i == half || row == 0;
            c.set(x + 8 + i, y + 2 + row, border ? edge : fill);
        }
    }
}

// An arrow pointing right inside the 16 x 16 cell: the choice cursor.
void cursorMark(Canvas& c, int x, int y, uint8_t fill, uint8_t edge) {
    for (int col = 0; col < 12; ++col) {
        int half = 6 - col / 2;
        for (int j = -half; j <= half; ++j) {
            bool border = j == -half || j == half || col == 0;
            c.set(x + 2 + col, y + 8 + j, border ? edge : fill);
        }
    }
}

}  // namespace

ChipPicture makeChipPicture(int screenPercent) {
    ChipPicture chip;
    chip.palette = {{{255, 0, 255},
                     {0, 0, 0},
                     {255, 255, 255},
                     {160, 160, 168},
                     {48, 48, 64},
                     {216, 48, 48},
                     {248, 216, 64},
                     {64, 96, 200}}};
    chip.indexes.assign(ChipPicture::kSize * ChipPicture::kSize, kKey);
    Canvas c(chip);
    const int t = screenPercent >= 80 ? 2 : 1;

    // Row 0: page-wait marks in four colours, then choice cursors.
    const uint8_t colours[4] = {kWhite, kYellow, kRed, kBlue};
    for (int i = 0; i < 4; ++i)
        pageMark(c, 16 * i, 0, colours[i], kBlack);
    for (int i = 0; i < 4; ++i)
        cursorMark(c, 64 + 16 * i, 0, colours[i], kBlack);

    // Row 1: check boxes, empty and ticked, and radio marks.
    for (int i = 0; i < 2; ++i) {
        int x = 16 * i, y = 16;
        c.fill(x + 2, y + 2, 12, 12, kWhite);
        c.frame(x + 2, y + 2, 12, 12, t, kDark);
        if (i == 1) {
            for (int k = 0; k < 4; ++k)
                c.fill(x + 4 + k, y + 7 + k, t + 1, t + 1, kRed);
            for (int k = 0; k < 6; ++k)
                c.fill(x + 8 + k, y + 10 - k, t + 1, t + 1, kRed);
        }
    }
    for (int i = 0; i < 2; ++i) {
        int cx = 32 + 16 * i + 8, cy = 24;
        for (int y = -6; y <= 6; ++y) {
            for (int x = -6; x <= 6; ++x) {
                int d = x * x + y * y;
                if (d <= 36)
                    c.set(cx + x, cy + y, d >= 36 - 12 * t ? kDark : kWhite);
                if (i == 1 && d <= 8)
                    c.set(cx + x, cy + y, kBlue);
            }
        }
    }

    // Row 2-3: a 9-cell window frame (corners 8 x 8, edges and centre),
    // for panels drawn by the engine.
    for (int y = 32; y < 56; ++y) {
        for (int x = 0; x < 24; ++x)
            c.set(x, y, kDark);
    }
    c.frame(0, 32, 24, 24, t, kGrey);
    c.frame(t, 32 + t, 24 - 2 * t, 24 - 2 * t, t, kWhite);

    // Rows 4-7: the eight palette colours as swatches above a striped panel,
    // for checking the colours and the key on a device.
    for (int i = 0; i < 8; ++i)
        c.fill(16 * i, 64, 16, 16, static_cast<uint8_t>(i));
    for (int i = 0; i < 8; ++i)
        c.fill(16 * i, 80, 16, 48, i % 2 ? kGrey : kDark);
    c.frame(0, 80, 128, 48, t, kWhite);
    return chip;
}

std::vector<uint8_t> chipPictureBgr(const ChipPicture& chip) {
    std::vector<uint8_t> bgr;
    bgr.reserve(chip.indexes.size() * 3);
    for (uint8_t i : chip.indexes) {
        const auto& c = chip.palette[i & 7];
        bgr.insert(bgr.end(), {c[2], c[1], c[0]});
    }
    return bgr;
}

}  // namespace marlit
