#include "data/mdlKeisan.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

namespace mkd {

namespace {

template <std::size_t... I>
std::array<FareTable, sizeof...(I)> makeTables(std::index_sequence<I...>) {
    return {FareTable(tableSize(static_cast<Table>(I)))...};
}

std::string saveFailure(const std::string& path, int error) {
    return "初期表示を保存できません: " + path + " (" + std::generic_category().message(error) + ")";
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

std::string folderOf(const std::string& file) { return std::filesystem::path(file).parent_path().string(); }

// Makes `folder` and its parents (the user's config folder, on its first save);
// 0 or the system's error number.
int makeFolders(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    return error ? error.value() : 0;
}

}  // namespace

mdlKeisan::mdlKeisan(const std::string& appDir) : mdlKeisan(locationsInFolder(appDir)) {}

mdlKeisan::mdlKeisan(Locations where)
    : where_(std::move(where)), tables_(makeTables(std::make_index_sequence<kTableCount>{})) {}

std::string mdlKeisan::path(std::string_view fileName) const {
    std::string result = where_.tableFolder;
    result += '/';
    result += fileName;
    return result;
}

LoadResult mdlKeisan::load(TableFile file) {
    const TableFileInfo& info = tableFileInfo(file);
    lastPath_ = path(info.name);
    recordCounter_ = -1;
    return loadTableFile(lastPath_, tables_[static_cast<std::size_t>(info.table)], recordCounter_);
}

const FareTable& mdlKeisan::table(Table table) const { return tables_[static_cast<std::size_t>(table)]; }

LoadResult mdlKeisan::loadInitialSelection() {
    lastPath_ = where_.selectionFile;
    recordCounter_ = -1;
    std::string bytes;
    const LoadResult read = readFileBytes(lastPath_, bytes);
    if (!read.ok()) return read;
    return readInitialSelection(bytes, initialCells_, recordCounter_);
}

std::string mdlKeisan::saveInitialSelection(int departure, int arrival) const {
    const std::string target = where_.selectionFile;
    const std::string text = formatInitialSelection(departure, arrival);
    if (where_.selectionPlace == SelectionPlace::UserConfig)
        if (const int error = makeFolders(folderOf(target))) return saveFailure(target, error);

    // The new text goes to a temporary file beside the old one and then
    // replaces it in one step, so the old pair survives any failure.
    std::vector<char> temporary(target.begin(), target.end());
    for (char c : std::string_view(".tmp-XXXXXX")) temporary.push_back(c);
    temporary.push_back('\0');

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return saveFailure(target, errno);

    // mkstemp makes the file readable by its owner only; keep the old file's
    // permissions, or give a new one the usual ones.
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;

    int error = 0;
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, text) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.data(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.data());
        return saveFailure(target, error);
    }

    // Make the rename itself durable; the new file is in place either way.
    const int folder = ::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return {};
}

}  // namespace mkd
