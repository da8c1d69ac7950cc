#include "player/scenario/petals.h"

#include <cmath>
#include <vector>

namespace marlit {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int32_t kUnit = 1024;
constexpr int32_t kFullTurn = 360 * kUnit;
constexpr int kDirection = 180;
constexpr int kStrength = 256;

struct Sheet {
    int count;
    int width;
    int height;
    int y;
};
// The three petal shapes of a sheet.
constexpr Sheet kSheets[3] = {{8, 32, 24, 140}, {6, 32, 23, 57}, {7, 32, 24, 0}};

}  // namespace

void Petals::record(int kind, int period) {
    kind_ = kind;
    period_ = period;
}

void Petals::start(uint32_t now) {
    if (active_ || (kind_ != 1 && kind_ != 2))
        return;
    active_ = true;
    lastUpdate_ = now;
    counter_ = 0;
    pictures_.load(
        kPicture,
        kind_ == 1 ? "AdvData\\grp\\system\\sacra01.rbp" : "AdvData\\grp\\system\\sacra02.rbp",
        true);
}

void Petals::stop() {
    pause();
    kind_ = 0;
}

void Petals::pause() {
    for (int i = 0; i < kMaxPetals; ++i) {
        pictures_.remove(kFirstSprite + i);
        petals_[static_cast<size_t>(i)].alive = false;
    }
    active_ = false;
    pictures_.free(kPicture);
}

int Petals::alive() const {
    int n = 0;
    for (const Petal& p : petals_)
        n += p.alive ? 1 : 0;
    return n;
}

void Petals::update(uint32_t now) {
    if (!active_)
        return;
    const uint32_t passes = (now - lastUpdate_) / kPassMs + 1;
    lastUpdate_ = now;
    for (uint32_t i = 0; i < passes; ++i)
        pass();
}

void Petals::pass() {
    ++counter_;
    if (period_ > 0 && counter_ % period_ == 0)
        spawn();
    const int angle = (kDirection + 270) % 360;
    const int32_t windX = static_cast<int32_t>(std::cos(angle * kPi / 180) * kStrength);
    const int32_t windY = static_cast<int32_t>(std::sin(angle * kPi / 180) * kStrength);
    for (int i = 0; i < kMaxPetals; ++i) {
        Petal& p = petals_[static_cast<size_t>(i)];
        if (!p.alive)
            continue;
        p.x += windX;
        p.y += windY * p.fall;
        p.phase = (p.phase + p.phaseSpeed) % kFullTurn;
        const int32_t sway = static_cast<int32_t>(
            std::cos(static_cast<double>(p.phase) / kUnit * kPi / 180) * p.sway);
        const int sprite = kFirstSprite + i;
        if (p.y / kUnit > 599 || p.x / kUnit > 831 || p.x / kUnit < -31 ||
            !pictures_.exists(sprite)) {
            pictures_.remove(sprite);
            p.alive = false;
            continue;
        }
        pictures_.move(sprite, (p.x + sway) / kUnit, p.y / kUnit);
    }
}

void Petals::spawn() {
    if (++attempts_ % 5 != 0)
        return;
    int free = -1;
    for (int i = 0; i < kMaxPetals; ++i) {
        if (!petals_[static_cast<size_t>(i)].alive) {
            free = i;
            break;
        }
    }
    if (free < 0)
        return;
    Petal& p = petals_[static_cast<size_t>(free)];
    const int k = random_.next() % 3;
    p.phase = 0;
    p.phaseSpeed = (random_.next() % 12) * 256;
    p.x = (random_.next() % 200) * 4 * kUnit;
    p.y = -16 * kUnit;
    p.fall = (random_.next() % 3 + 2) * (k + 1);
    p.sway = 28672 + (random_.next() % 3) * 15360;

    const Sheet& sheet = kSheets[k];
    std::vector<AnimationFrame> frames;
    for (int f = 0; f < sheet.count; ++f) {
        AnimationFrame frame;
        frame.picture = kPicture;
        frame.x = f * sheet.width;
        frame.y = sheet.y;
        frame.width = sheet.width;
        frame.height = sheet.height;
        frame.duration = 200;
        frame.next = (f + 1) % sheet.count;
        frames.push_back(frame);
    }
    const int sprite = kFirstSprite + free;
    if (!pictures_.show(sprite, kPicture, {0, sheet.y, sheet.width, sheet.height},
                        {p.x / kUnit, p.y / kUnit}, kLayer))
        return;
    pictures_.graphics().setSpriteAlpha(sprite, 128);
    pictures_.graphics().animateSprite(sprite, std::move(frames));
    p.alive = true;
}

}  // namespace marlit
