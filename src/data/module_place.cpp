#include "data/module_place.hpp"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <memory>

namespace mkd {

namespace {

// `at` and each folder above it, as written.
PathTrust chainTrust(std::string at, unsigned user) {
    while (true) {
        struct stat s {};
        if (lstat(at.c_str(), &s) != 0) return {PathDoubt::Missing, at};
        if (s.st_uid != 0 && s.st_uid != user) return {PathDoubt::OtherOwner, at};
        // A group may hold other users: only the owner may write. (A link's
        // own mode means nothing; where it leads is checked on its own.)
        if (!S_ISLNK(s.st_mode) && (s.st_mode & (S_IWGRP | S_IWOTH)) != 0) return {PathDoubt::OthersMayWrite, at};
        if (at == "/") return {};
        const std::size_t slash = at.find_last_of('/');
        at = slash == 0 ? "/" : at.substr(0, slash);
    }
}

}  // namespace

PathTrust pathTrust(const std::string& path, unsigned user) {
    // The path as written (no link on it can be changed by others) and
    // where it leads.
    if (path.empty() || path.front() != '/') return {PathDoubt::Missing, path};
    std::string written = path;
    while (written.size() > 1 && written.back() == '/') written.pop_back();
    if (PathTrust t = chainTrust(written, user); !t.trusted()) return t;
    const std::unique_ptr<char, decltype(&std::free)> real(realpath(path.c_str(), nullptr), &std::free);
    if (!real) return {PathDoubt::Missing, path};
    return chainTrust(real.get(), user);
}

std::optional<MachineKind> machineKind(std::string_view header) {
    // e_ident: the magic, the class (1: 32-bit, 2: 64-bit) and the byte
    // order (1: little, 2: big); e_machine, two bytes at 18 in that order.
    if (header.size() < 20 || header.substr(0, 4) !=
                                  "\x7F"
                                  "ELF")
        return std::nullopt;
    const auto byte = [&header](std::size_t i) { return static_cast<unsigned char>(header[i]); };
    if ((byte(4) != 1 && byte(4) != 2) || (byte(5) != 1 && byte(5) != 2)) return std::nullopt;
    MachineKind kind;
    kind.bits = byte(4) == 1 ? 32 : 64;
    kind.bigEndian = byte(5) == 2;
    kind.machine = kind.bigEndian ? (byte(18) << 8) | byte(19) : (byte(19) << 8) | byte(18);
    return kind;
}

std::optional<MachineKind> machineKindOfFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    char header[20];
    if (!file.read(header, sizeof header)) return std::nullopt;
    return machineKind(std::string_view(header, sizeof header));
}

}  // namespace mkd
