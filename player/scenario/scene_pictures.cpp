#include "player/scenario/scene_pictures.h"

namespace marlit {

bool ScenePictures::load(int slot, std::string_view path, bool colourKey) {
    if (!PictureSlots::valid(slot))
        return false;
    free(slot);
    if (!graphics_.loadPicture(slot, path, colourKey))
        return false;
    paths_[static_cast<size_t>(slot)] = std::string(path);
    if (loaded)
        loaded(path);
    return true;
}

void ScenePictures::free(int slot) {
    if (!PictureSlots::valid(slot))
        return;
    graphics_.freePicture(slot);
    paths_[static_cast<size_t>(slot)].clear();
}

std::string_view ScenePictures::path(int slot) const {
    if (!PictureSlots::valid(slot) || !graphics_.compositor().pictures.get(slot))
        return {};
    return paths_[static_cast<size_t>(slot)];
}

bool ScenePictures::holds(int slot) const {
    return graphics_.compositor().pictures.get(slot) != nullptr;
}

Sprite* ScenePictures::show(int sprite, int picture, const DesignRect& source, DesignPoint at,
                            int layer) {
    Sprite* s = graphics_.showPicture(sprite, picture, source, at, layer);
    if (s)
        placed_[static_cast<size_t>(sprite)] = {true, at};
    return s;
}

Sprite* ScenePictures::showWhole(int sprite, int picture, DesignPoint at, int layer) {
    Sprite* s = graphics_.showWholePicture(sprite, picture, at, layer);
    if (s)
        placed_[static_cast<size_t>(sprite)] = {true, at};
    return s;
}

void ScenePictures::move(int sprite, int x, int y) {
    if (!exists(sprite))
        return;
    graphics_.moveSprite(sprite, x, y);
    placed_[static_cast<size_t>(sprite)] = {true, {x, y}};
}

void ScenePictures::remove(int sprite) {
    if (!Compositor::validSprite(sprite))
        return;
    graphics_.removeSprite(sprite);
    placed_[static_cast<size_t>(sprite)] = {};
}

void ScenePictures::removeRange(int first, int last) {
    for (int i = first; i <= last; ++i)
        remove(i);
}

bool ScenePictures::exists(int sprite) const {
    return graphics_.compositor().sprite(sprite) != nullptr;
}

std::optional<DesignPoint> ScenePictures::position(int sprite) const {
    const Sprite* s = graphics_.compositor().sprite(sprite);
    if (!s)
        return std::nullopt;
    const Placed& p = placed_[static_cast<size_t>(sprite)];
    if (p.known)
        return p.at;
    const int width = graphics_.screen().width;
    const int sx = s->x / 1000 - s->pivotX;
    const int sy = s->y / 1000 - s->pivotY;
    return DesignPoint{sx * 800 / width, sy * 800 / width};
}

int ScenePictures::pictureOf(int sprite) const {
    const Sprite* s = graphics_.compositor().sprite(sprite);
    return s ? s->command.picture : -1;
}

void ScenePictures::clearAll() {
    removeRange(0, Compositor::kSpriteSlots - 1);
    for (int slot = 0; slot < 64; ++slot)
        free(slot);
}

}  // namespace marlit
