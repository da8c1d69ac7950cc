#include "platform/headless/input_script.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <memory>
#include <span>

#include "base/files.h"
#include "base/printable.h"
#include "base/words.h"
#include "platform/key_codes.h"

namespace marlit {

namespace {

constexpr uint32_t kMaxTime = 0x7FFFFFFF;
constexpr uint32_t kLastMode = 99;
constexpr size_t kLongestLabel = 63;
constexpr uint32_t kShortestRepeat = 100;
constexpr uint32_t kLongestRepeat = 60'000;
constexpr uint32_t kRepeatSpan = 600'000;  // ten minutes
constexpr size_t kMaxEvents = 1'000'000;

struct KeyName {
    std::string_view name;
    int16_t code;
};
constexpr KeyName kKeys[] = {
    {"up", kKeyCodeUp},       {"down", kKeyCodeDown},   {"left", kKeyCodeLeft},
    {"right", kKeyCodeRight}, {"start", kKeyCodeStart}, {"a", kKeyCodeA},
    {"b", kKeyCodeB},         {"c", kKeyCodeC},         {"menu", kKeyCodeMenu}};

std::optional<uint32_t> number(std::string_view word, uint32_t max) {
    uint32_t v = 0;
    auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), v);
    if (ec != std::errc() || end != word.data() + word.size() || v > max)
        return std::nullopt;
    return v;
}

class LineParser {
  public:
    LineParser(const ScriptScreen& screen, std::vector<ScriptedEvent>& out)
        : screen_(screen), out_(out) {}

    // Empty on success, else what is wrong.
    std::string parse(const std::vector<std::string_view>& w) {
        auto time = number(w[0], kMaxTime);
        if (!time)
            return "bad time '" + printable(w[0]) + "'";
        std::string_view verb = w.size() > 1 ? w[1] : std::string_view();
        if (verb != "wait" && *time < lastTime_)
            return "time goes backwards";
        lastTime_ = *time;
        if (verb == "every")
            return repeat(*time, w);
        return event(*time, std::span(w).subspan(1));
    }

  private:
    // TIME every MS tap X Y | press NAME: a tap and its release, or a press,
    // every MS ms until the part ends, for at most kRepeatSpan.
    std::string repeat(uint32_t time, const std::vector<std::string_view>& w) {
        auto every = w.size() > 2 ? number(w[2], kLongestRepeat) : std::nullopt;
        if (!every || *every < kShortestRepeat)
            return "bad repeat: expected every MS (" + std::to_string(kShortestRepeat) + " to " +
                   std::to_string(kLongestRepeat) + ") tap X Y or press NAME";
        const auto what = std::span(w).subspan(3);
        const bool tap = what.size() == 3 && what[0] == "tap";
        if (!tap && !(what.size() == 2 && what[0] == "press"))
            return "bad repeat: only tap X Y and press NAME repeat";
        const uint64_t end = std::min<uint64_t>(uint64_t{time} + kRepeatSpan, kMaxTime);
        for (uint64_t t = time; t <= end; t += *every) {
            std::string problem = event(static_cast<uint32_t>(t), what);
            if (!problem.empty())
                return problem;
            if (tap)
                add(static_cast<uint32_t>(t) + kPressLength, EventType::StylusUp, 0);
        }
        return {};
    }

    // One event at `time`: w is the verb and its words.
    std::string event(uint32_t time, std::span<const std::string_view> w) {
        std::string_view verb = w.empty() ? std::string_view() : w[0];
        size_t args = w.empty() ? 0 : w.size() - 1;
        if (out_.size() >= kMaxEvents)
            return "more than " + std::to_string(kMaxEvents) + " events";
        if (verb == "key" && args == 2 && (w[1] == "down" || w[1] == "up")) {
            auto code = key(w[2]);
            if (!code)
                return "unknown key '" + printable(w[2]) + "'";
            add(time, w[1] == "down" ? EventType::KeyDown : EventType::KeyUp, *code);
        } else if (verb == "press" && args == 1) {
            auto code = key(w[1]);
            if (!code)
                return "unknown key '" + printable(w[1]) + "'";
            add(time, EventType::KeyDown, *code);
            add(time + kPressLength, EventType::KeyUp, *code);
        } else if ((verb == "tap" || verb == "drag") && args == 2) {
            auto x = number(w[1], static_cast<uint32_t>(screen_.width - 1));
            auto y = number(w[2], static_cast<uint32_t>(screen_.height - 1));
            if (!x || !y) {
                return "position outside the " + std::to_string(screen_.width) + "x" +
                       std::to_string(screen_.height) + " screen";
            }
            toDevice(static_cast<int>(*x), static_cast<int>(*y));
            add(time, verb == "tap" ? EventType::StylusDown : EventType::StylusMove, 0);
        } else if (verb == "release" && args == 0) {
            add(time, EventType::StylusUp, 0);
        } else if (verb == "command" && args == 1) {
            auto id = number(w[1], 0xFFFF);
            if (!id)
                return "bad command id '" + printable(w[1]) + "'";
            add(time, EventType::Command, static_cast<int32_t>(*id));
        } else if (verb == "wheel" && args == 1 && (w[1] == "up" || w[1] == "down")) {
            add(time, EventType::Wheel, w[1] == "up" ? 1 : -1);
        } else if (verb == "quit" && args == 0) {
            add(time, EventType::Close, 0);
        } else if (verb == "wait" && args == 2 && w[1] == "mode") {
            auto mode = number(w[2], kLastMode);
            if (!mode)
                return "bad mode '" + printable(w[2]) + "' (0 to " + std::to_string(kLastMode) +
                       ")";
            add(time, EventType::Paint, 0);  // never delivered
            out_.back().wait = GameWait{static_cast<int>(*mode), {}};
            // The lines after it count from the moment it is over.
            lastTime_ = 0;
        } else if (verb == "wait" && args == 2 && w[1] == "script") {
            if (w[2].size() > kLongestLabel)
                return "the label '" + printable(w[2]) + "' is longer than " +
                       std::to_string(kLongestLabel) + " bytes";
            add(time, EventType::Paint, 0);  // never delivered
            out_.back().wait = GameWait{-1, std::string(w[2])};
            lastTime_ = 0;
        } else {
            return "not an event: expected key down|up NAME, press NAME, tap X Y, drag X Y, "
                   "release, wheel up|down, command ID, quit, wait mode N, wait script LABEL or "
                   "every MS ...";
        }
        return {};
    }

    static std::optional<int16_t> key(std::string_view name) {
        for (const KeyName& k : kKeys) {
            if (k.name == name)
                return k.code;
        }
        return std::nullopt;
    }

    // Landscape (x, y) to the portrait device: device x runs along the
    // picture's y, device y along the picture's x from its far end.
    void toDevice(int x, int y) {
        deviceX_ = y;
        deviceY_ = screen_.width - 1 - x;
        if (screen_.halfStylus) {
            deviceX_ /= 2;
            deviceY_ /= 2;
        }
    }

    void add(uint32_t time, EventType type, int32_t value) {
        ScriptedEvent e;
        e.time = time;
        e.event.type = type;
        e.event.value = value;
        e.event.x = deviceX_;
        e.event.y = deviceY_;
        out_.push_back(e);
    }

    const ScriptScreen& screen_;
    std::vector<ScriptedEvent>& out_;
    uint32_t lastTime_ = 0;
    int32_t deviceX_ = 0;
    int32_t deviceY_ = 0;
};

}  // namespace

std::optional<std::vector<ScriptedEvent>> parseInputScript(std::string_view text,
                                                           const ScriptScreen& screen,
                                                           std::string* error) {
    std::vector<ScriptedEvent> events;
    LineParser parser(screen, events);
    size_t lineNo = 0;
    while (!text.empty()) {
        ++lineNo;
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        std::vector<std::string_view> words = splitWords(line);
        if (words.empty() || words[0][0] == '#')
            continue;
        std::string problem = parser.parse(words);
        if (!problem.empty()) {
            if (error)
                *error = "line " + std::to_string(lineNo) + ": " + problem;
            return std::nullopt;
        }
    }
    // A press's key up may belong after later lines of its part; equal
    // times keep their order, and no event moves across a wait.
    auto part = events.begin();
    while (part != events.end()) {
        auto wait = std::find_if(part, events.end(),
                                 [](const ScriptedEvent& e) { return e.wait.has_value(); });
        std::stable_sort(part, wait, [](const ScriptedEvent& a, const ScriptedEvent& b) {
            return a.time < b.time;
        });
        part = wait == events.end() ? wait : wait + 1;
    }
    return events;
}

std::optional<std::vector<ScriptedEvent>> loadInputScript(const std::string& path,
                                                          const ScriptScreen& screen,
                                                          std::string* error) {
    // A path from the command line is a host path, not a system path. A
    // FIFO or a device is refused: reading it would block or never end.
    std::string why;
    const int fd = openRegularFile(path, &why);
    if (fd < 0) {
        if (error)
            *error = path + ": cannot read the file: " + why;
        return std::nullopt;
    }
    std::unique_ptr<FILE, int (*)(FILE*)> in(::fdopen(fd, "rb"), std::fclose);
    struct stat st;
    if (!in || ::fstat(fd, &st) != 0 || st.st_size < 0 ||
        static_cast<uint64_t>(st.st_size) > kMaxScriptBytes) {
        if (!in)
            ::close(fd);
        if (error)
            *error = path + ": not a file of at most " + std::to_string(kMaxScriptBytes) + " bytes";
        return std::nullopt;
    }
    std::string text(static_cast<size_t>(st.st_size), '\0');
    if (std::fread(text.data(), 1, text.size(), in.get()) != text.size()) {
        if (error)
            *error = path + ": cannot read the file: " + lastSystemError();
        return std::nullopt;
    }
    std::string message;
    auto events = parseInputScript(text, screen, &message);
    if (!events && error)
        *error = path + ": " + message;
    return events;
}

}  // namespace marlit
