// The readers of syslog.dat, message.dat and save000.dat on untrusted bytes:
// they stop at the end of the file, keep to their pools, and what they read
// writes back and reads again the same.
#include <cstddef>
#include <cstdint>
#include <span>

#include "player/persist/player_logs.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace marlit;
    const std::span<const uint8_t> file(data, size);

    SeenLists seen;
    decodeSeenLists(file, seen);
    if (seen.names(0).size() + seen.names(1).size() > SeenLists::kNames)
        __builtin_trap();
    SeenLists seenAgain;
    if (!decodeSeenLists(encodeSeenLists(seen), seenAgain) || seenAgain.names(0) != seen.names(0) ||
        seenAgain.names(1) != seen.names(1))
        __builtin_trap();

    ReadLog log;
    decodeReadLog(file, log);
    if (log.entries().size() > ReadLog::kScripts)
        __builtin_trap();
    if (auto bytes = encodeReadLog(log)) {
        ReadLog again;
        if (!decodeReadLog(*bytes, again) || again.entries().size() != log.entries().size())
            __builtin_trap();
        for (size_t i = 0; i < log.entries().size(); ++i) {
            if (again.entries()[i].read != log.entries()[i].read)
                __builtin_trap();
        }
    }

    ScenarioVars vars;
    if (decodeSystemRecord(file, vars) != (size == kSystemRecordBytes))
        __builtin_trap();
    return 0;
}
