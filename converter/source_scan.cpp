#include "converter/source_scan.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/sjis.h"

namespace marlit {

namespace fs = std::filesystem;

namespace {

std::string extensionOf(const std::string& name) {
    auto dot = findLast(name, '.');
    return dot ? name.substr(*dot) : std::string();
}

void scanInto(const fs::path& root, const std::string& folder, bool insideVoice,
              std::vector<SourceFile>& files, ScanCounts& counts,
              std::vector<std::string>* unreadable) {
    fs::path dir = root;
    if (!folder.empty()) {
        std::string host = folder;
        std::replace(host.begin(), host.end(), '\\', '/');
        dir /= host;
    }
    std::error_code ec;
    fs::directory_iterator it(dir, ec);
    if (ec) {
        if (unreadable)
            unreadable->push_back(folder.empty() ? "." : folder);
        return;
    }
    std::vector<std::pair<std::string, bool>> entries;  // name, is folder
    for (; it != fs::directory_iterator(); it.increment(ec)) {
        if (ec)
            break;
        std::error_code typeError;
        bool isDir = it->is_directory(typeError);
        bool isFile = it->is_regular_file(typeError);
        if (isDir || isFile)
            entries.emplace_back(it->path().filename().string(), isDir);
    }
    std::sort(entries.begin(), entries.end());
    for (const auto& [name, isDir] : entries) {
        if (isDir)
            continue;
        SourceFile file{folder, name, insideVoice};
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
        files.push_back(std::move(file));
    }
    for (const auto& [name, isDir] : entries) {
        if (!isDir || name.starts_with("."))
            continue;
        std::string sub = folder.empty() ? name : folder + "\\" + name;
        scanInto(root, sub, insideVoice || sameText(name, "voice"), files, counts, unreadable);
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
                                   std::vector<std::string>* unreadable) {
    counts = {};
    std::vector<SourceFile> files;
    scanInto(fs::path(root), "", false, files, counts, unreadable);
    return files;
}

std::string relativeHostPath(const SourceFile& file) {
    std::string path = file.folder.empty() ? file.name : file.folder + "\\" + file.name;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

}  // namespace marlit
