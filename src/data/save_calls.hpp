// The system calls a careful save makes (careful_save.cpp), gathered in one
// table so that a test can make each of them fail in turn and see what the
// save does then. The program itself never changes them.
#pragma once

#include <sys/types.h>

#include <cstddef>

namespace mkd {

struct SaveCalls {
    int (*createTemporary)(char* pattern);  // mkstemp: the temporary file beside the target
    int (*openFile)(const char* path, int flags);  // a file rewritten in place; the folder, to sync it
    ssize_t (*write)(int fd, const void* bytes, std::size_t count);
    int (*sync)(int fd);  // fsync: of the file, and of its folder after the rename
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*remove)(const char* path);  // a temporary file a failed save leaves
};

// The calls in use: the system's own unless a test replaced them.
SaveCalls& saveCalls();

// The system's own calls, for a test to put back or to call through.
const SaveCalls& systemSaveCalls();

}  // namespace mkd
