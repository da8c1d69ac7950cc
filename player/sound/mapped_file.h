// A whole file mapped read-only into memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace marlit {

class MappedFile {
  public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile() { close(); }

    // Maps the file at a system path; false when it cannot be opened or
    // mapped (an empty file maps to no bytes and fails too).
    bool open(std::string_view systemPath);
    void close();

    const uint8_t* data() const { return data_; }
    size_t size() const { return size_; }

  private:
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
};

}  // namespace marlit
