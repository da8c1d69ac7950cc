// What the reader has seen, kept in memory while the player runs: the read
// bits of every script's messages, the pictures ever shown and the scripts
// ever entered. The persistence layer writes and reads them.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

// One bit per message number of a script, at most kScripts scripts.
class ReadLog {
  public:
    // Message numbers 0..511 are recorded; a higher one is ignored.
    static constexpr int kMessages = 512;
    static constexpr size_t kBitBytes = kMessages / 8;
    // A full log records no more scripts.
    static constexpr size_t kScripts = 1024;
    static constexpr size_t kNameBytes = 63;

    struct Entry {
        std::string script;
        std::bitset<kMessages> read;
    };

    // False when the number is out of range or the log is full (nothing
    // recorded).
    bool markRead(std::string_view script, int message);
    bool isRead(std::string_view script, int message) const;
    // Whether a message has been newly marked since the log was last
    // written (the page wait writes the logs then, so read marks survive a
    // power cut).
    bool unwritten() const { return unwritten_; }
    void written() { unwritten_ = false; }
    // Puts the 64 bytes of read bits of a script (message n is bit n % 8 of
    // byte n / 8) over its entry, taking a new one when it has none. False
    // when the log is full.
    bool setBits(std::string_view script, std::span<const uint8_t, kBitBytes> bits);
    static std::array<uint8_t, kBitBytes> bitBytes(const Entry& entry);
    const std::vector<Entry>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

  private:
    Entry* find(std::string_view script);
    const Entry* find(std::string_view script) const;
    Entry* take(std::string_view script);
    std::vector<Entry> entries_;
    bool unwritten_ = false;
};

// Two lists of names, each name listed once in the order first seen:
// list 0 the pictures loaded, list 1 the scripts entered. They share one
// pool of kNames names; a full pool records nothing more.
class SeenLists {
  public:
    static constexpr int kPictures = 0;
    static constexpr int kScripts = 1;
    static constexpr size_t kNames = 4096;
    static constexpr size_t kNameBytes = 63;

    // False when the list is not 0 or 1, the name is already listed or the
    // pool is full. A name longer than 63 bytes is cut.
    bool add(int list, std::string_view name);
    bool isSeen(int list, std::string_view name) const;
    // The names of a list (an empty list for a list number out of range).
    const std::vector<std::string>& names(int list) const;

    bool addScript(std::string_view name) { return add(kScripts, name); }
    bool seen(std::string_view name) const { return isSeen(kScripts, name); }
    const std::vector<std::string>& scripts() const { return names(kScripts); }
    void clear() {
        for (auto& l : lists_)
            l.clear();
    }

  private:
    std::array<std::vector<std::string>, 2> lists_;
};

// The last path component of a game path ("a\\b\\c.rbp" -> "c.rbp").
std::string_view lastPathComponent(std::string_view path);

}  // namespace marlit
