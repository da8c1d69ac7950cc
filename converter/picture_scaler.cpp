#include "converter/picture_scaler.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "converter/key_list.h"

namespace marlit {

namespace {

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
    std::vector<uint32_t> totals;  // the sum of the weights of every box
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
        uint32_t total = 0;
        for (uint64_t t = 0; t < count && j + t < src; ++t) {
            const uint64_t weight = std::min<uint64_t>(t == 0 ? 1024 - f : 1024, remaining);
            if (weight == 0)
                break;
            remaining -= weight;
            plan.taps.push_back({static_cast<uint32_t>(j + t), static_cast<uint32_t>(weight)});
            total += static_cast<uint32_t>(weight);
        }
        plan.totals.push_back(total);
    }
    plan.first.push_back(static_cast<uint32_t>(plan.taps.size()));
    return plan;
}

inline bool isKey(const uint8_t* p) {
    return p[0] == 255 && p[1] == 0 && p[2] == p[0];
}

// sum * 1024 / total, truncated. Both fit a double exactly and the quotient
// is at most 255, so the correctly rounded double quotient never reaches
// the next integer unless the exact one does: the floor is the integer
// division's.
inline uint8_t average(uint32_t sum, uint32_t total) {
    return static_cast<uint8_t>(
        static_cast<uint32_t>(static_cast<double>(sum) * 1024.0 / static_cast<double>(total)));
}

// The same for a box's full total through its reciprocal, which costs far
// less than dividing: the product may fall just below an exact integer
// quotient, and one multiplication corrects that.
struct Divider {
    uint32_t total = 0;
    double inverse = 0;
    explicit Divider(uint32_t t) : total(t), inverse(t ? 1.0 / t : 0) {}

    uint8_t operator()(uint32_t sum, uint32_t boxTotal) const {
        if (boxTotal != total)
            return average(sum, boxTotal);
        const uint64_t s = uint64_t{sum} * 1024;
        uint64_t q = static_cast<uint64_t>(static_cast<double>(s) * inverse);
        if ((q + 1) * total <= s)
            ++q;
        return static_cast<uint8_t>(q);
    }
};

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
    void finish(uint8_t* out, const Divider& d) const {
        for (int c = 0; c < C; ++c)
            out[c] = total ? d(sum[c], total) : 0;
    }
};

// The alpha variant's first pass: a key-coloured pixel that is not opaque
// counts as (0, 0, 0, 0) with its full weight.
struct ClearKeyRule : PlainRule<4> {
    void add(const uint8_t* p, uint32_t w) {
        static constexpr uint8_t kCleared[4] = {0, 0, 0, 0};
        PlainRule<4>::add(isKey(p) && p[3] != 255 ? kCleared : p, w);
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
    void finish(uint8_t* out, const Divider& d) const {
        if (total == 0) {
            out[0] = 255;
            out[1] = 0;
            out[2] = 255;
            return;
        }
        for (int c = 0; c < 3; ++c)
            out[c] = d(sum[c], total);
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
    void finish(uint8_t* out, const Divider& d) const {
        for (int c = 0; c < 4; ++c)
            out[c] = total ? d(sum[c], total) : 0;
    }
};

// First pass: along each row.
template <class Rule>
void scaleRows(const uint8_t* src, int srcWidth, int height, uint8_t* dst, const AxisPlan& plan) {
    const size_t outWidth = plan.first.size() - 1;
    std::vector<Divider> dividers;
    for (uint32_t t : plan.totals)
        dividers.emplace_back(t);
    for (int y = 0; y < height; ++y) {
        const uint8_t* in = src + size_t(srcWidth) * Rule::kIn * y;
        uint8_t* out = dst + outWidth * Rule::kOut * y;
        for (size_t x = 0; x < outWidth; ++x) {
            Rule rule;
            for (uint32_t t = plan.first[x]; t < plan.first[x + 1]; ++t) {
                rule.add(in + size_t(Rule::kIn) * plan.taps[t].index, plan.taps[t].weight);
            }
            rule.finish(out + Rule::kOut * x, dividers[x]);
        }
    }
}

// Second pass: along each column, walking whole rows so that memory is read
// in order; every column keeps its own sums.
template <class Rule>
void scaleColumns(const uint8_t* src, int width, uint8_t* dst, const AxisPlan& plan) {
    const size_t outHeight = plan.first.size() - 1;
    const size_t rowBytes = size_t(width) * Rule::kIn;
    if constexpr (std::is_same_v<Rule, PlainRule<Rule::kIn>>) {
        // Every byte of a row has the same weight: one flat loop per row.
        std::vector<uint32_t> sums(rowBytes);
        for (size_t y = 0; y < outHeight; ++y) {
            std::fill(sums.begin(), sums.end(), 0);
            for (uint32_t t = plan.first[y]; t < plan.first[y + 1]; ++t) {
                const uint8_t* row = src + rowBytes * plan.taps[t].index;
                const uint32_t weight = plan.taps[t].weight;
                for (size_t i = 0; i < rowBytes; ++i)
                    sums[i] += (weight * row[i]) >> 10;
            }
            uint8_t* out = dst + rowBytes * y;
            const Divider divider(plan.totals[y]);
            for (size_t i = 0; i < rowBytes; ++i) {
                out[i] = divider.total ? divider(sums[i], divider.total) : 0;
            }
        }
        return;
    }
    std::vector<Rule> rules(width);
    for (size_t y = 0; y < outHeight; ++y) {
        std::fill(rules.begin(), rules.end(), Rule{});
        for (uint32_t t = plan.first[y]; t < plan.first[y + 1]; ++t) {
            const uint8_t* row = src + rowBytes * plan.taps[t].index;
            const uint32_t weight = plan.taps[t].weight;
            for (int x = 0; x < width; ++x)
                rules[x].add(row + Rule::kIn * x, weight);
        }
        uint8_t* out = dst + size_t(width) * Rule::kOut * y;
        const Divider divider(plan.totals[y]);
        for (int x = 0; x < width; ++x)
            rules[x].finish(out + Rule::kOut * x, divider);
    }
}

template <class RowRule, class ColumnRule>
Bitmap scaleTwoPasses(const Bitmap& in, int outWidth, int outHeight) {
    static_assert(RowRule::kOut == ColumnRule::kIn);
    std::vector<uint8_t> mid(static_cast<size_t>(outWidth) * in.height * RowRule::kOut);
    scaleRows<RowRule>(in.pixels.data(), in.width, in.height, mid.data(),
                       planAxis(in.width, outWidth));
    Bitmap out = makeBitmap(outWidth, outHeight, ColumnRule::kOut);
    scaleColumns<ColumnRule>(mid.data(), outWidth, out.pixels.data(),
                             planAxis(in.height, outHeight));
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

template <class RowRule, class ColumnRule>
Bitmap scaleWith(const Bitmap& picture, int outWidth, int outHeight) {
    if (picture.bytesPerPixel == RowRule::kIn) {
        return scaleTwoPasses<RowRule, ColumnRule>(picture, outWidth, outHeight);
    }
    return scaleTwoPasses<RowRule, ColumnRule>(withChannels(picture, RowRule::kIn), outWidth,
                                               outHeight);
}

}  // namespace

ScaleVariant chooseScaleVariant(PixelKind kind, std::string_view fileName, const KeyList& keys) {
    if (kind == PixelKind::Alpha)
        return ScaleVariant::Alpha;
    return keys.contains(fileName) ? ScaleVariant::Key : ScaleVariant::Opaque;
}

std::optional<Bitmap> ScalePicture(const Bitmap& picture, int percent, ScaleVariant variant) {
    if (percent < 1 || percent > 100)
        return std::nullopt;
    if (picture.bytesPerPixel != 3 && picture.bytesPerPixel != 4)
        return std::nullopt;
    if (picture.width <= 0 || picture.height <= 0 ||
        picture.pixels.size() < picture.stride() * picture.height) {
        return std::nullopt;
    }
    const int w = static_cast<int>(int64_t{picture.width} * percent / 100);
    const int h = static_cast<int>(int64_t{picture.height} * percent / 100);
    // A side that would come out empty has no step to divide by.
    if (w == 0 || h == 0)
        return std::nullopt;
    switch (variant) {
        case ScaleVariant::Opaque:
            return scaleWith<SkipKeyRule, SkipKeyRule>(picture, w, h);
        case ScaleVariant::Key:
            return scaleWith<KeyToAlphaRule, PlainRule<4>>(picture, w, h);
        case ScaleVariant::Alpha:
            return scaleWith<ClearKeyRule, PlainRule<4>>(picture, w, h);
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
