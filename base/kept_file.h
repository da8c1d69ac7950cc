// The files the player keeps between runs (its settings, saves and logs).
// A write goes to a temporary file that is synced and renamed over the old
// one, and the old one stays as NAME.bak; so a kill or a power cut at any
// instant leaves the old file or the new one, never a torn one. A reader
// takes NAME.bak when NAME is missing or fails the caller's check.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace marlit {

// Writes a host path (UTF-8, "/") whole, keeping the previous file as
// NAME.bak. False with the reason in `why`.
bool writeKeptFile(const std::string& hostPath, std::span<const uint8_t> data,
                   std::string* why = nullptr);

struct KeptFile {
    std::vector<uint8_t> data;
    // True when NAME was missing or damaged and NAME.bak was read instead.
    bool fromBackup = false;
};

// Tells whether the bytes of a kept file are whole.
using KeptFileCheck = std::function<bool(std::span<const uint8_t>)>;

// Reads NAME, or NAME.bak when NAME is missing, unreadable or fails
// `whole`. None when neither gives a whole file; `why` then says what was
// wrong with NAME.
std::optional<KeptFile> readKeptFile(const std::string& hostPath, const KeptFileCheck& whole,
                                     std::string* why = nullptr);

}  // namespace marlit
