// The folder scan: every file under the game folder, in a reproducible order
// (each folder's entries sorted by name, bytewise), files of a folder before
// the contents of the sub-folders met after them.
#pragma once

#include <string>
#include <vector>

namespace marlit {

struct SourceFile {
    std::string folder;  // relative folder, "\" between names; empty for the root (UTF-8)
    std::string name;    // file name (UTF-8)
    bool insideVoiceFolder = false;
};

struct ScanCounts {
    int pictures = 0;
    int scenarios = 0;
    int sounds = 0;
};

enum class SourceKind { Other, Picture, StartupPicture, Scenario, Map, Sound };

// What the converter makes of a file, by its extension (the name equality).
SourceKind classifySource(const SourceFile& file);

// A folder the scan could not list ("\" between names, "." for the root)
// and the system's reason.
struct UnreadableFolder {
    std::string folder;
    std::string why;
};

// Scans `root` (a host path). Links are followed, but no folder is entered
// twice. Unreadable folders are skipped and added to `unreadable` when it
// is given.
std::vector<SourceFile> ScanFolder(const std::string& root, ScanCounts& counts,
                                   std::vector<UnreadableFolder>* unreadable = nullptr);

// The relative host path of a file ("/" separators), for opening it.
std::string relativeHostPath(const SourceFile& file);

}  // namespace marlit
