#include "player/persist/save_record.h"

#include "player/persist/record_archive.h"

namespace marlit {

namespace {

template <class Ar>
void serialize(Ar& ar, Rect& r) {
    ar.i32(r.left);
    ar.i32(r.top);
    ar.i32(r.right);
    ar.i32(r.bottom);
}

template <class Ar>
void serialize(Ar& ar, DrawCommand& c) {
    ar.i32(c.kind);
    ar.i32(c.flags);
    ar.u32(c.colour);
    ar.i32(c.blend);
    ar.i32(c.brightness);
    ar.i32(c.opacity);
    ar.i32(c.angle);
    ar.i32(c.pivotX);
    ar.i32(c.pivotY);
    ar.i32(c.picture);
    serialize(ar, c.source);
    ar.i32(c.x);
    ar.i32(c.y);
    ar.i32(c.scaleX);
    ar.i32(c.scaleY);
    ar.i32(c.secondPicture);
    ar.i32(c.fill);
    if constexpr (Ar::kReading)
        c.next = nullptr;
}

template <class Ar>
void serialize(Ar& ar, AnimationFrame& f) {
    asI32(ar, f.picture);
    asI32(ar, f.x);
    asI32(ar, f.y);
    asI32(ar, f.width);
    asI32(ar, f.height);
    asI32(ar, f.offsetX);
    asI32(ar, f.offsetY);
    asI32(ar, f.duration);
    asI32(ar, f.next);
}

// A sprite's 1 892 bytes, all zero for an absent sprite.
template <class Ar>
void serialize(Ar& ar, SpriteImage& s) {
    const size_t outer = ar.begin();
    ar.flag(s.present);
    if (!s.present) {
        if constexpr (Ar::kReading)
            s = SpriteImage{};
        ar.at(SaveLayout::kSpriteBytes);
        ar.end(outer);
        return;
    }
    ar.u32(s.layout);
    RecordedSprite& k = s.sprite;
    ar.i32(k.id);
    ar.i32(k.x);
    ar.i32(k.y);
    ar.i32(k.layer);
    ar.flag(k.visible);
    ar.flag(k.finished);
    serialize(ar, k.command);  // 32..112
    ar.at(112);
    ar.i32(k.screenX);
    ar.i32(k.screenY);
    ar.i32(k.pivotX);
    ar.i32(k.pivotY);
    ar.i32(k.scaleX);
    ar.i32(k.scaleY);
    ar.i32(k.angle);
    ar.i32(k.width);
    ar.i32(k.height);
    ar.at(152);
    ar.i32(k.frame);
    ar.i32(k.frameOffsetX);
    ar.i32(k.frameOffsetY);
    uint32_t count = static_cast<uint32_t>(k.frames.size());
    ar.u32(count);
    if constexpr (Ar::kReading) {
        if (count > SpriteImage::kMaxFrames) {
            count = 0;
            ar.fail();
        }
        k.frames.resize(count);
    }
    ar.at(SpriteImage::kFramesOffset);
    for (AnimationFrame& f : k.frames)
        serialize(ar, f);
    ar.at(SaveLayout::kSpriteBytes);
    ar.end(outer);
}

template <class Ar>
void serialize(Ar& ar, MessageWindowImage& w) {
    const size_t outer = ar.begin();
    ar.flag(w.exists);
    ar.u32(w.layout);
    ar.flag(w.shown);
    ar.i32(w.message);
    ar.text(w.voice, SaveLayout::kTextField);
    ar.at(80);
    ar.u32(w.stateLayout);
    uint32_t size = static_cast<uint32_t>(w.windowState.size());
    ar.u32(size);
    if constexpr (Ar::kReading) {
        if (size > MessageWindowImage::kStateBytes) {
            size = 0;
            ar.fail();
        }
        w.windowState.resize(size);
    }
    ar.at(MessageWindowImage::kStateOffset);
    ar.raw(w.windowState);
    ar.at(SaveLayout::kWindowBytes);
    ar.end(outer);
}

template <class Ar>
void serialize(Ar& ar, GlyphRecord& g) {
    ar.u16(g.character);
    ar.i32(g.size);
    ar.u32(g.colour);
    ar.i32(g.cell.left);
    ar.i32(g.cell.top);
    ar.i32(g.cell.right);
    ar.i32(g.cell.bottom);
}

template <class Ar>
void serialize(Ar& ar, MessagePage& p) {
    ar.text(p.speaker, SaveLayout::kTextField);
    ar.i32(p.penX);
    ar.i32(p.penY);
    ar.i32(p.lineStartX);
    ar.i32(p.charsInLine);
    ar.i32(p.lines);
    ar.u32(p.colour);
    uint32_t count = static_cast<uint32_t>(p.glyphs.size());
    ar.u32(count);
    if constexpr (Ar::kReading) {
        if (count > GlyphPage::kCapacity) {
            count = 0;
            ar.fail();
        }
        p.glyphs.resize(count);
    }
    for (GlyphRecord& g : p.glyphs)
        serialize(ar, g);
}

template <class Ar>
void serialize(Ar& ar, ChoiceSet& c) {
    ar.i32(c.pending);
    ar.i32(c.count);
    for (std::string& t : c.texts)
        ar.text(t, ChoiceSet::kTextBytes + 1);
    for (std::string& l : c.labels)
        ar.text(l, ChoiceSet::kLabelBytes + 1);
}

template <class Ar>
void serialize(Ar& ar, SaveRecord& r) {
    using L = SaveLayout;
    ar.begin();
    std::array<uint8_t, 4> magic{};
    for (size_t i = 0; i < magic.size() && i < r.magic.size(); ++i)
        magic[i] = static_cast<uint8_t>(r.magic[i]);
    ar.raw(magic);
    if constexpr (Ar::kReading)
        r.magic.assign(magic.begin(), magic.end());
    ar.u32(r.thumbnailOffset);
    ar.text(r.date, 20);
    ar.text(r.summary, L::kTextField);
    ar.at(L::kCaller);
    ar.i32(r.caller);
    ar.at(L::kPetalPeriod);
    ar.i32(r.petalPeriod);
    ar.u32(r.dayEndSelector);
    ar.text(r.label, L::kTextField);
    ar.text(r.music, L::kTextField);
    for (std::string& p : r.pictures)
        ar.text(p, L::kTextField);
    ar.text(r.loopingEffect, L::kTextField);
    ar.at(L::kMode);
    ar.i32(r.mode);
    ar.i32(r.subState);
    ar.i32(r.stateWord3);
    ar.i32(r.message);
    ar.i32(r.position);
    ar.i32(r.repeat);
    ar.i32(r.pageMarkShown);
    ar.i32(r.windowShown);
    ar.i16(r.backgroundX);
    ar.i16(r.backgroundY);
    ar.i16(r.scrollTargetX);
    ar.i16(r.scrollTargetY);
    ar.i32(r.petalKind);
    ar.i32(r.brightness);
    ar.i32(r.fillBackground);
    ar.i32(r.clearBackground);
    ar.at(L::kStoryVars);
    if constexpr (Ar::kReading)
        r.storyVars.resize(50 * 256);
    for (int16_t& v : r.storyVars)
        ar.i16(v);
    ar.at(L::kChoice);
    serialize(ar, r.choice);
    ar.at(L::kWindow);
    serialize(ar, r.window);
    for (size_t i = 0; i < r.sprites.size(); ++i) {
        ar.at(L::kSprites + i * L::kSpriteBytes);
        serialize(ar, r.sprites[i]);
    }
    ar.at(L::kRecordBytes);
}

}  // namespace

std::vector<uint8_t> encodeMessagePage(const MessagePage& page) {
    MessagePage copy = page;
    if (copy.glyphs.size() > GlyphPage::kCapacity)
        copy.glyphs.resize(GlyphPage::kCapacity);
    RecordWriter out;
    serialize(out, copy);
    return out.bytes().take();
}

std::optional<MessagePage> decodeMessagePage(std::span<const uint8_t> bytes) {
    RecordReader in(bytes);
    MessagePage page;
    serialize(in, page);
    if (!in.ok())
        return std::nullopt;
    return page;
}

std::vector<uint8_t> encodeSaveRecord(const SaveRecord& record) {
    SaveRecord copy = record;  // the walk takes the record by reference
    if (copy.window.windowState.size() > MessageWindowImage::kStateBytes) {
        copy.window.windowState.clear();
        copy.window.stateLayout = 0;
    }
    for (SpriteImage& s : copy.sprites) {
        if (s.sprite.frames.size() > SpriteImage::kMaxFrames)
            s.sprite.frames.resize(SpriteImage::kMaxFrames);
    }
    RecordWriter out;
    serialize(out, copy);
    std::vector<uint8_t> bytes = out.bytes().take();
    bytes.resize(SaveLayout::kRecordBytes);
    return bytes;
}

std::optional<int> saveVersion(std::span<const uint8_t> file) {
    if (file.size() < 4 || file[0] != 'H' || file[1] != 'X' || file[2] != 'R' || file[3] < '1' ||
        file[3] > '9')
        return std::nullopt;
    return file[3] - '0';
}

std::optional<SaveRecord> decodeSaveRecord(std::span<const uint8_t> file, std::string* why) {
    auto fail = [&](const std::string& text) -> std::optional<SaveRecord> {
        if (why)
            *why = text;
        return std::nullopt;
    };
    if (file.size() < SaveLayout::kRecordBytes)
        return fail("it is " + std::to_string(file.size()) + " bytes long, shorter than a save (" +
                    std::to_string(SaveLayout::kRecordBytes) + " bytes)");
    const auto version = saveVersion(file);
    if (!version)
        return fail("it does not begin with \"HXR1\"..\"HXR9\" (no save in the slot)");
    if (*version != 1)
        return fail("it was saved in layout " + std::to_string(*version) +
                    ", which this version of the player does not read");
    SaveRecord record;
    RecordReader in(file.first(SaveLayout::kRecordBytes));
    serialize(in, record);
    if (!in.ok())
        return fail("its message-window or sprite images do not fit their fields");
    return record;
}

}  // namespace marlit
