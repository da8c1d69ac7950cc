#include "player/graphics/draw_lists.h"

namespace marlit {

void DrawLists::reset() {
    for (int i = 0; i < kLayers; ++i) {
        sentinels_[i].kind = kDrawNone;
        sentinels_[i].next = i > 0 ? &sentinels_[i - 1] : nullptr;
    }
}

bool DrawLists::insertChain(int layer, DrawCommand* first, DrawCommand* last) {
    if (!valid(layer) || !first || !last)
        return false;
    last->next = sentinels_[layer].next;
    sentinels_[layer].next = first;
    return true;
}

}  // namespace marlit
