#include "converter/picture_scaler.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "converter/key_list.h"

namespace marlit {

namespace {

// Scaled pictures beyond this are refused rather than allocated.
constexpr uint64_t kMaxScaledBytes = 256u << 20;

struct Tap {
    uint32_t index;
    uint32_t weight;  // in 1/1024 of a source pixel
};

// The source pixels and weights of every destination pixel along one axis.
// Positions are in 1/1024 pixel; the step e is truncated, and a box whose
// start is not on a pixel boundary may lose its last part when the tap count
// (e / 1024, rounded up) is used up.
struct AxisPlan {
    std::vector<uint32_t> first;  // destination length + 1 offsets into taps
    std::vector<Tap> taps;
};

AxisPlan planAxis(uint32_t src, uint32_t dst) {
    AxisPlan plan;
    const uint64_t e = uint64_t{src} * 1024 / dst;
    const uint64_t count = (e >> 10) + ((e & 1023) ? 1 : 0);
    plan.first.reserve(dst + 1);
    uint64_t position = 0;
    for (uint32_t x = 0; x < dst; ++x, position += e) {
        plan.first.push_back(static_cast<uint32_t>(plan.taps.size()));
        const uint64_t j = position >> 10;
        const uint64_t f = position & 1023;
        uint64_t remaining = e;
        for (uint64_t t = 0; t < count; ++t) {
            if (j + t >= src)
                break;
            const uint64_t weight = std::min<uint64_t>(t == 0 ? 1024 - f : 1024, remaining);
            remaining -= weight;
            if (weight == 0)
                break;
            plan.taps.push_back({static_cast<uint32_t>(j + t), static_cast<uint32_t>(weight)});
        }
    }
    plan.first.push_back(static_cast<uint32_t>(plan.taps.size()));
    return plan;
}

inline bool isKey(const uint8_t* p) {
    return p[0] == 255 && p[1] == 0 && p[2] == p[0];
}

inline uint8_t average(uint64_t sum, uint64_t total) {
    return static_cast<uint8_t>(sum * 1024 / total);
}

// Every channel averaged with every weight. Each tap's product is divided
// by 1024 on its own, as the scaler always has.
template <int C>
struct PlainRule {
    static constexpr int kIn = C;
    static constexpr int kOut = C;
    std::array<uint32_t, C> sum{};
    uint32_t total = 0;
    void add(const uint8_t* p, uint32_t w) {
        for (int c = 0; c < C; ++c)
            sum[c] += (w * p[c]) >> 10;
        total += w;
    }
    void finish(uint8_t* out) const {
        for (int c = 0; c < C; ++c)
            out[c] = total ? average(sum[c], total) : 0;
    }
};

// Key pixels count for nothing; a box of key pixels only stays key.
struct SkipKeyRule {
    static constexpr int kIn = 3;
    static constexpr int kOut = 3;
    std::array<uint32_t, 3> sum{};
    uint32_t total = 0;
    void add(const uint8_t* p, uint32_t w) {
        if (isKey(p))
            return;
        for (int c = 0; c < 3; ++c)
            sum[c] += (w * p[c]) >> 10;
        total += w;
    }
    void finish(uint8_t* out) const {
        if (total == 0) {
            out[0] = 255;
            out[1] = 0;
            out[2] = 255;
            return;
        }
        for (int c = 0; c < 3; ++c)
            out[c] = average(sum[c], total);
    }
};

// Key pixels add their weight but no colour; the rest add opaque alpha.
struct KeyToAlphaRule {
    static constexpr int kIn = 3;
    static constexpr int kOut = 4;
    std::array<uint32_t, 4> sum{};
    uint32_t total = 0;
    void add(const uint8_t* p, uint32_t w) {
        total += w;
        if (isKey(p))
            return;
        for (int c = 0; c < 3; ++c)
            sum[c] += (w * p[c]) >> 10;
        sum[3] += (w * 255) >> 10;
    }
    void finish(uint8_t* out) const {
        for (int c = 0; c < 4; ++c)
            out[c] = total ? average(sum[c], total) : 0;
    }
};

// One pass along an axis. A line is a row (first pass) or a column (second
// pass); strides are in bytes.
struct PassGeometry {
    int lines;
    size_t srcLineStride, srcStep;
    size_t dstLineStride, dstStep;
};

template <class Rule>
void runPass(const uint8_t* src, uint8_t* dst, const PassGeometry& g, const AxisPlan& plan) {
    const size_t outCount = plan.first.size() - 1;
    for (int line = 0; line < g.lines; ++line) {
        const uint8_t* in = src + g.srcLineStride * line;
        uint8_t* out = dst + g.dstLineStride * line;
        for (size_t x = 0; x < outCount; ++x) {
            Rule rule;
            for (uint32_t t = plan.first[x]; t < plan.first[x + 1]; ++t) {
                rule.add(in + g.srcStep * plan.taps[t].index, plan.taps[t].weight);
            }
            rule.finish(out + g.dstStep * x);
        }
    }
}

template <class RowRule, class ColumnRule>
Bitmap scaleTwoPasses(const Bitmap& in, int outWidth, int outHeight) {
    static_assert(RowRule::kOut == ColumnRule::kIn);
    const int c0 = RowRule::kIn, c1 = RowRule::kOut, c2 = ColumnRule::kOut;
    const AxisPlan across = planAxis(in.width, outWidth);
    const AxisPlan down = planAxis(in.height, outHeight);
    std::vector<uint8_t> mid(static_cast<size_t>(outWidth) * in.height * c1);
    runPass<RowRule>(
        in.pixels.data(), mid.data(),
        {in.height, size_t(in.width) * c0, size_t(c0), size_t(outWidth) * c1, size_t(c1)}, across);
    Bitmap out = makeBitmap(outWidth, outHeight, c2);
    runPass<ColumnRule>(
        mid.data(), out.pixels.data(),
        {outWidth, size_t(c1), size_t(outWidth) * c1, size_t(c2), size_t(outWidth) * c2}, down);
    out.sourceWidth = in.width;
    out.sourceHeight = in.height;
    return out;
}

// The picture with `channels` bytes per pixel: a fourth byte is dropped or
// added as opaque alpha.
Bitmap withChannels(const Bitmap& in, int channels) {
    Bitmap out = makeBitmap(in.width, in.height, channels);
    const size_t n = static_cast<size_t>(in.width) * in.height;
    for (size_t i = 0; i < n; ++i) {
        const uint8_t* s = &in.pixels[i * in.bytesPerPixel];
        uint8_t* d = &out.pixels[i * channels];
        d[0] = s[0];
        d[1] = s[1];
        d[2] = s[2];
        if (channels == 4)
            d[3] = in.bytesPerPixel == 4 ? s[3] : 255;
    }
    return out;
}

}  // namespace

ScaleVariant chooseScaleVariant(PixelKind kind, std::string_view fileName, const KeyList& keys) {
    if (kind == PixelKind::Alpha)
        return ScaleVariant::Alpha;
    return keys.contains(fileName) ? ScaleVariant::Key : ScaleVariant::Opaque;
}

std::optional<Bitmap> ScalePicture(const Bitmap& picture, int percent, ScaleVariant variant) {
    if (percent < 1 || percent > 1000)
        return std::nullopt;
    if (picture.bytesPerPixel != 3 && picture.bytesPerPixel != 4)
        return std::nullopt;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() < picture.stride() * picture.height) {
        return std::nullopt;
    }
    const int64_t w = int64_t{picture.width} * percent / 100;
    const int64_t h = int64_t{picture.height} * percent / 100;
    // A side that would come out empty has no step to divide by.
    if (w == 0 || h == 0 || uint64_t(w) * uint64_t(h) * 4 > kMaxScaledBytes)
        return std::nullopt;
    const int ow = static_cast<int>(w), oh = static_cast<int>(h);

    switch (variant) {
        case ScaleVariant::Opaque: {
            if (picture.bytesPerPixel == 3) {
                return scaleTwoPasses<SkipKeyRule, SkipKeyRule>(picture, ow, oh);
            }
            return scaleTwoPasses<SkipKeyRule, SkipKeyRule>(withChannels(picture, 3), ow, oh);
        }
        case ScaleVariant::Key: {
            if (picture.bytesPerPixel == 3) {
                return scaleTwoPasses<KeyToAlphaRule, PlainRule<4>>(picture, ow, oh);
            }
            return scaleTwoPasses<KeyToAlphaRule, PlainRule<4>>(withChannels(picture, 3), ow, oh);
        }
        case ScaleVariant::Alpha: {
            Bitmap cleared = withChannels(picture, 4);
            for (size_t i = 0; i < cleared.pixels.size(); i += 4) {
                uint8_t* p = &cleared.pixels[i];
                if (isKey(p) && p[3] != 255)
                    p[0] = p[1] = p[2] = p[3] = 0;
            }
            Bitmap out = scaleTwoPasses<PlainRule<4>, PlainRule<4>>(cleared, ow, oh);
            return out;
        }
    }
    return std::nullopt;
}

std::string_view variantName(ScaleVariant variant) {
    switch (variant) {
        case ScaleVariant::Opaque:
            return "opaque";
        case ScaleVariant::Key:
            return "key";
        case ScaleVariant::Alpha:
            return "alpha";
    }
    return "";
}

std::optional<ScaleVariant> variantFromName(std::string_view name) {
    for (ScaleVariant v : {ScaleVariant::Opaque, ScaleVariant::Key, ScaleVariant::Alpha}) {
        if (variantName(v) == name)
            return v;
    }
    return std::nullopt;
}

}  // namespace marlit
