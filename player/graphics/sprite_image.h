// A sprite as a save file keeps it: a fixed record of 1 892 bytes that
// holds its picture, place, look and frame animation (transitions are not
// kept; a restored sprite draws plainly). Only this program reads it back,
// but it comes from a file, so reading checks everything.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "player/graphics/sprite.h"

namespace marlit {

constexpr size_t kSpriteImageSize = 1892;

// The record of a living sprite: word 0 is 1, the rest as written here, zero
// padded. An animation longer than the record holds is cut (its last kept
// frame then holds).
std::vector<uint8_t> writeSpriteImage(const Sprite& sprite, uint32_t now);

// A sprite from its record, its animation resumed at `now`. None for a
// record that is short, not marked present, or holds values no sprite can
// have (a layer out of range, a frame index past the frames).
std::unique_ptr<Sprite> readSpriteImage(std::span<const uint8_t> image, uint32_t now);

}  // namespace marlit
