// The 32-bit inverse DCT with AVX2: a row of eight 32-bit values fills one
// register, so each pass runs the eight 1-D transforms side by side with
// the same multiplies and shifts as the scalar code.
#include <immintrin.h>

#include <atomic>

#include "formats/jbp_idct.h"

namespace marlit::jbp {
namespace {

#define MARLIT_AVX2 __attribute__((target("avx2")))

MARLIT_AVX2 inline __m256i mul(__m256i x, int32_t c) {
    return _mm256_srai_epi32(_mm256_mullo_epi32(x, _mm256_set1_epi32(c)), 16);
}

// The 1-D transform across eight registers, in place.
MARLIT_AVX2 inline void transform(__m256i* d) {
    __m256i z1 = mul(_mm256_add_epi32(d[2], d[6]), 35467);
    __m256i tmp2 = _mm256_add_epi32(z1, mul(d[6], -121094));
    __m256i tmp3 = _mm256_add_epi32(z1, mul(d[2], 50159));
    __m256i tmp0 = _mm256_add_epi32(d[0], d[4]);
    __m256i tmp1 = _mm256_sub_epi32(d[0], d[4]);
    __m256i tmp10 = _mm256_add_epi32(tmp0, tmp3), tmp13 = _mm256_sub_epi32(tmp0, tmp3);
    __m256i tmp11 = _mm256_add_epi32(tmp1, tmp2), tmp12 = _mm256_sub_epi32(tmp1, tmp2);

    __m256i o0 = d[7], o1 = d[5], o2 = d[3], o3 = d[1];
    __m256i y1 = _mm256_add_epi32(o0, o3), y2 = _mm256_add_epi32(o1, o2);
    __m256i y3 = _mm256_add_epi32(o0, o2), y4 = _mm256_add_epi32(o1, o3);
    __m256i y5 = mul(_mm256_add_epi32(y3, y4), 77062);
    o0 = mul(o0, 19571);
    o1 = mul(o1, 134553);
    o2 = mul(o2, 201373);
    o3 = mul(o3, 98390);
    y1 = mul(y1, -58980);
    y2 = mul(y2, -167963);
    y3 = _mm256_add_epi32(mul(y3, -128553), y5);
    y4 = _mm256_add_epi32(mul(y4, -25570), y5);
    o0 = _mm256_add_epi32(o0, _mm256_add_epi32(y1, y3));
    o1 = _mm256_add_epi32(o1, _mm256_add_epi32(y2, y4));
    o2 = _mm256_add_epi32(o2, _mm256_add_epi32(y2, y3));
    o3 = _mm256_add_epi32(o3, _mm256_add_epi32(y1, y4));

    d[0] = _mm256_add_epi32(tmp10, o3);
    d[7] = _mm256_sub_epi32(tmp10, o3);
    d[1] = _mm256_add_epi32(tmp11, o2);
    d[6] = _mm256_sub_epi32(tmp11, o2);
    d[2] = _mm256_add_epi32(tmp12, o1);
    d[5] = _mm256_sub_epi32(tmp12, o1);
    d[3] = _mm256_add_epi32(tmp13, o0);
    d[4] = _mm256_sub_epi32(tmp13, o0);
}

MARLIT_AVX2 inline void transpose(__m256i* r) {
    __m256i t0 = _mm256_unpacklo_epi32(r[0], r[1]), t1 = _mm256_unpackhi_epi32(r[0], r[1]);
    __m256i t2 = _mm256_unpacklo_epi32(r[2], r[3]), t3 = _mm256_unpackhi_epi32(r[2], r[3]);
    __m256i t4 = _mm256_unpacklo_epi32(r[4], r[5]), t5 = _mm256_unpackhi_epi32(r[4], r[5]);
    __m256i t6 = _mm256_unpacklo_epi32(r[6], r[7]), t7 = _mm256_unpackhi_epi32(r[6], r[7]);
    __m256i u0 = _mm256_unpacklo_epi64(t0, t2), u1 = _mm256_unpackhi_epi64(t0, t2);
    __m256i u2 = _mm256_unpacklo_epi64(t1, t3), u3 = _mm256_unpackhi_epi64(t1, t3);
    __m256i u4 = _mm256_unpacklo_epi64(t4, t6), u5 = _mm256_unpackhi_epi64(t4, t6);
    __m256i u6 = _mm256_unpacklo_epi64(t5, t7), u7 = _mm256_unpackhi_epi64(t5, t7);
    r[0] = _mm256_permute2x128_si256(u0, u4, 0x20);
    r[1] = _mm256_permute2x128_si256(u1, u5, 0x20);
    r[2] = _mm256_permute2x128_si256(u2, u6, 0x20);
    r[3] = _mm256_permute2x128_si256(u3, u7, 0x20);
    r[4] = _mm256_permute2x128_si256(u0, u4, 0x31);
    r[5] = _mm256_permute2x128_si256(u1, u5, 0x31);
    r[6] = _mm256_permute2x128_si256(u2, u6, 0x31);
    r[7] = _mm256_permute2x128_si256(u3, u7, 0x31);
}

}  // namespace

MARLIT_AVX2 void inverseDctAvx2(const int32_t* levels, const int32_t* quant, int32_t* out) {
    __m256i d[8];
    // Rows of levels: one register holds a row, so the first pass works on
    // the eight columns at once.
    for (int r = 0; r < 8; ++r) {
        d[r] =
            _mm256_mullo_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(levels + 8 * r)),
                               _mm256_loadu_si256(reinterpret_cast<const __m256i*>(quant + 8 * r)));
    }
    transform(d);
    transpose(d);
    transform(d);
    transpose(d);
    for (int r = 0; r < 8; ++r) {
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 8 * r), _mm256_srai_epi32(d[r], 3));
    }
}

namespace {
std::atomic<bool> avx2Allowed{true};
}  // namespace

bool hasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has && avx2Allowed.load(std::memory_order_relaxed);
}

void allowAvx2(bool allowed) {
    avx2Allowed.store(allowed, std::memory_order_relaxed);
}

}  // namespace marlit::jbp
