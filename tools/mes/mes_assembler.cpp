// Text to script: the header line and one command per line back to bytes.
#include <cctype>

#include "base/sjis.h"
#include "formats/mes_quoted.h"
#include "tools/mes/mes_text_form.h"

namespace marlit {
namespace {

struct Operand {
    enum Kind { kNumber, kString, kWord } kind;
    int64_t number = 0;
    std::string text;  // Shift-JIS bytes of a string, or the bare word
};

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class LineReader {
  public:
    explicit LineReader(std::string_view line) : line_(line) {}

    void skipBlanks() {
        while (pos_ < line_.size() && isBlank(line_[pos_]))
            ++pos_;
    }
    // True at the end of the line or at a comment.
    bool atEnd() {
        skipBlanks();
        return pos_ >= line_.size() || line_[pos_] == '#';
    }
    char peek() const { return line_[pos_]; }

    std::string_view word() {
        size_t start = pos_;
        while (pos_ < line_.size() && isWordChar(line_[pos_]))
            ++pos_;
        return line_.substr(start, pos_ - start);
    }

    std::optional<Operand> operand(std::string& error) {
        char c = peek();
        if (c == '"') {
            std::optional<std::string> bytes = unquoteBytes(line_, pos_, error);
            if (!bytes)
                return std::nullopt;
            return Operand{Operand::kString, 0, std::move(*bytes)};
        }
        bool negative = c == '-';
        if (negative)
            ++pos_;
        std::string_view token = word();
        if (token.empty()) {
            error =
                "unexpected \"" + std::string(1, pos_ < line_.size() ? line_[pos_] : ' ') + "\"";
            return std::nullopt;
        }
        if (!std::isdigit(static_cast<unsigned char>(token[0]))) {
            if (negative) {
                error = "\"-" + std::string(token) + "\" is not a number";
                return std::nullopt;
            }
            return Operand{Operand::kWord, 0, std::string(token)};
        }
        int64_t value = 0;
        bool hex = token.size() > 2 && token[0] == '0' && (token[1] == 'x' || token[1] == 'X');
        for (size_t i = hex ? 2 : 0; i < token.size(); ++i) {
            char d = static_cast<char>(std::tolower(static_cast<unsigned char>(token[i])));
            int digit = d >= '0' && d <= '9'          ? d - '0'
                        : hex && d >= 'a' && d <= 'f' ? d - 'a' + 10
                                                      : -1;
            if (digit < 0 || value > (int64_t{1} << 40)) {
                error = "\"" + std::string(token) + "\" is not a number";
                return std::nullopt;
            }
            value = value * (hex ? 16 : 10) + digit;
        }
        return Operand{Operand::kNumber, negative ? -value : value, {}};
    }

    // The rest of the line as operands.
    std::optional<std::vector<Operand>> operands(std::string& error) {
        std::vector<Operand> out;
        while (!atEnd()) {
            if (!out.empty() && pos_ > 0 && !isBlank(line_[pos_ - 1])) {
                error = "operands must be separated by spaces";
                return std::nullopt;
            }
            std::optional<Operand> op = operand(error);
            if (!op)
                return std::nullopt;
            out.push_back(std::move(*op));
        }
        return out;
    }

  private:
    std::string_view line_;
    size_t pos_ = 0;
};

std::string describe(const std::vector<Operand>& ops) {
    std::string kinds;
    for (const Operand& op : ops) {
        if (!kinds.empty())
            kinds += ", ";
        kinds += op.kind == Operand::kNumber   ? "number"
                 : op.kind == Operand::kString ? "string"
                                               : "word";
    }
    return kinds.empty() ? "nothing" : kinds;
}

bool allNumbers(const std::vector<Operand>& ops, size_t count) {
    if (ops.size() != count)
        return false;
    for (const Operand& op : ops)
        if (op.kind != Operand::kNumber)
            return false;
    return true;
}

bool inRange(const Operand& op, int64_t low, int64_t high, std::string& error) {
    if (op.number >= low && op.number <= high)
        return true;
    error = std::to_string(op.number) + " is out of range (" + std::to_string(low) + " to " +
            std::to_string(high) + ")";
    return false;
}

bool isShownText(uint8_t opcode) {
    return opcode == 75 || opcode == 76 || opcode == 77;
}

// Appends the string operand of a string or speaker command.
bool appendString(const CommandInfo& info, const std::string& bytes, std::vector<uint8_t>& out,
                  std::string& error) {
    std::string stored = bytes;
    if (isShownText(info.opcode)) {
        std::optional<std::string> lowered = encodeShownText(bytes);
        if (!lowered) {
            error =
                "shown text cannot hold a half-width space (it would be stored as the "
                "end of the string); use a full-width space \"\xE3\x80\x80\" instead";
            return false;
        }
        stored = std::move(*lowered);
        if (info.shape == CommandShape::kSpeaker && !stored.empty() && stored[0] == 0x04) {
            error =
                "a speaker name cannot begin with \"$\" (it would read as the player-name "
                "form); write \"speaker player 0 0\" for the player's name";
            return false;
        }
    } else if (bytes.find('\0') != std::string::npos) {
        error = "a string cannot hold the byte 0 (it ends the string)";
        return false;
    }
    out.insert(out.end(), stored.begin(), stored.end());
    out.push_back(0);
    return true;
}

// Appends one command; false with the reason in error.
bool appendCommand(const CommandInfo& info, const std::vector<Operand>& ops,
                   std::vector<uint8_t>& out, std::string& error) {
    const std::string name(info.name);
    std::vector<uint8_t> bytes{info.opcode};
    switch (info.shape) {
        case CommandShape::kWord:
            if (allNumbers(ops, 1)) {
                if (!inRange(ops[0], 0, 65535, error))
                    return false;
                bytes.push_back(static_cast<uint8_t>(ops[0].number));
                bytes.push_back(static_cast<uint8_t>(ops[0].number >> 8));
            } else if (allNumbers(ops, 2)) {
                for (const Operand& op : ops) {
                    if (!inRange(op, 0, 255, error))
                        return false;
                    bytes.push_back(static_cast<uint8_t>(op.number));
                }
            } else {
                error = name + " takes one word (0 to 65535) or two bytes, not " + describe(ops);
                return false;
            }
            break;
        case CommandShape::kByte:
            if (!allNumbers(ops, 1)) {
                error = name + " takes one byte, not " + describe(ops);
                return false;
            }
            if (!inRange(ops[0], 0, 255, error))
                return false;
            bytes.push_back(static_cast<uint8_t>(ops[0].number));
            break;
        case CommandShape::kQuad:
            if (!allNumbers(ops, 4)) {
                error = name + " takes four words, not " + describe(ops);
                return false;
            }
            for (const Operand& op : ops) {
                if (!inRange(op, -32768, 65535, error))
                    return false;
                bytes.push_back(static_cast<uint8_t>(op.number));
                bytes.push_back(static_cast<uint8_t>(op.number >> 8));
            }
            break;
        case CommandShape::kSpeaker:
            if (!ops.empty() && ops[0].kind == Operand::kWord) {
                if (ops[0].text != "player" || ops.size() != 3 || ops[1].kind != Operand::kNumber ||
                    ops[2].kind != Operand::kNumber) {
                    error = "speaker takes a quoted name or \"player\" and two bytes";
                    return false;
                }
                if (!inRange(ops[1], 0, 255, error) || !inRange(ops[2], 0, 255, error))
                    return false;
                bytes.push_back(0x04);
                bytes.push_back(static_cast<uint8_t>(ops[1].number));
                bytes.push_back(static_cast<uint8_t>(ops[2].number));
                break;
            }
            [[fallthrough]];
        case CommandShape::kString:
            if (ops.size() != 1 || ops[0].kind != Operand::kString) {
                error = name + " takes one quoted string, not " + describe(ops);
                return false;
            }
            if (!appendString(info, ops[0].text, bytes, error))
                return false;
            break;
    }
    out.insert(out.end(), bytes.begin(), bytes.end());
    return true;
}

void putWord(std::vector<uint8_t>& out, uint32_t w) {
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<uint8_t>(w >> (8 * i)));
}

}  // namespace

std::optional<std::vector<uint8_t>> assembleScript(std::string_view text, AssemblyError* error) {
    std::vector<uint32_t> header;
    std::vector<uint8_t> stream;
    bool headerSeen = false;
    bool commandSeen = false;
    size_t lineNumber = 0;
    std::string what;
    auto failAt = [&](std::string message) -> std::optional<std::vector<uint8_t>> {
        if (error) {
            error->line = lineNumber;
            error->what = std::move(message);
        }
        return std::nullopt;
    };
    // A byte-order mark, as some editors write at the start of UTF-8 text.
    size_t start = text.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        ++lineNumber;
        LineReader reader(line);
        if (reader.atEnd())
            continue;
        if (std::isdigit(static_cast<unsigned char>(reader.peek()))) {
            reader.word();  // the position column, informative only
            if (reader.atEnd())
                return failAt("a position without a command");
        }
        std::string_view name = reader.word();
        if (name.empty())
            return failAt("expected a command name");
        std::optional<std::vector<Operand>> ops = reader.operands(what);
        if (!ops)
            return failAt(what);
        if (sameText(name, "header")) {
            if (headerSeen || commandSeen)
                return failAt("the header line must come once, before the commands");
            headerSeen = true;
            for (const Operand& op : *ops) {
                if (op.kind != Operand::kNumber)
                    return failAt("header takes numbers, not " + describe(*ops));
                if (!inRange(op, 0, 4294967295, what))
                    return failAt(what);
                header.push_back(static_cast<uint32_t>(op.number));
            }
            continue;
        }
        commandSeen = true;
        if (sameText(name, "bytes")) {
            if (ops->empty())
                return failAt("bytes takes at least one number");
            for (const Operand& op : *ops) {
                if (op.kind != Operand::kNumber)
                    return failAt("bytes takes numbers, not " + describe(*ops));
                if (!inRange(op, 0, 255, what))
                    return failAt(what);
                stream.push_back(static_cast<uint8_t>(op.number));
            }
            continue;
        }
        const CommandInfo* info = commandByName(name);
        if (!info)
            return failAt("unknown command \"" + std::string(name) + "\"");
        if (!appendCommand(*info, *ops, stream, what))
            return failAt(what);
    }
    std::vector<uint8_t> file;
    putWord(file, static_cast<uint32_t>(header.size()));
    for (uint32_t w : header)
        putWord(file, w);
    file.insert(file.end(), stream.begin(), stream.end());
    return file;
}

}  // namespace marlit
