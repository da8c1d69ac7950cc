#include <memory>
#include <string>

#include "base/files.h"
#include "player/sound/sound_mixer.h"

namespace marlit {

namespace {

// Names live in 64-byte fields.
constexpr size_t kMaxNameBytes = 63;

bool isFolder(std::string_view place) {
    return place.empty() || place.back() == '\\' || place.back() == '/';
}

}  // namespace

bool SoundMixer::openChannel(int slot, std::string_view name, std::string_view place, int volume,
                             const ChannelOptions& options) {
    stop(slot);
    if (slot < 0 || slot >= kSlots || name.size() > kMaxNameBytes || !device_)
        return false;
    auto channel = std::make_unique<SoundChannel>(std::string(name), bufferSize_, kDeviceRate);
    Mp3Stream& stream = channel->stream;
    bool opened = false;
    if (!isFolder(place)) {
        auto entry = packReader_.ReadEntry(place, name);
        if (!entry)
            return false;
        channel->sourceBlock = std::move(*entry);
        opened = stream.openMemory(channel->sourceBlock.data(), channel->sourceBlock.size());
    } else {
        std::string path = std::string(place) + std::string(name);
        if (options.readWhole) {
            auto whole = marlit::readWhole(path);
            if (!whole)
                return false;
            channel->sourceBlock = std::move(*whole);
            opened = stream.openMemory(channel->sourceBlock.data(), channel->sourceBlock.size());
        } else {
            opened = fileExists(path) && stream.openMapped(path);
        }
    }
    if (!opened)
        return false;
    channel->source = stream.format();
    channel->source.blockAlign = 4;
    install(slot, std::move(channel), volume, options);
    return true;
}

}  // namespace marlit
