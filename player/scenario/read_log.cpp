#include "player/scenario/read_log.h"

#include <algorithm>

#include "base/sjis.h"

namespace marlit {

namespace {

std::string cutName(std::string_view name, size_t bytes) {
    name = name.substr(0, std::min(name.size(), bytes));
    if (auto nul = name.find('\0'); nul != std::string_view::npos)
        name = name.substr(0, nul);
    return std::string(name);
}

}  // namespace

ReadLog::Entry* ReadLog::find(std::string_view script) {
    for (Entry& e : entries_) {
        if (sameText(e.script, script))
            return &e;
    }
    return nullptr;
}

const ReadLog::Entry* ReadLog::find(std::string_view script) const {
    return const_cast<ReadLog*>(this)->find(script);
}

ReadLog::Entry* ReadLog::take(std::string_view script) {
    const std::string name = cutName(script, kNameBytes);
    if (Entry* e = find(name))
        return e;
    if (entries_.size() >= kScripts)
        return nullptr;
    return &entries_.emplace_back(Entry{name, {}});
}

bool ReadLog::markRead(std::string_view script, int message) {
    if (message < 0 || message >= kMessages)
        return false;
    Entry* entry = take(script);
    if (!entry)
        return false;
    if (!entry->read.test(static_cast<size_t>(message))) {
        entry->read.set(static_cast<size_t>(message));
        unwritten_ = true;
    }
    return true;
}

bool ReadLog::isRead(std::string_view script, int message) const {
    if (message < 0 || message >= kMessages)
        return false;
    const Entry* entry = find(cutName(script, kNameBytes));
    return entry && entry->read.test(static_cast<size_t>(message));
}

bool ReadLog::setBits(std::string_view script, std::span<const uint8_t, kBitBytes> bits) {
    Entry* entry = take(script);
    if (!entry)
        return false;
    entry->read.reset();
    for (size_t i = 0; i < static_cast<size_t>(kMessages); ++i) {
        if (bits[i / 8] & (1u << (i % 8)))
            entry->read.set(i);
    }
    return true;
}

std::array<uint8_t, ReadLog::kBitBytes> ReadLog::bitBytes(const Entry& entry) {
    std::array<uint8_t, kBitBytes> out{};
    for (size_t i = 0; i < static_cast<size_t>(kMessages); ++i) {
        if (entry.read.test(i))
            out[i / 8] = static_cast<uint8_t>(out[i / 8] | (1u << (i % 8)));
    }
    return out;
}

bool SeenLists::add(int list, std::string_view name) {
    if (list != kPictures && list != kScripts)
        return false;
    const std::string cut = cutName(name, kNameBytes);
    if (isSeen(list, cut))
        return false;
    if (lists_[0].size() + lists_[1].size() >= kNames)
        return false;
    lists_[static_cast<size_t>(list)].push_back(cut);
    return true;
}

bool SeenLists::isSeen(int list, std::string_view name) const {
    if (list != kPictures && list != kScripts)
        return false;
    const auto& names = lists_[static_cast<size_t>(list)];
    return std::any_of(names.begin(), names.end(),
                       [&](const std::string& s) { return sameText(s, name); });
}

const std::vector<std::string>& SeenLists::names(int list) const {
    static const std::vector<std::string> none;
    if (list != kPictures && list != kScripts)
        return none;
    return lists_[static_cast<size_t>(list)];
}

std::string_view lastPathComponent(std::string_view path) {
    // Shift-JIS aware: a second byte 0x5C is no separator.
    if (auto slash = findLast(path, '\\'))
        return path.substr(*slash + 1);
    return path;
}

}  // namespace marlit
