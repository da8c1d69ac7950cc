#include "tools/marlit_tool/help.h"

#include <algorithm>

namespace marlit::tool {

namespace {

constexpr size_t kNameColumn = 20;

std::string words(const Command& c) {
    std::string w(c.group);
    if (!c.name.empty())
        w += " " + std::string(c.name);
    return w;
}

bool isWide(uint32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6);
}

}  // namespace

size_t displayWidth(std::string_view text) {
    size_t width = 0;
    for (size_t i = 0; i < text.size();) {
        auto c = static_cast<unsigned char>(text[i]);
        size_t length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        uint32_t cp = length == 1 ? c : c & (0x3F >> (length - 1));
        for (size_t k = 1; k < length && i + k < text.size(); ++k)
            cp = cp << 6 | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        width += isWide(cp) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string wrapText(std::string_view lead, std::string_view text, size_t indent, size_t width) {
    std::string out(lead);
    size_t column = displayWidth(lead);
    bool lineEmpty = true;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t start = text.find_first_not_of(' ', pos);
        if (start == std::string_view::npos)
            break;
        size_t end = std::min(text.find(' ', start), text.size());
        std::string_view word = text.substr(start, end - start);
        size_t need = displayWidth(word) + (lineEmpty ? 0 : 1);
        if (!lineEmpty && column + need > width) {
            out += "\n" + std::string(indent, ' ');
            column = indent;
            need -= 1;
        } else if (!lineEmpty) {
            out += ' ';
        }
        out += word;
        column += need;
        lineEmpty = false;
        pos = end;
    }
    return out + "\n";
}

void printCommandList(FILE* out) {
    std::fputs(
        "usage: marlit-tool SUBCOMMAND [ARG...]\n"
        "Inspects and converts marlit's files: packs, pictures, sounds, scripts.\n"
        "'marlit-tool help SUBCOMMAND' (or 'marlit-tool SUBCOMMAND --help') tells\n"
        "more about one; 'marlit-tool --version' prints the version.\n\n"
        "subcommands:\n",
        out);
    for (const Command& c : commands()) {
        std::string name = "  " + words(c);
        name.resize(std::max(name.size() + 1, kNameColumn), ' ');
        std::fputs(wrapText(name, c.summary, kNameColumn).c_str(), out);
    }
}

void printGroup(FILE* out, std::string_view group) {
    std::fputs("usage:\n", out);
    for (const Command& c : commands()) {
        if (c.group == group)
            std::fputs(wrapText("  marlit-tool ", c.usage, 6).c_str(), out);
    }
}

void printCommandHelp(FILE* out, const Command& c) {
    std::fputs(wrapText("usage: marlit-tool ", c.usage, 6).c_str(), out);
    std::fputs(wrapText("", c.summary, 0).c_str(), out);
    if (!c.details.empty()) {
        std::fprintf(out, "\n%.*s", static_cast<int>(c.details.size()), c.details.data());
        if (c.details.back() != '\n')
            std::fputc('\n', out);
    }
    std::fprintf(out, "\nexample:\n  %.*s\n", static_cast<int>(c.example.size()), c.example.data());
}

}  // namespace marlit::tool
