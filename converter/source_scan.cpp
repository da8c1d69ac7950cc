#include "converter/source_scan.h"

#include <algorithm>

#include "base/folder_walk.h"
#include "base/sjis.h"

namespace marlit {

namespace {

std::string extensionOf(const std::string& name) {
    auto dot = findLast(name, '.');
    return dot ? name.substr(*dot) : std::string();
}

std::string systemFolder(std::string folder) {
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

// A folder named "voice" at any depth holds voice clips, not sounds.
bool insideVoiceFolder(const std::string& folder) {
    size_t start = 0;
    while (start < folder.size()) {
        size_t end = std::min(folder.find('\\', start), folder.size());
        if (sameText(folder.substr(start, end - start), "voice"))
            return true;
        start = end + 1;
    }
    return false;
}

void count(const SourceFile& file, ScanCounts& counts) {
    switch (classifySource(file)) {
        case SourceKind::Picture:
        case SourceKind::Map:
            ++counts.pictures;
            break;
        case SourceKind::Scenario:
            ++counts.scenarios;
            break;
        case SourceKind::Sound:
            ++counts.sounds;
            break;
        default:
            break;
    }
}

}  // namespace

SourceKind classifySource(const SourceFile& file) {
    std::string ext = extensionOf(file.name);
    if (sameText(ext, ".crx")) {
        return sameText(file.name, "startup.CRX") ? SourceKind::StartupPicture
                                                  : SourceKind::Picture;
    }
    if (sameText(ext, ".MAP"))
        return SourceKind::Map;
    if (sameText(ext, ".mes"))
        return SourceKind::Scenario;
    if (sameText(ext, ".pcm") && !file.insideVoiceFolder)
        return SourceKind::Sound;
    return SourceKind::Other;
}

std::vector<SourceFile> ScanFolder(const std::string& root, ScanCounts& counts,
                                   std::vector<UnreadableFolder>* unreadable) {
    counts = {};
    std::vector<SourceFile> files;
    FolderVisitor visitor;
    visitor.file = [&](const std::string& folder, const std::string& name) {
        SourceFile file{systemFolder(folder), name, false};
        file.insideVoiceFolder = insideVoiceFolder(file.folder);
        count(file, counts);
        files.push_back(std::move(file));
    };
    // Hidden folders are a version control's or a system's, not the game's.
    visitor.enter = [](const std::string&, const std::string& name) {
        return !name.starts_with(".");
    };
    visitor.unreadable = [unreadable](const std::string& folder, const std::string& why) {
        if (unreadable)
            unreadable->push_back({systemFolder(folder), why});
    };
    walkFolder(root, visitor);
    return files;
}

std::string relativeHostPath(const SourceFile& file) {
    std::string path = file.folder.empty() ? file.name : file.folder + "\\" + file.name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace marlit
