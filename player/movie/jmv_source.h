// The bytes of a movie file, read at any position from any thread.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace marlit {

class JmvSource {
  public:
    virtual ~JmvSource() = default;
    virtual uint64_t size() const = 0;
    // Fills `out` from `offset`; false when the bytes cannot all be read.
    virtual bool read(uint64_t offset, std::span<uint8_t> out) = 0;
};

// A file on the host (UTF-8 path); none when it cannot be opened.
std::unique_ptr<JmvSource> openJmvFile(const std::string& hostPath);

}  // namespace marlit
