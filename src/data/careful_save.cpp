#include "data/careful_save.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <limits>
#include <system_error>
#include <vector>

#include "data/save_calls.hpp"
#include "data/table_reader.hpp"

namespace mkd {

const SaveCalls& systemSaveCalls() {
    static const SaveCalls calls{
        .createTemporary = ::mkstemp,
        .openFile = [](const char* path, int flags) { return ::open(path, flags); },
        .write = ::write,
        .sync = ::fsync,
        .close = ::close,
        .rename = std::rename,
        .remove = ::unlink,
    };
    return calls;
}

SaveCalls& saveCalls() {
    static SaveCalls calls = systemSaveCalls();
    return calls;
}

namespace {

constexpr std::string_view kInfix = ".tmp-";
constexpr std::size_t kRandom = 6;
// A save takes milliseconds; a temporary file older than this belongs to a
// save that will never finish, whatever process its name gives.
constexpr std::time_t kStaleAfterSeconds = 60;
// How often a save starts again when its temporary file was removed under it.
constexpr int kAttempts = 5;

SaveResult saveFailure(const std::string& path, int error) { return {SaveProblem::System, error, path}; }

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace

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

namespace {

// The process a temporary file's name gives; 0 for a name without one.
pid_t saverOf(std::string_view entry, std::string_view fileName) {
    std::string_view rest = entry.substr(fileName.size() + kInfix.size());
    if (rest.size() == kRandom) return 0;
    const std::string_view digits = rest.substr(0, rest.size() - kRandom - 1);
    long long pid = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    // A number no process can have names none.
    if (error != std::errc{} || pid <= 0 || pid > std::numeric_limits<pid_t>::max()) return 0;
    return static_cast<pid_t>(pid);
}

bool processAlive(pid_t pid) { return pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM); }

// Removes what saves of `fileName` that can no longer finish left in `folder`.
void removeStaleTemporaries(const std::string& folder, std::string_view fileName) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> found;
    while (const dirent* entry = ::readdir(dir))
        if (isSaveTemporary(entry->d_name, fileName)) found.emplace_back(entry->d_name);
    const std::time_t now = std::time(nullptr);
    for (const std::string& name : found) {
        struct stat info {};
        if (::fstatat(::dirfd(dir), name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)) continue;
        const pid_t saver = saverOf(name, fileName);
        const bool old = now - info.st_mtime > kStaleAfterSeconds;
        const bool orphaned = saver > 0 && !processAlive(saver);
        if (old || orphaned) ::unlinkat(::dirfd(dir), name.c_str(), 0);
    }
    ::closedir(dir);
}

// Writes all of `text`, however many calls it takes.
bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = saveCalls().write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// Makes what was written to `fd` durable and checks that the file holds
// `size` bytes: 0, or why not.
int syncAndCheck(int fd, std::size_t size) {
    if (saveCalls().sync(fd) != 0) return errno;
    struct stat info {};
    if (::fstat(fd, &info) != 0) return errno;
    // A file system that took the bytes and kept fewer.
    if (info.st_size != static_cast<off_t>(size)) return EIO;
    return 0;
}

// Rewrites a file in place, keeping its other hard links.
SaveResult rewriteInPlace(const std::string& target, std::string text, off_t oldSize, bool pad) {
    constexpr off_t kPadUpTo = 4096;
    if (pad && text.size() >= 2 && oldSize <= kPadUpTo && static_cast<std::size_t>(oldSize) > text.size())
        text.insert(text.size() - 2, static_cast<std::size_t>(oldSize) - text.size(), ' ');
    const int fd = saveCalls().openFile(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return saveFailure(target, errno);
    int error = 0;
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (!S_ISREG(info.st_mode))  // changed since it was looked at
        error = kNotARegularFile;
    else if (!writeAll(fd, text) || ::ftruncate(fd, static_cast<off_t>(text.size())) != 0)
        error = errno;
    else
        error = syncAndCheck(fd, text.size());
    if (saveCalls().close(fd) != 0 && error == 0) error = errno;
    if (error != 0) return saveFailure(target, error);
    return {SaveProblem::None, 0, target};
}

// Makes `folder` and its parents; 0 or the system's error number.
int makeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? error.value() : 0;
}

}  // namespace

bool isSaveTemporary(std::string_view entry, std::string_view fileName) {
    if (!entry.starts_with(fileName) || !entry.substr(fileName.size()).starts_with(kInfix)) return false;
    const std::string_view rest = entry.substr(fileName.size() + kInfix.size());
    if (rest.size() == kRandom) return true;
    // "PID-" before the random part: digits only, as many as a pid can have.
    if (rest.size() < kRandom + 2 || rest.size() > kRandom + 11 || rest[rest.size() - kRandom - 1] != '-') return false;
    const std::string_view pid = rest.substr(0, rest.size() - kRandom - 1);
    return std::all_of(pid.begin(), pid.end(), [](char c) { return c >= '0' && c <= '9'; });
}

SaveResult saveCarefully(const std::string& path, std::string_view text, SaveWay way) {
    std::string target = path;
    if (const int error = followLinks(target)) return saveFailure(target, error);
    const std::string folder = folderOf(target);
    const std::string name = target.substr(folder.size() == 1 ? 1 : folder.size() + 1);
    if (way.makeFolder)
        if (const int error = makeFolders(folder)) return saveFailure(target, error);
    removeStaleTemporaries(folder, name);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return saveFailure(target, errno);
    if (exists) {
        if (!S_ISREG(old.st_mode)) return saveFailure(target, S_ISDIR(old.st_mode) ? EISDIR : kNotARegularFile);
        if ((old.st_mode & 0222) == 0) return {SaveProblem::ReadOnlyFile, 0, target};
        // A file the program cannot read would be as unreadable after the
        // save, which keeps its permissions: say so now, as the start did.
        if (::access(target.c_str(), R_OK | W_OK) != 0) return saveFailure(target, errno);
        if (old.st_nlink > 1 && way.inPlaceWhenLinked)
            return rewriteInPlace(target, std::string(text), old.st_size, way.padInPlace);
    }
    // mkstemp makes the file readable by its owner only; keep the old file's
    // permissions, or give a new one the usual ones.
    const mode_t mode = exists ? (old.st_mode & 07777) : 0644;

    // The new text goes to a temporary file beside the old one and then
    // replaces it in one step, so the old file survives any failure.
    const SaveCalls& calls = saveCalls();
    const std::string pattern =
        target + std::string(kInfix) + std::to_string(::getpid()) + "-" + std::string(kRandom, 'X');
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        std::vector<char> temporary(pattern.begin(), pattern.end());
        temporary.push_back('\0');
        const int fd = calls.createTemporary(temporary.data());
        if (fd < 0) return saveFailure(target, errno);
        int error = 0;
        if (::fchmod(fd, mode) != 0 || !writeAll(fd, text))
            error = errno;
        else
            error = syncAndCheck(fd, text.size());
        if (calls.close(fd) != 0 && error == 0) error = errno;
        if (error == 0 && calls.rename(temporary.data(), target.c_str()) != 0) error = errno;
        if (error == ENOENT) {
            struct stat info {};
            // Our temporary file is gone, removed by a save of another
            // program that took it for a leftover: write it again.
            if (::lstat(temporary.data(), &info) != 0 && errno == ENOENT) continue;
        }
        if (error != 0) {
            calls.remove(temporary.data());
            return saveFailure(target, error);
        }
        // Make the rename itself durable. The new file is in place and whole
        // either way, so a folder that cannot be synced (a file system
        // without it) does not make the save a failure.
        const int dir = calls.openFile(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            calls.sync(dir);
            calls.close(dir);
        }
        return {SaveProblem::None, 0, target};
    }
    return {SaveProblem::TemporaryRemoved, ENOENT, target};
}

SaveResult exportCarefully(const std::string& path, std::string_view bytes) {
    return saveCarefully(path, bytes, {.inPlaceWhenLinked = false});
}

}  // namespace mkd
