// A full page of message text on the 640 build: 96 glyphs (4 lines of 24)
// laid out and drawn at antialiasing level 3 (factor 4) with the shadow,
// the way a frame redraws the window. Warm: the glyphs' coverage comes
// from the cache, as in every frame after the page's first. Cold: the
// cache is emptied before every page, so each distinct character is
// painted by the font renderer at 100 pixels and averaged again. Uncached:
// no cache at all, every glyph painted, as the handheld did on every
// redraw (the baseline).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/encoding.h"
#include "platform/font/freetype_glyph_painter.h"
#include "player/graphics/message_text.h"
#include "player/graphics/text_layout.h"

namespace marlit {
namespace {

const char* const kPage =
    "夕暮れの坂道を、二人で並んで歩いた。風が少しだけ"
    "冷たくて、彼女は黙ったまま遠い空を見上げている。"
    "「ねえ、明日も晴れるかな」Ready? 3,2,"
    "僕は答えの代わりに、小さく頷いてみせたのだった。";

enum class Cache { kWarm, kCold, kNone };

void pageOfText(benchmark::State& state, Cache cache) {
    static FreeTypeGlyphPainter painter;
    if (!painter.load()) {
        state.SkipWithError(painter.error().c_str());
        return;
    }
    const ScreenGeometry screen = ScreenGeometry::vgaSize();
    MessageTextDrawer drawer(painter, screen,
                             cache == Cache::kNone ? 0 : GlyphCoverage::kDefaultCacheBytes);
    drawer.setFontSize(screen.toScreen(32));
    const std::string text = utf8ToSjis(kPage).value_or("");
    std::vector<uint8_t> back(static_cast<size_t>(screen.width) * screen.height * 3);
    for (size_t i = 0; i < back.size(); ++i)
        back[i] = static_cast<uint8_t>(i * 7 / 5);
    const Surface surface{back.data(), screen.width, screen.height, screen.width * 3};
    TextLayout layout;
    layout.x = 24;
    layout.y = 353;
    layout.size = layout.advance = screen.toScreen(32);
    layout.lineHeight = layout.size + 2;
    const TextStyle style{.level = 3, .shadow = true};

    GlyphPage page;
    for (auto _ : state) {
        if (cache == Cache::kCold)
            drawer.coverage().clear();
        page.clear();
        layoutText(page, text, layout);
        drawer.draw(page.records(), textTarget(surface), style);
        benchmark::DoNotOptimize(back.data());
    }
    state.counters["glyphs"] = static_cast<double>(page.size());
    state.counters["painted_per_page"] =
        static_cast<double>(drawer.coverage().paints()) / static_cast<double>(state.iterations());
}

BENCHMARK_CAPTURE(pageOfText, warm, Cache::kWarm)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(pageOfText, cold, Cache::kCold)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(pageOfText, uncached, Cache::kNone)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace marlit
