#include "data/locations.hpp"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "data/table_catalogue.hpp"

namespace mkd {

namespace {

namespace fs = std::filesystem;

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

// An XDG base folder: the variable when it names an absolute path (the
// base-directory rules say to ignore a relative one), else `fallback` under
// the home folder; "" when there is no home folder either.
std::string baseFolder(const std::string& variable, const std::string& home, const char* fallback) {
    if (!variable.empty() && variable.front() == '/') return variable;
    if (home.empty()) return {};
    return home + "/" + fallback;
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

}  // namespace

UserFolders userFoldersFromEnvironment() {
    UserFolders user{environment("HOME"), environment("XDG_DATA_HOME"), environment("XDG_CONFIG_HOME")};
    if (user.home.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) user.home = entry->pw_dir;
    }
    return user;
}

std::string executableFolder(const char* argv0) {
    // std::filesystem keeps paths as the bytes the system uses, so no
    // conversion to text can fail on a name that is not UTF-8.
    std::error_code error;
    fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (error && argv0 && *argv0) {
        error.clear();
        self = fs::canonical(argv0, error);
    }
    if (error || !self.is_absolute()) return {};
    const fs::path folder = self.parent_path();
    // A program at the root of the file system has no folder of its own to
    // keep tables beside; "/" would read /Untin, a stranger's files.
    if (folder.empty() || folder == folder.root_path()) return {};
    return folder.string();
}

Locations findLocations(const std::string& programFolder, const UserFolders& user) {
    const std::string untin(kTableFolder);
    std::vector<std::pair<std::string, TableSource>> places;
    places.emplace_back(programFolder + "/" + untin, TableSource::BesideProgram);
    if (const std::string dataHome = baseFolder(user.dataHome, user.home, ".local/share"); !dataHome.empty())
        places.emplace_back(dataHome + "/mkd/" + untin, TableSource::UserData);
    const fs::path prefix = fs::path(programFolder).parent_path();
    places.emplace_back((prefix / "share/mkd" / untin).string(), TableSource::Installed);

    Locations where;
    where.source = TableSource::NotFound;
    where.tableFolder = places.front().first;
    for (const auto& [folder, source] : places) {
        where.searched.push_back(folder);
        if (where.source == TableSource::NotFound && isFolder(folder)) {
            where.tableFolder = folder;
            where.source = source;
        }
    }

    const std::string henko(kInitialSelectionFile);
    where.selectionFile = where.tableFolder + "/" + henko;
    where.selectionPlace = SelectionPlace::BesideTables;
    // The installed folder belongs to the package: even the super-user, who
    // could write there, keeps the pair with the user's settings, so that
    // removing the package removes all of its folder.
    const std::string config = configFolder(user);
    const bool keepOut = where.source == TableSource::Installed || !folderWritable(where.tableFolder);
    if (where.source != TableSource::NotFound && keepOut && !config.empty()) {
        where.selectionFile = config + "/" + henko;
        where.selectionPlace = SelectionPlace::UserConfig;
    }
    return where;
}

std::string configFolder(const UserFolders& user) {
    const std::string configHome = baseFolder(user.configHome, user.home, ".config");
    return configHome.empty() ? std::string() : configHome + "/mkd";
}

Locations locationsInFolder(const std::string& appDir) {
    return locationsOfTableFolder(appDir + "/" + std::string(kTableFolder));
}

Locations locationsOfTableFolder(const std::string& tableFolder) {
    Locations where;
    where.tableFolder = tableFolder;
    where.selectionFile = tableFolder + "/" + std::string(kInitialSelectionFile);
    where.searched.push_back(tableFolder);
    return where;
}

std::string describeLocations(const Locations& where, Lang lang) {
    Msg why = Msg::TablesGiven;
    switch (where.source) {
        case TableSource::BesideProgram:
            why = Msg::TablesBesideProgram;
            break;
        case TableSource::UserData:
            why = Msg::TablesInUserData;
            break;
        case TableSource::Installed:
            why = Msg::TablesInstalled;
            break;
        case TableSource::Given:
        case TableSource::NotFound:
            break;
    }
    const Msg selection = where.selectionPlace == SelectionPlace::BesideTables ? Msg::SelectionBesideTables
                          : where.source == TableSource::Installed             ? Msg::SelectionForInstalled
                                                                               : Msg::SelectionInUserConfig;
    return text(Msg::TablesInUse, lang, {where.tableFolder, text(why, lang)}) + "\n" +
           text(selection, lang, {where.selectionFile});
}

std::string describeNotFound(const Locations& where, Lang lang) {
    std::string places;
    for (const std::string& folder : where.searched) places += (places.empty() ? "" : "\n") + folder;
    return text(Msg::TableFolderNotFound, lang, {places});
}

bool folderWritable(const std::string& folder) {
    // The effective ids decide, as they do for creating the file; a read-only
    // mount answers "no" even to root.
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace mkd
