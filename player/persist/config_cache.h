// ConfigCache: the player's reader and writer of marlitpc.cfg, an INI-style
// file of "[SECTION]" headers and KEY=VALUE lines ending with CR LF.
//
// One file is cached at a time, as its lines; every line is kept, those the
// player does not understand included, and written back as it was. Section
// names and keys compare by the name equality (ASCII case folded); spaces,
// tabs and the double quotes of a key do not count. The first matching key
// of the first matching section wins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

// The longest line kept, in bytes; the rest of a longer line is dropped.
constexpr size_t kConfigLineMax = 511;

// An integer value as the file spells it: after "0x" hexadecimal; else
// decimal read from the right, each byte taking a place (a byte that is not
// a digit counts as 0 there) and a "-" anywhere making it negative, so that
// "1a2" is 102 and "-5" is -5.
int32_t parseConfigInt(std::string_view value);

class ConfigCache {
  public:
    // The cached file's lines, for a host path (UTF-8, "/"); a read or a
    // write naming another path drops the cached lines unwritten and reads
    // that file. A missing file is an empty one (created by Flush()); a
    // damaged one (NUL bytes, or empty beside a backup) is read from its
    // backup.
    //
    // The value, or `fallback` when the key is absent or its value empty.
    int32_t ReadInt(std::string_view section, std::string_view key, int32_t fallback,
                    const std::string& path);
    // The value when the key is present, its value not empty and not longer
    // than `capacity` bytes; else none.
    std::optional<std::string> ReadString(std::string_view section, std::string_view key,
                                          size_t capacity, const std::string& path);
    // The value as written, quotes removed, or none when the key is absent.
    std::optional<std::string> readRaw(std::string_view section, std::string_view key,
                                       const std::string& path);
    // Replaces the key's line with KEY=VALUE (KEY spelt as given), or puts
    // it right after the section's header, adding the header at the end
    // when the section is missing. Changes the cached lines only.
    void WriteString(std::string_view section, std::string_view key, std::string_view value,
                     const std::string& path);
    // Writes the cached lines, each ended by CR LF, over the cached file
    // (keeping the old one as its backup) and empties the cache. True when
    // there was nothing to write; false with the reason in `why`, also when
    // the file is there but could not be read.
    bool Flush(std::string* why = nullptr);
    // Empties the cache without writing.
    void clear();

    const std::string& path() const { return path_; }
    const std::vector<std::string>& lines() const { return lines_; }
    // True when the lines came from the backup, as the file was missing or
    // damaged.
    bool readFromBackup() const { return fromBackup_; }
    // Why the cached file could not be read although it is there (it is
    // then never written over); empty when it was read or is missing.
    const std::string& readError() const { return readError_; }

    // Splits a file's bytes into lines at CR LF or a lone LF, cutting lines
    // longer than kConfigLineMax.
    static std::vector<std::string> splitLines(std::string_view text);
    // The lines joined, each followed by CR LF.
    static std::string joinLines(const std::vector<std::string>& lines);

  private:
    void use(const std::string& path);
    // The index of the key's line in the first matching section.
    std::optional<size_t> find(std::string_view section, std::string_view key) const;
    std::optional<size_t> findSection(std::string_view section) const;

    bool loaded_ = false;
    std::string path_;
    std::vector<std::string> lines_;
    bool fromBackup_ = false;
    std::string readError_;
};

}  // namespace marlit
