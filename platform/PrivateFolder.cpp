#include "platform/PrivateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace {

std::string TemporaryRoot() {
    const char* tmp = std::getenv("TMPDIR");
    return (tmp != nullptr && *tmp == '/') ? tmp : "/tmp";
}

bool RemoveContents(int folder);

// Removes one entry of the open folder `parent`; folders are emptied through their own
// descriptor, opened with O_NOFOLLOW so a link swapped in meanwhile is never entered.
bool RemoveEntry(int parent, const char* name) {
    struct stat status {};
    if (fstatat(parent, name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return errno == ENOENT;
    }
    if (!S_ISDIR(status.st_mode)) {
        return unlinkat(parent, name, 0) == 0;
    }
    const int folder = openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) {
        return false;
    }
    fchmod(folder, S_IRWXU);
    const bool emptied = RemoveContents(folder);
    return emptied && unlinkat(parent, name, AT_REMOVEDIR) == 0;
}

bool RemoveContents(int folder) {
    DIR* listing = fdopendir(folder);
    if (listing == nullptr) {
        close(folder);
        return false;
    }
    std::vector<std::string> names;
    while (const dirent* entry = readdir(listing)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    }
    bool all = true;
    for (const std::string& name : names) {
        all = RemoveEntry(dirfd(listing), name.c_str()) && all;
    }
    closedir(listing);
    return all;
}

} // namespace

CPrivateFolder::CPrivateFolder(const std::string& prefix) {
    std::string pattern = TemporaryRoot() + "/" + prefix + "XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "cannot make " + pattern);
    }
    m_path = pattern + "/";
}

CPrivateFolder::~CPrivateFolder() {
    RemoveTree(m_path);
}

bool CPrivateFolder::RemoveTree(const std::string& folder) {
    std::string path = folder;
    while (path.size() > 1 && path.back() == '/') {
        path.pop_back();
    }
    const std::size_t slash = path.rfind('/');
    const std::string parent = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const int parentFolder = open(parent.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (parentFolder < 0) {
        return false;
    }
    const bool removed = RemoveEntry(parentFolder, name.c_str());
    close(parentFolder);
    return removed;
}
