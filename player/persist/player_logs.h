// The three files the player keeps across games in the save folder: the
// system record save000.dat (the system variables, banks 50-255), the read
// log message.dat and the seen lists syslog.dat. Each is written whole
// through a kept file (temporary file, rename, the old one as .bak).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "player/scenario/read_log.h"
#include "player/scenario/scenario_vars.h"

namespace marlit {

constexpr std::string_view kSystemFileName = "save000.dat";
constexpr std::string_view kReadLogFileName = "message.dat";
constexpr std::string_view kSeenFileName = "syslog.dat";
constexpr size_t kSystemRecordBytes = (256 - 50) * 256 * 2;  // 105 472

// syslog.dat: "HXS1", then per list its count, the bytes of its names and
// the NUL-terminated names.
std::vector<uint8_t> encodeSeenLists(const SeenLists& lists);
// Empties both lists and adds the names read. A count larger than the data
// or a name without its NUL ends the reading at the end of the file; the
// names before stay. False when the file ended early.
bool decodeSeenLists(std::span<const uint8_t> file, SeenLists& lists);

// message.dat: the count of records, then per record the script name with
// its NUL and 64 bytes of read bits. None when the log has no records.
std::optional<std::vector<uint8_t>> encodeReadLog(const ReadLog& log);
// Adds or overwrites the record of each script read (a later record of the
// same name wins). Stops at the end of the file; false when it ended early.
bool decodeReadLog(std::span<const uint8_t> file, ReadLog& log);

// save000.dat: the system variables in index order.
std::vector<uint8_t> encodeSystemRecord(const ScenarioVars& vars);
// False (the variables untouched) unless the file is 105 472 bytes.
bool decodeSystemRecord(std::span<const uint8_t> file, ScenarioVars& vars);

// The logs of one save folder (a host path ending with "/").
class PlayerLogs {
  public:
    PlayerLogs(std::string hostFolder, ReadLog& readLog, SeenLists& seen, ScenarioVars& vars,
               std::function<void(const std::string&)> report = {});

    // The read log and the seen lists. message.dat only when the log has a
    // record (an existing file stays as it was). False when a file could
    // not be written (said through `report`).
    bool WriteLogs();
    // At game initialisation: syslog.dat replaces both lists; message.dat
    // fills the read log when it is still empty. Missing files leave the
    // lists as they are.
    void ReadLogs();
    bool SaveSystem();
    // A missing or damaged file leaves the system variables as they are.
    void LoadSystem();

    std::string file(std::string_view name) const { return folder_ + std::string(name); }

  private:
    std::string folder_;
    ReadLog& readLog_;
    SeenLists& seen_;
    ScenarioVars& vars_;
    std::function<void(const std::string&)> report_;
};

}  // namespace marlit
