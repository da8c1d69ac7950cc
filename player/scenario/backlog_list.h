// The pages the reader has passed, for the text recall: at most 64, oldest
// first, each a copy of the page's glyphs and the voice heard with it.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "player/graphics/glyph_record.h"

namespace marlit {

struct BacklogPage {
    GlyphPage glyphs;
    std::string voice;  // empty when the page had none
};

class BacklogList {
  public:
    static constexpr size_t kMaxPages = 64;

    // Keeps a page; with 64 kept, the oldest goes.
    void record(const GlyphPage& glyphs, const std::string& voice) {
        if (pages_.size() == kMaxPages)
            pages_.pop_front();
        pages_.push_back(BacklogPage{glyphs, voice});
    }
    size_t size() const { return pages_.size(); }
    // The page `back` pages before the newest (0 the newest); null beyond
    // the oldest.
    const BacklogPage* fromNewest(size_t back) const {
        return back < pages_.size() ? &pages_[pages_.size() - 1 - back] : nullptr;
    }
    void clear() { pages_.clear(); }

  private:
    std::deque<BacklogPage> pages_;
};

}  // namespace marlit
