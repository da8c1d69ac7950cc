// The rectangles of the back buffer that changed in this frame. Anything
// that changes the look of the screen adds its rectangle; the compositor
// redraws those added with merge 1, and present writes all of them to the
// device. Cleared at the end of every frame.
#pragma once

#include <cstddef>
#include <vector>

#include "player/core/rect.h"

namespace marlit {

class DirtyRectList {
  public:
    // The screen size that rectangles are clamped to.
    void setBounds(int width, int height);
    int boundWidth() const { return width_; }
    int boundHeight() const { return height_; }

    // Adds a rectangle, clamped to the bounds. With merge 1 a rectangle
    // that lies inside an earlier merged or unmerged one is absorbed, and
    // earlier ones that it covers or overlaps are folded into it. Returns 1
    // when a node was added, 0 when the rectangle was rejected (wholly off
    // screen) or absorbed.
    int add(const Rect& rect, int merge);
    int add(int left, int top, int right, int bottom, int merge) {
        return add(Rect{left, top, right, bottom}, merge);
    }

    size_t count() const { return nodes_.size(); }
    const Rect& get(size_t i) const { return nodes_[i].rect; }
    int merge(size_t i) const { return nodes_[i].merge; }
    void clear() { nodes_.clear(); }

    // 1 when a node added with merge 1 overlaps the rectangle (edges
    // touching count).
    int overlapsMarked(int left, int top, int right, int bottom) const;

  private:
    struct Node {
        Rect rect;
        int merge;
    };
    std::vector<Node> nodes_;  // in insertion order
    int width_ = 0;
    int height_ = 0;
};

}  // namespace marlit
