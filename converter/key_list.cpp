#include "converter/key_list.h"

#include <filesystem>

#include <cstdlib>

#include "base/files.h"
#include "base/sjis.h"

#ifndef MARLIT_DATA_DIR
#define MARLIT_DATA_DIR "data"
#endif

namespace marlit {

namespace {

std::string_view trimBlanks(std::string_view s) {
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

}  // namespace

KeyList KeyList::parse(std::string_view text) {
    KeyList list;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        const std::string_view line = trimBlanks(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (line.empty() || line.front() == '#')
            continue;
        list.names_.emplace_back(line);
    }
    return list;
}

std::optional<KeyList> KeyList::load(std::string_view path, std::string* error) {
    // A host path (the converter's own data), not a path inside the game.
    auto bytes = readHostFile(std::string(path));
    if (!bytes) {
        if (error)
            *error = "cannot read the key picture list " + std::string(path);
        return std::nullopt;
    }
    return parse({reinterpret_cast<const char*>(bytes->data()), bytes->size()});
}

bool KeyList::contains(std::string_view fileName) const {
    for (const std::string& name : names_) {
        if (sameText(name, fileName))
            return true;
    }
    return false;
}

std::string defaultKeyListPath() {
    const char* dir = std::getenv("MARLIT_DATA_DIR");
    if (dir && *dir)
        return std::string(dir) + "/key_pictures.txt";
    // Beside the programs: bin/../data, as the build and an unpacked copy lay it out.
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        auto beside = exe.parent_path().parent_path() / "data" / "key_pictures.txt";
        if (std::filesystem::exists(beside, ec))
            return beside.string();
    }
    return std::string(MARLIT_DATA_DIR) + "/key_pictures.txt";
}

}  // namespace marlit
