// What the reader has seen, kept in memory while the player runs: the read
// bits of every script's messages and the list of scripts entered. The
// persistence layer writes and reads them.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

// One bit per message number of a script.
class ReadLog {
  public:
    // Message numbers 0..511 are recorded; a higher one is ignored.
    static constexpr int kMessages = 512;

    struct Entry {
        std::string script;
        std::bitset<kMessages> read;
    };

    // False when the number is out of range (nothing recorded).
    bool markRead(std::string_view script, int message);
    bool isRead(std::string_view script, int message) const;
    const std::vector<Entry>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

  private:
    const Entry* find(std::string_view script) const;
    std::vector<Entry> entries_;
};

// The scripts entered, each listed once, in the order first entered.
class SeenLists {
  public:
    // False when it was already listed.
    bool addScript(std::string_view name);
    bool seen(std::string_view name) const;
    const std::vector<std::string>& scripts() const { return scripts_; }
    void clear() { scripts_.clear(); }

  private:
    std::vector<std::string> scripts_;
};

}  // namespace marlit
