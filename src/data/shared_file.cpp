#include "data/shared_file.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <thread>

#include "data/careful_save.hpp"

namespace mkd {

FolderLock::FolderLock(const std::string& file, bool makeFolder) {
    std::string target = file;
    followLinks(target);
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash);
    if (makeFolder) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return;
    }
    using Clock = std::chrono::steady_clock;
    const auto until = Clock::now() + std::chrono::milliseconds(kWaitMilliseconds);
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) return;
        const int why = errno;
        if ((why != EWOULDBLOCK && why != EINTR) || Clock::now() >= until) {
            error_ = why == EINTR ? EWOULDBLOCK : why;
            break;
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(20000));
    }
    ::close(fd_);
    fd_ = -1;
}

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);  // the last descriptor closed lets go of the lock
}

FileState FileState::of(const std::string& path) {
    FileState state;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return state;
    state.exists = true;
    state.device = info.st_dev;
    state.inode = info.st_ino;
    state.size = info.st_size;
    state.modified = info.st_mtim;
    return state;
}

bool FileState::operator==(const FileState& other) const {
    return exists == other.exists && device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
}

std::string setAside(const std::string& path, std::string_view infix, int& error) {
    std::string target = path;
    error = followLinks(target);
    if (error != 0) return {};
    for (int n = 1; n < 1000; ++n) {
        const std::string aside = target + std::string(infix) + std::to_string(n);
        struct stat info {};
        if (::lstat(aside.c_str(), &info) == 0) continue;
        if (errno != ENOENT) {
            error = errno;
            return {};
        }
        // Never over a name another program took meanwhile.
        int renamed = ::renameat2(AT_FDCWD, target.c_str(), AT_FDCWD, aside.c_str(), RENAME_NOREPLACE);
        if (renamed != 0 && errno == EINVAL) renamed = std::rename(target.c_str(), aside.c_str());
        if (renamed == 0) return aside;
        if (errno == EEXIST) continue;
        error = errno;
        return {};
    }
    error = EEXIST;
    return {};
}

}  // namespace mkd
