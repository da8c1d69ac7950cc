#include "base/folder_walk.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "base/files.h"

namespace marlit {

namespace {

struct Walk {
    const FolderVisitor& visitor;
    std::set<std::pair<dev_t, ino_t>> entered;

    // False when the folder cannot be listed.
    bool folder(const std::string& host, const std::string& relative) {
        std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(host.c_str()), ::closedir);
        if (!dir) {
            if (visitor.unreadable) {
                visitor.unreadable(relative.empty() ? "." : relative, lastSystemError());
            }
            return false;
        }
        std::vector<std::pair<std::string, bool>> entries;  // name, is a folder
        const int fd = ::dirfd(dir.get());
        while (const dirent* e = ::readdir(dir.get())) {
            const std::string name = e->d_name;
            if (name == "." || name == "..")
                continue;
            struct stat st;
            if (::fstatat(fd, e->d_name, &st, 0) != 0)
                continue;  // a dangling link
            if (S_ISREG(st.st_mode) || S_ISDIR(st.st_mode))
                entries.emplace_back(name, S_ISDIR(st.st_mode));
        }
        dir.reset();
        std::sort(entries.begin(), entries.end());
        for (const auto& [name, isFolder] : entries) {
            if (!isFolder && visitor.file)
                visitor.file(relative, name);
        }
        for (const auto& [name, isFolder] : entries) {
            if (!isFolder || (visitor.enter && !visitor.enter(relative, name)))
                continue;
            const std::string subHost = host + "/" + name;
            if (firstEntry(subHost))
                folder(subHost, relative.empty() ? name : relative + "/" + name);
        }
        return true;
    }

    // True the first time a folder is met, by whatever path.
    bool firstEntry(const std::string& host) {
        struct stat st;
        if (::stat(host.c_str(), &st) != 0)
            return true;  // opening it will tell why
        return entered.emplace(st.st_dev, st.st_ino).second;
    }
};

}  // namespace

bool walkFolder(const std::string& root, const FolderVisitor& visitor) {
    const std::string host = root.empty() ? "." : root;
    Walk walk{visitor, {}};
    walk.firstEntry(host);
    return walk.folder(host, "");
}

}  // namespace marlit
