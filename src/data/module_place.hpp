// Where a program may load code of its own from, and whether a file holds
// code for the computer it runs on: the print module is loaded from the
// program's folder, the folder it was built to be installed in, or a folder
// found relative to the program only when nobody else can put a file there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mkd {

// Why a path is no place to load code from.
enum class PathDoubt {
    None,
    Missing,  // it, or a folder above it, cannot be looked at
    OtherOwner,  // owned by someone other than root and the user
    OthersMayWrite,  // a group or everyone may write it
};

struct PathTrust {
    PathDoubt doubt = PathDoubt::None;
    std::string path;  // the path that raises the doubt: the one asked about or a folder above it
    bool trusted() const { return doubt == PathDoubt::None; }
};

// Whether `path` (absolute, with no "." or ".." in it) and every folder above
// it up to /, as written and with links resolved, are owned by root or by
// `user` and writable by neither a group nor others, so that no other user
// can have put or changed anything there.
PathTrust pathTrust(const std::string& path, unsigned user);

// The kind of computer an ELF file holds code for.
struct MachineKind {
    int bits = 0;  // 32 or 64
    bool bigEndian = false;
    int machine = 0;  // ELF's e_machine: 62 x86-64, 183 AArch64, …
    bool operator==(const MachineKind&) const = default;
};

// Of an ELF file that begins with `header`; none when it is not one.
std::optional<MachineKind> machineKind(std::string_view header);
// Of the file at `path`; none when it cannot be read or is no ELF file.
std::optional<MachineKind> machineKindOfFile(const std::string& path);

}  // namespace mkd
