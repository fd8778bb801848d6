// Where a program finds its table files and keeps the stored pair, Henko.txt.
//
// One rule for mkd and mkd-fare:
//   tables:  Untin/ beside the executable, when that folder exists (the
//            portable layout: a build folder, an unpacked archive);
//            else $XDG_DATA_HOME/mkd/Untin (default ~/.local/share/mkd/Untin),
//            tables a user installs for themself;
//            else <prefix>/share/mkd/Untin, where <prefix> is the folder above
//            the executable's (/usr/bin/mkd reads /usr/share/mkd/Untin).
//   Henko.txt: beside the tables when that folder is writable and not the
//            installed one; else $XDG_CONFIG_HOME/mkd/Henko.txt (default
//            ~/.config/mkd/Henko.txt), the super-user's too.
//   settings: $XDG_CONFIG_HOME/mkd/mkd.conf, by the same rule.
//
// Paths are bytes as the system gives them: a folder whose name is not UTF-8
// (a Latin-1 "caf\xe9", a Shift_JIS name from a zip) works like any other.
#pragma once

#include <string>
#include <vector>

#include "words/words.hpp"

namespace mkd {

// Where the table folder in use was found.
enum class TableSource {
    BesideProgram,  // Untin/ beside the executable
    UserData,  // $XDG_DATA_HOME/mkd/Untin
    Installed,  // <prefix>/share/mkd/Untin
    Given,  // named by the caller (a command-line option, a test)
    NotFound,  // none of the places holds a folder Untin
};

// Where the stored pair lives.
enum class SelectionPlace {
    BesideTables,  // Henko.txt in the table folder
    UserConfig,  // $XDG_CONFIG_HOME/mkd/Henko.txt: the table folder is not writable, or installed
};

struct Locations {
    std::string tableFolder;  // the folder of the table files; when NotFound, the first place searched
    TableSource source = TableSource::Given;
    std::string selectionFile;  // Henko.txt, read at start and written by 初期表示 › 変更
    SelectionPlace selectionPlace = SelectionPlace::BesideTables;
    std::vector<std::string> searched;  // the table folders looked for, in order
};

// What the rule reads from the environment: the raw values of HOME,
// XDG_DATA_HOME and XDG_CONFIG_HOME ("" when unset).
struct UserFolders {
    std::string home;
    std::string dataHome;
    std::string configHome;
};

// The current process's environment; HOME falls back to the password
// database's home folder when unset.
UserFolders userFoldersFromEnvironment();

// $XDG_CONFIG_HOME/mkd, a relative XDG_CONFIG_HOME ignored as the base-directory
// rules say (default ~/.config/mkd): the user's stored pair when the tables'
// folder may not be written, and the program's settings. "" without a home.
std::string configFolder(const UserFolders& user);

// The folder of the running executable, symbolic links resolved, as bytes.
// Read from /proc/self/exe, else from `argv0` made absolute; "" when neither
// gives a folder (the caller then stops with a message, never guesses "/").
std::string executableFolder(const char* argv0);

// The rule above for a program whose executable is in `programFolder`.
Locations findLocations(const std::string& programFolder, const UserFolders& user);

// A folder named by the caller that holds Untin/ (mkd-fare --appdir,
// mkd-scenario's copy, the tests): tables and Henko.txt in its Untin/.
Locations locationsInFolder(const std::string& appDir);

// A table folder named by the caller, with its own Henko.txt.
Locations locationsOfTableFolder(const std::string& tableFolder);

// Whether this process may create files in `folder` (write and search
// permission, honouring read-only mounts).
bool folderWritable(const std::string& folder);

// Two lines for a person: the table folder in use and why, and the Henko.txt
// in use (the about box, `mkd-fare check`).
std::string describeLocations(const Locations& where, Lang lang);

// The message when no table folder was found, naming the places looked in.
std::string describeNotFound(const Locations& where, Lang lang);

}  // namespace mkd
