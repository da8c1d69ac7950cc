#include "formats/jbp_idct.h"

#include <algorithm>

namespace marlit::jbp {
namespace {

template <typename T>
inline T mul(T x, int32_t c) {
    return (x * c) >> 16;
}

// One 8-point transform: in[i * stride] -> out[i * stride].
template <typename T, int kShift>
inline void transform(const T* d, T* out, int inStride, int outStride) {
    T d0 = d[0], d1 = d[inStride], d2 = d[2 * inStride], d3 = d[3 * inStride];
    T d4 = d[4 * inStride], d5 = d[5 * inStride], d6 = d[6 * inStride], d7 = d[7 * inStride];

    T z1 = mul<T>(d2 + d6, 35467);
    T tmp2 = z1 + mul<T>(d6, -121094);
    T tmp3 = z1 + mul<T>(d2, 50159);
    T tmp0 = d0 + d4;
    T tmp1 = d0 - d4;
    T tmp10 = tmp0 + tmp3, tmp13 = tmp0 - tmp3;
    T tmp11 = tmp1 + tmp2, tmp12 = tmp1 - tmp2;

    T o0 = d7, o1 = d5, o2 = d3, o3 = d1;
    T y1 = o0 + o3, y2 = o1 + o2, y3 = o0 + o2, y4 = o1 + o3;
    T y5 = mul<T>(y3 + y4, 77062);
    o0 = mul<T>(o0, 19571);
    o1 = mul<T>(o1, 134553);
    o2 = mul<T>(o2, 201373);
    o3 = mul<T>(o3, 98390);
    y1 = mul<T>(y1, -58980);
    y2 = mul<T>(y2, -167963);
    y3 = mul<T>(y3, -128553) + y5;
    y4 = mul<T>(y4, -25570) + y5;
    o0 += y1 + y3;
    o1 += y2 + y4;
    o2 += y2 + y3;
    o3 += y1 + y4;

    out[0] = (tmp10 + o3) >> kShift;
    out[7 * outStride] = (tmp10 - o3) >> kShift;
    out[outStride] = (tmp11 + o2) >> kShift;
    out[6 * outStride] = (tmp11 - o2) >> kShift;
    out[2 * outStride] = (tmp12 + o1) >> kShift;
    out[5 * outStride] = (tmp12 - o1) >> kShift;
    out[3 * outStride] = (tmp13 + o0) >> kShift;
    out[4 * outStride] = (tmp13 - o0) >> kShift;
}

constexpr uint64_t kColumnRest = 0x0101010101010100ull;  // rows 1..7 of column 0
constexpr uint64_t kColumnZero = 0x0101010101010101ull;  // all of column 0

}  // namespace

template <typename T>
void inverseDct(const int32_t* levels, uint64_t nonzero, const uint8_t* quant, T* out) {
    if ((nonzero & ~uint64_t{1}) == 0) {
        // A flat block: both passes reduce to the dequantized DC.
        T v = (static_cast<T>(levels[0]) * quant[0]) >> 3;
        std::fill(out, out + 64, v);
        return;
    }
    T work[64];
    for (int c = 0; c < 8; ++c) {
        if ((nonzero & (kColumnRest << c)) == 0) {
            T v = static_cast<T>(levels[c]) * quant[c];
            for (int r = 0; r < 8; ++r)
                work[r * 8 + c] = v;
            continue;
        }
        T d[64 / 8];
        for (int r = 0; r < 8; ++r)
            d[r] = static_cast<T>(levels[r * 8 + c]) * quant[r * 8 + c];
        transform<T, 0>(d, work + c, 1, 8);
    }
    if ((nonzero & ~kColumnZero) == 0) {
        // Columns 1..7 were empty, so every row holds only its first value.
        for (int r = 0; r < 8; ++r)
            std::fill(out + r * 8, out + r * 8 + 8, work[r * 8] >> 3);
        return;
    }
    for (int r = 0; r < 8; ++r)
        transform<T, 3>(work + r * 8, out + r * 8, 1, 1);
}

template void inverseDct<int32_t>(const int32_t*, uint64_t, const uint8_t*, int32_t*);
template void inverseDct<int64_t>(const int32_t*, uint64_t, const uint8_t*, int64_t*);

}  // namespace marlit::jbp
