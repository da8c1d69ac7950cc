// File helpers. They take the system's paths, which use "\" and Shift-JIS,
// and turn them into host paths only here. When a path does not exist as
// spelt, a file whose name differs only in ASCII case is found instead, so
// that data copied from a case-insensitive file system still loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace marlit {

// The host path (UTF-8, "/") of a system path, resolved for ASCII case.
// A path that does not exist keeps its unresolved tail as spelt.
std::string hostPath(std::string_view systemPath);
// The same resolution for a host path (UTF-8, "/") as users give them: each
// missing name is replaced by one that differs only in ASCII case.
std::string resolveHostCase(const std::string& hostPath);

// Size of the file, or -1 when there is none.
int64_t fileSize(std::string_view path);
bool fileExists(std::string_view path);

enum class SeekOrigin { Begin = 0, Current = 1, End = 2 };

// Reads up to count bytes at offset from origin; the bytes read, 0 when the
// file cannot be opened.
size_t readPart(std::string_view path, void* buffer, SeekOrigin origin, int64_t offset,
                size_t count);
// Writes count bytes at offset from origin, creating the file when it is
// missing; with create, an existing file is emptied first. The bytes written.
size_t writePart(std::string_view path, const void* buffer, SeekOrigin origin, int64_t offset,
                 size_t count, bool create);

// The whole file followed by `extra` zero bytes, or none.
std::optional<std::vector<uint8_t>> readWhole(std::string_view path, size_t extra = 0);

// Writes the file whole: into a temporary file beside it, then renamed over
// the old one, so a reader never sees half a file.
bool writeWholeAtomic(std::string_view path, std::span<const uint8_t> data);

// The same for host paths (UTF-8, "/"), as the converter and the tools get
// them from the user: no Shift-JIS conversion, no case search. On failure
// `why` gets the reason ("No such file or directory", "it is a FIFO, not a
// regular file", "No space left on device").
std::optional<std::vector<uint8_t>> readHostFile(const std::string& hostPath, size_t extra = 0,
                                                 std::string* why = nullptr);
bool writeHostFileAtomic(const std::string& hostPath, std::span<const uint8_t> data,
                         std::string* why = nullptr);

// The system's words for the error of the last failed call (errno), such
// as "No space left on device" or "Permission denied".
std::string lastSystemError();

// Opens a host path for reading only when it is a regular file: a FIFO or
// a device would block the reader or never end. The descriptor (close on
// exec), or -1 with the reason in `why`.
int openRegularFile(const std::string& hostPath, std::string* why = nullptr);

}  // namespace marlit
