#include "formats/jbp_colour.h"

#include <emmintrin.h>

#include <algorithm>

namespace marlit::jbp {

ClampTables::ClampTables() {
    for (int i = 0; i < 768; ++i) {
        int v = std::clamp(i - 256, 0, 255);
        red[i] = static_cast<uint16_t>((v & 0xF8) << 8);
        green[i] = static_cast<uint16_t>((v & 0xFC) << 3);
        blue[i] = static_cast<uint16_t>(v >> 3);
    }
}

namespace {

template <typename T>
inline int index(T v) {
    return static_cast<int>(std::clamp<T>(v, -256, 511)) + 256;
}

}  // namespace

template <typename T>
void macroblockToRgb565(const T (*samples)[64], const ClampTables& t, uint16_t* out, int pitch) {
    const T* cbBlock = samples[4];
    const T* crBlock = samples[5];
    for (int cy = 0; cy < 8; ++cy) {
        for (int half = 0; half < 2; ++half) {
            const T* yBlock = samples[(cy >= 4) * 2 + half];
            int yBase = (cy & 3) * 16;
            for (int cx = 0; cx < 4; ++cx) {
                int64_t cb = cbBlock[cy * 8 + half * 4 + cx];
                int64_t cr = crBlock[cy * 8 + half * 4 + cx];
                T blue = static_cast<T>((cb * 116129) >> 16) + 128;
                T red = static_cast<T>((cr * 91881) >> 16) + 128;
                T green = 128 - static_cast<T>((cb * 22553 + cr * 46801) >> 16);
                for (int dy = 0; dy < 2; ++dy) {
                    uint16_t* o = out + (cy * 2 + dy) * pitch + half * 8 + cx * 2;
                    for (int dx = 0; dx < 2; ++dx) {
                        T y = yBlock[yBase + dy * 8 + cx * 2 + dx];
                        o[dx] = static_cast<uint16_t>(t.red[index<T>(y + red)] |
                                                      t.green[index<T>(y + green)] |
                                                      t.blue[index<T>(y + blue)]);
                    }
                }
            }
        }
    }
}

template void macroblockToRgb565<int32_t>(const int32_t (*)[64], const ClampTables&, uint16_t*,
                                          int);
template void macroblockToRgb565<int64_t>(const int64_t (*)[64], const ClampTables&, uint16_t*,
                                          int);

namespace {

inline __m128i load8(const int32_t* p) {
    return _mm_packs_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 4)));
}

// Eight pixels from saturated luminance and the three chrominance terms.
inline __m128i pixels(__m128i y, __m128i blue, __m128i red, __m128i green) {
    const __m128i zero = _mm_setzero_si128(), top = _mm_set1_epi16(255);
    y = _mm_adds_epi16(y, _mm_set1_epi16(128));
    __m128i b = _mm_min_epi16(_mm_max_epi16(_mm_adds_epi16(y, blue), zero), top);
    __m128i r = _mm_min_epi16(_mm_max_epi16(_mm_adds_epi16(y, red), zero), top);
    __m128i g = _mm_min_epi16(_mm_max_epi16(_mm_subs_epi16(y, green), zero), top);
    r = _mm_slli_epi16(_mm_and_si128(r, _mm_set1_epi16(0xF8)), 8);
    g = _mm_slli_epi16(_mm_and_si128(g, _mm_set1_epi16(0xFC)), 3);
    return _mm_or_si128(_mm_or_si128(r, g), _mm_srli_epi16(b, 3));
}

}  // namespace

bool macroblockToRgb565Fast(const int32_t (*samples)[64], uint16_t* out, int pitch) {
    __m128i cb[8], cr[8];
    const __m128i limit = _mm_set1_epi16(16383), low = _mm_set1_epi16(-16383);
    __m128i outside = _mm_setzero_si128();
    for (int r = 0; r < 8; ++r) {
        cb[r] = load8(samples[4] + 8 * r);
        cr[r] = load8(samples[5] + 8 * r);
        outside = _mm_or_si128(
            outside, _mm_or_si128(_mm_cmpgt_epi16(cb[r], limit), _mm_cmplt_epi16(cb[r], low)));
        outside = _mm_or_si128(
            outside, _mm_or_si128(_mm_cmpgt_epi16(cr[r], limit), _mm_cmplt_epi16(cr[r], low)));
    }
    if (_mm_movemask_epi8(outside) != 0)
        return false;

    // Constants above 32767 split into whole multiples of 65536 and a
    // 16-bit rest: (c * 116129) >> 16 = 2c + ((c * -14943) >> 16), (c *
    // 91881) >> 16 = c + ((c * 26345) >> 16), and the green sum takes
    // 46801 as 65536 - 18735.
    const __m128i kBlue = _mm_set1_epi16(-14943), kRed = _mm_set1_epi16(26345);
    const __m128i kGreen =
        _mm_set_epi16(-18735, 22553, -18735, 22553, -18735, 22553, -18735, 22553);
    const __m128i zero = _mm_setzero_si128();
    for (int cy = 0; cy < 8; ++cy) {
        __m128i blue = _mm_add_epi16(_mm_add_epi16(cb[cy], _mm_mulhi_epi16(cb[cy], kBlue)), cb[cy]);
        __m128i red = _mm_add_epi16(cr[cy], _mm_mulhi_epi16(cr[cy], kRed));
        __m128i gLow = _mm_add_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(cb[cy], cr[cy]), kGreen),
                                     _mm_unpacklo_epi16(zero, cr[cy]));
        __m128i gHigh = _mm_add_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(cb[cy], cr[cy]), kGreen),
                                      _mm_unpackhi_epi16(zero, cr[cy]));
        __m128i green = _mm_packs_epi32(_mm_srai_epi32(gLow, 16), _mm_srai_epi32(gHigh, 16));
        // Each chrominance sample covers two pixels across.
        const __m128i halves[2][3] = {{_mm_unpacklo_epi16(blue, blue), _mm_unpacklo_epi16(red, red),
                                       _mm_unpacklo_epi16(green, green)},
                                      {_mm_unpackhi_epi16(blue, blue), _mm_unpackhi_epi16(red, red),
                                       _mm_unpackhi_epi16(green, green)}};
        const int top = (cy >= 4) * 2;
        for (int dy = 0; dy < 2; ++dy) {
            const int row = ((cy & 3) * 2 + dy) * 8;
            uint16_t* o = out + (cy * 2 + dy) * pitch;
            for (int half = 0; half < 2; ++half) {
                __m128i y = load8(samples[top + half] + row);
                __m128i px = pixels(y, halves[half][0], halves[half][1], halves[half][2]);
                _mm_storeu_si128(reinterpret_cast<__m128i*>(o + 8 * half), px);
            }
        }
    }
    return true;
}

}  // namespace marlit::jbp
