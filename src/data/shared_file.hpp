// One of the user's files that several programs change (mkd's journey list,
// its settings; two mkd running at once, mkd and mkd-fare): each change is
// made to the file's current content under a lock, so that no program loses
// another's; a file too large to read is set aside under another name.
#pragma once

#include <sys/types.h>

#include <ctime>
#include <string>
#include <string_view>

namespace mkd {

// A lock on the folder a file lies in, held while a program reads the file,
// changes what it read and writes it back.
//
// It is an flock() on the folder itself: nothing is added to the folder, a
// program that ends lets go of it with its last descriptor, and a program it
// starts does not inherit it. It is advisory: every program that changes the
// file takes it. Two locks on one folder exclude each other also within one
// program, so a program takes it once per change.
class FolderLock {
public:
    // The programs hold the lock for one read and one save: milliseconds.
    static constexpr int kWaitMilliseconds = 5000;

    // Locks the folder of `file` (of its link's target); when `makeFolder`,
    // makes the folder first if it is missing.
    explicit FolderLock(const std::string& file, bool makeFolder = false);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // 0 when held; ENOENT without a folder; EWOULDBLOCK when another
    // program held it longer than kWaitMilliseconds; else the system's why.
    int error() const { return error_; }
    bool held() const { return error_ == 0; }

private:
    int fd_ = -1;
    int error_ = 0;
};

// Which file a path names and when it was last written: equal states are
// the same content (saves replace the file or change its time).
struct FileState {
    bool exists = false;
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    std::timespec modified{};
    static FileState of(const std::string& path);
    bool operator==(const FileState& other) const;
};

// Renames the file `path` names (through links) to the first free name
// "PATH<infix>1", "-2", …; the new name, or "" when it could not be renamed
// (`error` says why).
std::string setAside(const std::string& path, std::string_view infix, int& error);

}  // namespace mkd
