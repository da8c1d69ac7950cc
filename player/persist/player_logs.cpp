#include "player/persist/player_logs.h"

#include <cstring>

#include "base/bytes.h"
#include "base/kept_file.h"

namespace marlit {

namespace {

constexpr uint32_t kSystemFirst = ScenarioVars::flat(50, 0);

// A NUL-terminated name at the reader's position; none when the file ends
// before its NUL.
std::optional<std::string> readName(ByteReader& in) {
    const auto rest = in.data().subspan(in.position());
    const auto nul = std::find(rest.begin(), rest.end(), uint8_t{0});
    if (nul == rest.end()) {
        in.skip(rest.size());
        return std::nullopt;
    }
    const size_t n = static_cast<size_t>(nul - rest.begin());
    std::string name(reinterpret_cast<const char*>(rest.data()), n);
    in.skip(n + 1);
    return name;
}

void writeList(ByteWriter& out, const std::vector<std::string>& names) {
    out.u32(static_cast<uint32_t>(names.size()));
    uint32_t bytes = 0;
    for (const std::string& n : names)
        bytes += static_cast<uint32_t>(n.size() + 1);
    out.u32(bytes);
    for (const std::string& n : names) {
        out.bytes(n.data(), n.size());
        out.u8(0);
    }
}

bool readList(ByteReader& in, SeenLists& lists, int list) {
    const uint32_t count = in.u32();
    in.u32();  // the bytes of the names: the names are found by their NULs
    if (!in.ok())
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        auto name = readName(in);
        if (!name)
            return false;
        lists.add(list, *name);
    }
    return true;
}

}  // namespace

std::vector<uint8_t> encodeSeenLists(const SeenLists& lists) {
    ByteWriter out;
    out.bytes("HXS1", 4);
    writeList(out, lists.names(SeenLists::kPictures));
    writeList(out, lists.names(SeenLists::kScripts));
    return out.take();
}

bool decodeSeenLists(std::span<const uint8_t> file, SeenLists& lists) {
    lists.clear();
    ByteReader in(file);
    in.skip(4);  // the magic is not tested
    return readList(in, lists, SeenLists::kPictures) && readList(in, lists, SeenLists::kScripts);
}

std::optional<std::vector<uint8_t>> encodeReadLog(const ReadLog& log) {
    if (log.entries().empty())
        return std::nullopt;
    ByteWriter out;
    out.u32(static_cast<uint32_t>(log.entries().size()));
    for (const ReadLog::Entry& e : log.entries()) {
        out.bytes(e.script.data(), e.script.size());
        out.u8(0);
        const auto bits = ReadLog::bitBytes(e);
        out.bytes(bits.data(), bits.size());
    }
    return out.take();
}

bool decodeReadLog(std::span<const uint8_t> file, ReadLog& log) {
    ByteReader in(file);
    const uint32_t count = in.u32();
    if (!in.ok())
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        auto name = readName(in);
        if (!name)
            return false;
        auto bits = in.bytes(ReadLog::kBitBytes);
        if (bits.size() != ReadLog::kBitBytes)
            return false;
        log.setBits(*name,
                    std::span<const uint8_t, ReadLog::kBitBytes>(bits.data(), ReadLog::kBitBytes));
    }
    return true;
}

std::vector<uint8_t> encodeSystemRecord(const ScenarioVars& vars) {
    ByteWriter out;
    for (uint32_t i = kSystemFirst; i < ScenarioVars::kCount; ++i)
        out.i16(vars.get(i));
    return out.take();
}

bool decodeSystemRecord(std::span<const uint8_t> file, ScenarioVars& vars) {
    if (file.size() != kSystemRecordBytes)
        return false;
    for (uint32_t i = kSystemFirst; i < ScenarioVars::kCount; ++i)
        vars.set(i, static_cast<int16_t>(loadU16(file.data() + 2 * (i - kSystemFirst))));
    return true;
}

PlayerLogs::PlayerLogs(std::string hostFolder, ReadLog& readLog, SeenLists& seen,
                       ScenarioVars& vars, std::function<void(const std::string&)> report)
    : folder_(std::move(hostFolder)),
      readLog_(readLog),
      seen_(seen),
      vars_(vars),
      report_(std::move(report)) {
    if (!folder_.empty() && folder_.back() != '/')
        folder_ += '/';
}

bool PlayerLogs::WriteLogs() {
    bool ok = true;
    auto put = [&](std::string_view name, const std::vector<uint8_t>& bytes) {
        std::string why;
        if (!writeKeptFile(file(name), bytes, &why)) {
            ok = false;
            if (report_)
                report_("cannot write " + file(name) + ": " + why +
                        " (check that the save folder can be written)");
        }
    };
    put(kSeenFileName, encodeSeenLists(seen_));
    if (auto log = encodeReadLog(readLog_))
        put(kReadLogFileName, *log);
    return ok;
}

void PlayerLogs::ReadLogs() {
    // A kept file whose main copy ends early falls back to the backup;
    // when neither is whole, the main copy is read as far as it goes.
    auto read = [&](std::string_view name,
                    const std::function<bool(std::span<const uint8_t>)>& whole)
        -> std::optional<std::vector<uint8_t>> {
        if (auto kept = readKeptFile(file(name), whole))
            return std::move(kept->data);
        auto any = readKeptFile(file(name), [](std::span<const uint8_t>) { return true; });
        if (!any)
            return std::nullopt;
        if (report_)
            report_(file(name) + " is damaged; what it holds up to the damage was read");
        return std::move(any->data);
    };
    if (auto bytes = read(kSeenFileName, [](std::span<const uint8_t> b) {
            SeenLists probe;
            return decodeSeenLists(b, probe);
        }))
        decodeSeenLists(*bytes, seen_);
    if (!readLog_.entries().empty())
        return;
    if (auto bytes = read(kReadLogFileName, [](std::span<const uint8_t> b) {
            ReadLog probe;
            return decodeReadLog(b, probe);
        }))
        decodeReadLog(*bytes, readLog_);
}

bool PlayerLogs::SaveSystem() {
    std::string why;
    if (writeKeptFile(file(kSystemFileName), encodeSystemRecord(vars_), &why))
        return true;
    if (report_)
        report_("cannot write " + file(kSystemFileName) + ": " + why +
                " (check that the save folder can be written)");
    return false;
}

void PlayerLogs::LoadSystem() {
    auto kept = readKeptFile(file(kSystemFileName), [](std::span<const uint8_t> b) {
        return b.size() == kSystemRecordBytes;
    });
    if (kept)
        decodeSystemRecord(kept->data, vars_);
    else if (report_ &&
             readKeptFile(file(kSystemFileName), [](std::span<const uint8_t>) { return true; }))
        report_(file(kSystemFileName) + " is not " + std::to_string(kSystemRecordBytes) +
                " bytes long; the system variables start from zero");
}

}  // namespace marlit
