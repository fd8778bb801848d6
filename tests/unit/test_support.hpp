// Helpers shared by the unit tests: a scratch folder and table file text.
#pragma once

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

namespace mkd::test {

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        const auto base = std::filesystem::temp_directory_path();
        for (int attempt = 0; attempt < 100; ++attempt) {
            auto candidate = base / ("mkd-test-" + std::to_string(::getpid()) + "-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                path_ = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

    // Writes `bytes` to `relative` (creating its folders) and returns the path.
    std::string write(const std::string& relative, std::string_view bytes) const {
        const auto file = path_ / relative;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + file.string());
        return file.string();
    }

    std::string read(const std::string& relative) const {
        std::ifstream in(path_ / relative, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

private:
    std::filesystem::path path_;
};

// Makes at `path` a character device node with the numbers of the endless
// zero device (1, 5), or of the empty one (1, 3) when `empty`: a stand-in
// that reads like the real one, made in a test's own folder so that nothing a
// test does can touch a real /dev entry. False where the system does not let
// the tests make device nodes (not the super-user, a container without it).
inline bool makeDeviceNode(const std::string& path, bool empty = false) {
    return ::mknod(path.c_str(), S_IFCHR | 0666, makedev(1, empty ? 3 : 5)) == 0;
}

// (record, field) → cell text.
using Cells = std::map<std::pair<int, int>, std::string>;

// The text of a table file with `records` lines of `fields` comma-separated
// cells, each CR LF terminated: the cells in `cells`, "0" everywhere else.
inline std::string tableText(int fields, int records, const Cells& cells = {}) {
    std::string text;
    for (int r = 0; r < records; ++r) {
        for (int f = 0; f < fields; ++f) {
            if (f > 0) text += ',';
            const auto found = cells.find({r, f});
            text += found == cells.end() ? "0" : found->second;
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace mkd::test
