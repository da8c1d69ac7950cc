#include "player/persist/config_cache.h"

#include <sys/stat.h>

#include <algorithm>

#include "base/files.h"
#include "base/kept_file.h"
#include "base/sjis.h"

namespace marlit {

namespace {

bool isSectionLine(std::string_view line) {
    return !line.empty() && line[0] == '[';
}

// The text between "[" and the first "]" (the rest of the line without
// one). A "]" that is the second byte of a double-byte character does not
// end it.
std::string_view sectionNameOf(std::string_view line) {
    size_t i = 1;
    while (i < line.size()) {
        if (isLeadByte(line[i])) {
            i += 2;
            continue;
        }
        if (line[i] == ']')
            return line.substr(1, i - 1);
        ++i;
    }
    return line.substr(std::min<size_t>(1, line.size()));
}

// Text with its double quotes removed; with dropBlanks, spaces and tabs
// are dropped too.
std::string unquote(std::string_view text, bool dropBlanks) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"' || (dropBlanks && (c == ' ' || c == '\t')))
            continue;
        out.push_back(c);
    }
    return out;
}

// The key of a setting line, or none for a line without "=".
std::optional<std::string> keyOf(std::string_view line) {
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    return unquote(line.substr(0, eq), true);
}

std::string valueOf(std::string_view line) {
    return unquote(line.substr(line.find('=') + 1), false);
}

// A line cut to kConfigLineMax bytes without splitting a double-byte
// character.
std::string_view cutLine(std::string_view line) {
    if (line.size() <= kConfigLineMax)
        return line;
    size_t end = 0;
    while (end < line.size()) {
        const size_t width = isLeadByte(line[end]) ? 2 : 1;
        if (end + width > kConfigLineMax)
            break;
        end += width;
    }
    return line.substr(0, end);
}

// A file that a cut-off write left behind: empty, or with NUL bytes where
// its text should be.
bool looksWhole(std::span<const uint8_t> bytes) {
    return !bytes.empty() && std::find(bytes.begin(), bytes.end(), 0) == bytes.end();
}

}  // namespace

int32_t parseConfigInt(std::string_view value) {
    if (value.size() >= 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        int32_t out = 0;
        parseNumber(value, out);
        return out;
    }
    uint32_t result = 0;
    uint32_t place = 1;
    bool negative = false;
    for (size_t i = value.size(); i-- > 0;) {
        const char c = value[i];
        if (c >= '0' && c <= '9')
            result += static_cast<uint32_t>(c - '0') * place;
        else if (c == '-')
            negative = true;
        place *= 10;
    }
    return static_cast<int32_t>(negative ? 0u - result : result);
}

std::vector<std::string> ConfigCache::splitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos)
            end = text.size();
        else if (end > start && text[end - 1] == '\r')
            --end;
        lines.emplace_back(cutLine(text.substr(start, end - start)));
        start = next;
    }
    return lines;
}

std::string ConfigCache::joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void ConfigCache::use(const std::string& path) {
    if (loaded_ && path == path_)
        return;
    clear();
    loaded_ = true;
    path_ = path;
    std::string why;
    auto file = readKeptFile(path, looksWhole, &why);
    if (file) {
        fromBackup_ = file->fromBackup;
        lines_ = splitLines(
            std::string_view(reinterpret_cast<const char*>(file->data.data()), file->data.size()));
        return;
    }
    // An empty file without a backup is simply empty; a file that is there
    // but cannot be read or is damaged must not be written over.
    struct stat st;
    if (::lstat(path.c_str(), &st) != 0)
        return;
    if (!(S_ISREG(st.st_mode) && st.st_size == 0))
        readError_ = why;
}

void ConfigCache::clear() {
    loaded_ = false;
    path_.clear();
    lines_.clear();
    fromBackup_ = false;
    readError_.clear();
}

std::optional<size_t> ConfigCache::findSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        if (isSectionLine(lines_[i]) && sameText(sectionNameOf(lines_[i]), section))
            return i;
    }
    return std::nullopt;
}

std::optional<size_t> ConfigCache::find(std::string_view section, std::string_view key) const {
    // Lines before the first header form the section with the empty name.
    size_t first = 0;
    if (!section.empty()) {
        auto header = findSection(section);
        if (!header)
            return std::nullopt;
        first = *header + 1;
    }
    const std::string wanted = unquote(key, true);
    for (size_t i = first; i < lines_.size() && !isSectionLine(lines_[i]); ++i) {
        auto k = keyOf(lines_[i]);
        if (k && sameText(*k, wanted))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> ConfigCache::readRaw(std::string_view section, std::string_view key,
                                                const std::string& path) {
    use(path);
    auto line = find(section, key);
    if (!line)
        return std::nullopt;
    return valueOf(lines_[*line]);
}

int32_t ConfigCache::ReadInt(std::string_view section, std::string_view key, int32_t fallback,
                             const std::string& path) {
    auto value = readRaw(section, key, path);
    if (!value || value->empty())
        return fallback;
    return parseConfigInt(*value);
}

std::optional<std::string> ConfigCache::ReadString(std::string_view section, std::string_view key,
                                                   size_t capacity, const std::string& path) {
    auto value = readRaw(section, key, path);
    if (!value || value->empty() || value->size() > capacity)
        return std::nullopt;
    return value;
}

void ConfigCache::WriteString(std::string_view section, std::string_view key,
                              std::string_view value, const std::string& path) {
    use(path);
    std::string line = std::string(key) + "=" + std::string(value);
    if (auto at = find(section, key)) {
        lines_[*at] = std::string(cutLine(line));
        return;
    }
    size_t insertAt = 0;
    if (!section.empty()) {
        auto header = findSection(section);
        if (!header) {
            lines_.push_back("[" + std::string(section) + "]");
            header = lines_.size() - 1;
        }
        insertAt = *header + 1;
    }
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  std::string(cutLine(line)));
}

bool ConfigCache::Flush(std::string* why) {
    if (!loaded_)
        return true;
    if (!readError_.empty()) {
        if (why)
            *why = "it could not be read (" + readError_ +
                   "), so it is left as it is; move it away to start afresh";
        clear();
        return false;
    }
    const std::string text = joinLines(lines_);
    const bool ok = writeKeptFile(
        path_, std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()), why);
    clear();
    return ok;
}

}  // namespace marlit
