#include "player/persist/record_archive.h"

#include <algorithm>

namespace marlit {

bool RecordWriter::at(size_t offset) {
    const size_t here = position();
    if (here > offset) {
        ok_ = false;
        return false;
    }
    out_.zeros(offset - here);
    return true;
}

bool RecordReader::at(size_t offset) {
    if (!in_.seek(base_ + offset)) {
        ok_ = false;
        return false;
    }
    return true;
}

void RecordReader::raw(std::span<uint8_t> bytes) {
    auto got = in_.bytes(bytes.size());
    if (got.size() == bytes.size())
        std::copy(got.begin(), got.end(), bytes.begin());
    else
        std::fill(bytes.begin(), bytes.end(), uint8_t{0});
}

}  // namespace marlit
