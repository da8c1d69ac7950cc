// The walk through a folder tree that the converter's scan and the pack tool
// share: every regular file under a root, in a reproducible order (each
// folder's entries sorted bytewise by name, the files of a folder before the
// contents of its sub-folders). Links are followed, but no folder is entered
// twice (it is known by device and inode), so a link back to a folder above
// cannot send the walk round in a loop. FIFOs, devices and sockets are left
// out: reading them would block or never end.
#pragma once

#include <functional>
#include <string>

namespace marlit {

struct FolderVisitor {
    // A regular file: its folder relative to the root ("/" between names,
    // empty for the root itself) and its name.
    std::function<void(const std::string& folder, const std::string& name)> file;
    // Asked before entering a sub-folder; false skips it. Unset: every one.
    std::function<bool(const std::string& folder, const std::string& name)> enter;
    // A folder that cannot be listed ("." for the root), with the system's
    // reason. Unset: it is skipped silently.
    std::function<void(const std::string& folder, const std::string& why)> unreadable;
};

// Walks `root` (a host path). False when the root itself cannot be listed.
bool walkFolder(const std::string& root, const FolderVisitor& visitor);

}  // namespace marlit
