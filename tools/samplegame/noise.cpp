#include "tools/samplegame/noise.h"

#include <cmath>

namespace marlit::sample {

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::unit() {
    return static_cast<float>(next() >> 40) / static_cast<float>(1ull << 24);
}

int Rng::below(int n) {
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n));
}

float hash2(int x, int y, uint32_t seed) {
    uint32_t h = static_cast<uint32_t>(x) * 0x8DA6B343u ^ static_cast<uint32_t>(y) * 0xD8163841u ^
                 seed * 0xCB1AB31Fu;
    h ^= h >> 13;
    h *= 0x5BD1E995u;
    h ^= h >> 15;
    return static_cast<float>(h >> 8) / static_cast<float>(1u << 24);
}

float valueNoise(float x, float y, uint32_t seed) {
    const float fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    float tx = x - fx, ty = y - fy;
    tx = tx * tx * (3 - 2 * tx);
    ty = ty * ty * (3 - 2 * ty);
    const float a = hash2(ix, iy, seed), b = hash2(ix + 1, iy, seed);
    const float c = hash2(ix, iy + 1, seed), d = hash2(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float fractalNoise(float x, float y, uint32_t seed, int octaves) {
    float sum = 0, weight = 0, amplitude = 1, scale = 1;
    for (int i = 0; i < octaves; ++i) {
        sum += valueNoise(x * scale, y * scale, seed + 101u * i) * amplitude;
        weight += amplitude;
        amplitude *= 0.5f;
        scale *= 2;
    }
    return sum / weight;
}

}  // namespace marlit::sample
