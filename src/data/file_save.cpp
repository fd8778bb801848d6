#include "data/file_save.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace mkd {

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a path finally names, through any chain of links; a link to
// nowhere gives the path where the file would be. Returns an errno value.
int followLinks(std::string& path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode)) return 0;
        std::vector<char> target(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1);
        const ssize_t length = ::readlink(path.c_str(), target.data(), target.size());
        if (length < 0) return errno;
        if (static_cast<std::size_t>(length) >= target.size()) return ENAMETOOLONG;  // changed meanwhile
        std::string next(target.data(), static_cast<std::size_t>(length));
        path = next.starts_with('/') ? next : folderOf(path) + "/" + next;
    }
    return ELOOP;
}

// Removes what earlier saves of `fileName`, killed between writing their
// temporary file and renaming it, left in `folder`.
void removeSaveTemporaries(const std::string& folder, std::string_view fileName) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir))
        if (isSaveTemporary(entry->d_name, fileName)) stale.emplace_back(entry->d_name);
    for (const std::string& name : stale) {
        struct stat info {};
        if (::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(info.st_mode))
            ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}

// Writes all of `text`, however many calls it takes.
bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

int makeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? error.value() : 0;
}

SaveResult replaceFileSafely(const std::string& path, std::string_view text, bool makeFolder) {
    std::string target = path;
    if (const int error = followLinks(target)) return {SaveProblem::System, error, target};
    const std::string folder = folderOf(target);
    if (makeFolder)
        if (const int error = makeFolders(folder)) return {SaveProblem::System, error, target};
    const std::string name = target.substr(folder.size() == 1 ? 1 : folder.size() + 1);
    removeSaveTemporaries(folder, name);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return {SaveProblem::System, errno, target};
    if (exists && !S_ISREG(old.st_mode))
        return {SaveProblem::System, S_ISDIR(old.st_mode) ? EISDIR : kNotARegularFile, target};

    std::vector<char> temporary(target.begin(), target.end());
    for (char c : kSaveTemporaryInfix) temporary.push_back(c);
    temporary.insert(temporary.end(), kSaveTemporaryRandom, 'X');
    temporary.push_back('\0');
    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return {SaveProblem::System, errno, target};
    const mode_t mode = exists ? (old.st_mode & 07777) : 0644;
    int error = 0;
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, text) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.data(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.data());
        return {SaveProblem::System, error, target};
    }
    // Make the rename itself durable; the new file is in place either way.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return {SaveProblem::None, 0, target};
}

}  // namespace mkd
