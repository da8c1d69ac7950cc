// Feeds arbitrary bytes to Mp3Stream as a sound in memory: its tag rules,
// frame cutting and the decoder must hold against any input, looping or not.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "player/sound/mp3_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1)
        return 0;
    // The first byte chooses looping and the request size.
    const bool loop = data[0] & 1;
    const uint32_t wanted = 512u + (data[0] >> 1) * 128u;
    std::vector<uint8_t> sound(data + 1, data + size);
    marlit::Mp3Stream stream;
    if (!stream.openMemory(sound.data(), sound.size()))
        return 0;
    std::vector<uint8_t> out(wanted + marlit::kMp3PcmBytes);
    for (int i = 0; i < 64 && !stream.finished(); ++i) {
        uint32_t n = stream.read(out.data(), wanted, loop);
        if (n > wanted)
            __builtin_trap();
    }
    return 0;
}
