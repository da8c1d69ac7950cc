#include "player/core/dirty_rect_list.h"

#include <algorithm>
#include <cstddef>

namespace marlit {

void DirtyRectList::setBounds(int width, int height) {
    width_ = width;
    height_ = height;
}

int DirtyRectList::add(const Rect& rect, int merge) {
    Rect r = rect;
    if (r.right < 0 || r.left > width_ || r.bottom < 0 || r.top > height_)
        return 0;
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, width_);
    r.bottom = std::min(r.bottom, height_);
    if (merge == 1) {
        // One pass from the first node: a node already passed is not looked
        // at again when the rectangle grows further on.
        for (size_t i = 0; i < nodes_.size();) {
            const Rect& n = nodes_[i].rect;
            if (r.left >= n.left && r.top >= n.top && n.right >= r.right && n.bottom >= r.bottom) {
                return 0;
            }
            if (n.left >= r.left && n.top >= r.top && r.right >= n.right && r.bottom >= n.bottom) {
                nodes_.erase(nodes_.begin() + static_cast<ptrdiff_t>(i));
                continue;
            }
            if (n.right < r.left || r.right < n.left || n.bottom < r.top || r.bottom < n.top) {
                ++i;
                continue;
            }
            r.left = std::min(r.left, n.left);
            r.top = std::min(r.top, n.top);
            r.right = std::max(r.right, n.right);
            r.bottom = std::max(r.bottom, n.bottom);
            nodes_.erase(nodes_.begin() + static_cast<ptrdiff_t>(i));
        }
    }
    nodes_.push_back({r, merge});
    return 1;
}

int DirtyRectList::overlapsMarked(int left, int top, int right, int bottom) const {
    for (const Node& n : nodes_) {
        if (n.merge == 1 && n.rect.left <= right && n.rect.right >= left && n.rect.top <= bottom &&
            n.rect.bottom >= top) {
            return 1;
        }
    }
    return 0;
}

}  // namespace marlit
