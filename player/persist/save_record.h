// The fixed record at the head of a save slot file (48 180 bytes, every
// field at its offset) and the images of the message window and of the
// scenario's sprites inside it, whose layouts are this program's own and
// are versioned by the digit of the magic ("HXR1").
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "player/graphics/sprite.h"
#include "player/scenario/scenario_record.h"
#include "player/scenario/scenario_state.h"

namespace marlit {

struct SaveLayout {
    static constexpr size_t kMagic = 0;
    static constexpr size_t kThumbnailOffset = 4;
    static constexpr size_t kDate = 8;
    static constexpr size_t kSummary = 28;
    static constexpr size_t kCaller = 92;
    static constexpr size_t kPetalPeriod = 112;
    static constexpr size_t kDayEndSelector = 116;
    static constexpr size_t kLabel = 120;
    static constexpr size_t kMusic = 184;
    static constexpr size_t kPictures = 248;
    static constexpr size_t kLoopingEffect = 632;
    static constexpr size_t kMode = 696;
    static constexpr size_t kMessage = 708;
    static constexpr size_t kPosition = 712;
    static constexpr size_t kPageMark = 720;
    static constexpr size_t kWindowShown = 724;
    static constexpr size_t kBackground = 728;
    static constexpr size_t kPetalKind = 736;
    static constexpr size_t kBrightness = 740;
    static constexpr size_t kStoryVars = 752;
    static constexpr size_t kChoice = 26352;
    static constexpr size_t kWindow = 26648;
    static constexpr size_t kWindowBytes = 10180;
    static constexpr size_t kSprites = 36828;
    static constexpr size_t kSpriteBytes = 1892;
    static constexpr size_t kRecordBytes = 48180;
    static constexpr size_t kTextField = 64;
};

// The sprites 24-29 and the picture slots 24-29 a save keeps.
constexpr int kFirstSavedSprite = 24;
constexpr int kSavedSprites = 6;

// The message window inside a save. The engine's own part (shown flag,
// message number, voice) is stored here; the window adds what it keeps of
// its page (text, typing position) as `windowState`, bytes it lays out and
// versions itself with `stateLayout`.
struct MessageWindowImage {
    static constexpr uint32_t kLayout = 1;
    static constexpr size_t kStateOffset = 88;
    static constexpr size_t kStateBytes = SaveLayout::kWindowBytes - kStateOffset;
    bool exists = false;  // the first word: 1 when a window existed
    uint32_t layout = kLayout;
    bool shown = false;
    int32_t message = 0;
    std::string voice;
    uint32_t stateLayout = 0;  // 0: no window state stored
    std::vector<uint8_t> windowState;
};

// A sprite inside a save: what the compositor needs to show it again.
struct SpriteImage {
    static constexpr uint32_t kLayout = 1;
    static constexpr size_t kFramesOffset = 168;
    static constexpr size_t kFrameBytes = 36;
    static constexpr size_t kMaxFrames =
        (SaveLayout::kSpriteBytes - kFramesOffset) / kFrameBytes;  // 47
    bool present = false;  // the first word: 1 when the sprite existed
    uint32_t layout = kLayout;
    // The sprite as the snapshot took it. Its picture slot and alpha are not
    // stored: the slot's picture and the draw command carry them.
    RecordedSprite sprite;
};

struct SaveRecord {
    std::string magic = "HXR1";
    uint32_t thumbnailOffset = SaveLayout::kRecordBytes;
    std::string date;     // "2005-03-05 21:07:33"
    std::string summary;  // Shift-JIS
    int32_t caller = 0;
    int32_t petalPeriod = 0;
    uint32_t dayEndSelector = 0;
    std::string label;
    std::string music;
    std::array<std::string, kSavedSprites> pictures;  // slots 24-29
    std::string loopingEffect;
    int32_t mode = 0;
    int32_t subState = 0;
    int32_t stateWord3 = 0;
    int32_t message = 0;
    int32_t position = 0;
    int32_t repeat = 0;
    int32_t pageMarkShown = 0;
    int32_t windowShown = 0;
    int16_t backgroundX = 0;
    int16_t backgroundY = 0;
    int16_t scrollTargetX = 0;
    int16_t scrollTargetY = 0;
    int32_t petalKind = 0;
    int32_t brightness = 256;
    int32_t fillBackground = 0;
    int32_t clearBackground = 0;
    std::vector<int16_t> storyVars = std::vector<int16_t>(50 * 256);
    ChoiceSet choice;
    MessageWindowImage window;
    std::array<SpriteImage, kSavedSprites> sprites;
};

// The message window's page as the window image's state (layout
// kPageLayout), and back: none when the bytes are not such a page (a
// count beyond the page, bytes cut short).
constexpr uint32_t kPageLayout = 1;
std::vector<uint8_t> encodeMessagePage(const MessagePage& page);
std::optional<MessagePage> decodeMessagePage(std::span<const uint8_t> bytes);

// The 48 180 bytes of a record.
std::vector<uint8_t> encodeSaveRecord(const SaveRecord& record);

// The magic's version digit 1-9, or none when the first four bytes are not
// "HXR" and a digit 1-9 (the slot counts as empty).
std::optional<int> saveVersion(std::span<const uint8_t> file);

// Reads a slot file's record. None, with the reason in `why`, for a file
// shorter than 48 180 bytes, a bad magic, a version this program does not
// read, or images that do not fit their fields.
std::optional<SaveRecord> decodeSaveRecord(std::span<const uint8_t> file,
                                           std::string* why = nullptr);

}  // namespace marlit
