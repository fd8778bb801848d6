#include "data/table_store.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <utility>
#include <vector>

#include "data/file_save.hpp"
#include "words/words.hpp"

namespace mkd {

namespace {

template <std::size_t... I>
std::array<FareTable, sizeof...(I)> makeTables(std::index_sequence<I...>) {
    return {FareTable(tableSize(static_cast<Table>(I)))...};
}

SaveResult saveFailure(const std::string& path, int error) { return {SaveProblem::System, error, path}; }

// Rewrites a file in place, keeping its other hard links. The new text is
// padded with blanks (which the reader ignores) up to the old length, so that
// a save cut short leaves either pair, never a file that holds a third cell.
SaveResult rewriteInPlace(const std::string& target, std::string text, off_t oldSize) {
    constexpr off_t kPadUpTo = 4096;
    const std::size_t lineEnd = text.size() - 2;  // before the CR LF
    if (oldSize <= kPadUpTo && static_cast<std::size_t>(oldSize) > text.size())
        text.insert(lineEnd, static_cast<std::size_t>(oldSize) - text.size(), ' ');
    const int fd = ::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) return saveFailure(target, errno);
    int error = 0;
    if (!writeAll(fd, text) || ::ftruncate(fd, static_cast<off_t>(text.size())) != 0 || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error != 0) return saveFailure(target, error);
    return {SaveProblem::None, 0, target};
}

}  // namespace

TableStore::TableStore(const std::string& appDir) : TableStore(locationsInFolder(appDir)) {}

TableStore::TableStore(Locations where)
    : where_(std::move(where)), tables_(makeTables(std::make_index_sequence<kTableCount>{})) {}

std::string TableStore::path(std::string_view fileName) const {
    std::string result = where_.tableFolder;
    result += '/';
    result += fileName;
    return result;
}

LoadResult TableStore::load(TableFile file) {
    const TableFileInfo& info = tableFileInfo(file);
    lastPath_ = path(info.name);
    const auto t = static_cast<std::size_t>(info.table);
    const LoadResult result = loadTableFile(lastPath_, tables_[t]);
    recordCounter_ = static_cast<std::int16_t>(lastRecordBegun(result));
    shortLoads_[t].reset();
    if (result.ok() && result.records < info.size) shortLoads_[t] = ShortTable{file, result.records, info.size};
    return result;
}

const FareTable& TableStore::table(Table table) const { return tables_[static_cast<std::size_t>(table)]; }

LoadResult TableStore::loadInitialSelection() {
    lastPath_ = where_.selectionFile;
    recordCounter_ = -1;
    std::string bytes;
    const LoadResult read = readFileBytes(lastPath_, bytes);
    if (!read.ok()) return read;
    const LoadResult result = readInitialSelection(bytes, initialCells_);
    recordCounter_ = static_cast<std::int16_t>(lastRecordBegun(result));
    return result;
}

SaveResult TableStore::saveInitialSelection(int departure, int arrival) const {
    std::string target = where_.selectionFile;
    if (const int error = followLinks(target)) return saveFailure(target, error);
    const std::string folder = folderOf(target);
    const std::string name = target.substr(folder.size() == 1 ? 1 : folder.size() + 1);
    removeSaveTemporaries(folder, name);
    const std::string text = formatInitialSelection(departure, arrival);
    if (where_.selectionPlace == SelectionPlace::UserConfig)
        if (const int error = makeFolders(folderOf(target))) return saveFailure(target, error);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (!exists && errno != ENOENT) return saveFailure(target, errno);
    if (exists) {
        if (!S_ISREG(old.st_mode)) return saveFailure(target, S_ISDIR(old.st_mode) ? EISDIR : kNotARegularFile);
        if ((old.st_mode & 0222) == 0) return {SaveProblem::ReadOnlyFile, 0, target};
        // A file the start cannot read would be as unreadable after the
        // save, which keeps its permissions: say so now, as the start did.
        if (::access(target.c_str(), R_OK | W_OK) != 0) return saveFailure(target, errno);
        if (old.st_nlink > 1) return rewriteInPlace(target, text, old.st_size);
    }

    // The new text goes to a temporary file beside the old one and then
    // replaces it in one step, so the old pair survives any failure.
    std::vector<char> temporary(target.begin(), target.end());
    for (char c : kSaveTemporaryInfix) temporary.push_back(c);
    temporary.insert(temporary.end(), kSaveTemporaryRandom, 'X');
    temporary.push_back('\0');

    const int fd = ::mkstemp(temporary.data());
    if (fd < 0) return saveFailure(target, errno);

    // mkstemp makes the file readable by its owner only; keep the old file's
    // permissions, or give a new one the usual ones.
    const mode_t mode = exists ? (old.st_mode & 07777) : 0644;

    int error = 0;
    if (::fchmod(fd, mode) != 0 || !writeAll(fd, text) || ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && std::rename(temporary.data(), target.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.data());
        return saveFailure(target, error);
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
