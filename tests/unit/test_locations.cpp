#include <gtest/gtest.h>

#include <filesystem>

#include "data/locations.hpp"
#include "data/table_store.hpp"
#include "test_support.hpp"

namespace {

using mkd::Locations;
using mkd::TableSource;
using mkd::test::TempDir;
namespace fs = std::filesystem;

// A program in <root>/usr/bin with a home folder in <root>/home; `present`
// says which of the three table folders exist.
TEST(Locations, TablesComeFromTheFirstPlaceThatHasThem) {
    struct Case {
        bool beside, userData, installed;
        const char* dataHome;  // XDG_DATA_HOME, relative to the root ("" unset; a relative value is ignored)
        TableSource source;
        const char* folder;  // relative to the root
        const char* selection;  // Henko.txt, relative to the root
    };
    // Every folder the tests make is writable; even so, the installed folder
    // is never written: the pair then lives in the user's config folder.
    const Case cases[] = {
        {true, true, true, "", TableSource::BesideProgram, "usr/bin/Untin", "usr/bin/Untin/Henko.txt"},
        {false, true, true, "", TableSource::UserData, "home/.local/share/mkd/Untin",
         "home/.local/share/mkd/Untin/Henko.txt"},
        {false, false, true, "", TableSource::Installed, "usr/share/mkd/Untin", "home/.config/mkd/Henko.txt"},
        {false, true, true, "xdg", TableSource::UserData, "home/.local/share/mkd/Untin",
         "home/.local/share/mkd/Untin/Henko.txt"},
        {false, false, false, "", TableSource::NotFound, "usr/bin/Untin", ""},
    };
    for (const Case& c : cases) {
        const TempDir root;
        const std::string r = root.str() + "/";
        fs::create_directories(r + "usr/bin");
        fs::create_directories(r + "home");
        if (c.beside) fs::create_directories(r + "usr/bin/Untin");
        if (c.userData) fs::create_directories(r + "home/.local/share/mkd/Untin");
        if (c.installed) fs::create_directories(r + "usr/share/mkd/Untin");
        const std::string dataHome = c.dataHome;
        const Locations where = mkd::findLocations(r + "usr/bin", {r + "home", dataHome, ""});
        EXPECT_EQ(where.source, c.source) << c.folder;
        EXPECT_EQ(where.tableFolder, r + c.folder);
        EXPECT_EQ(where.searched.size(), 3u);
        if (c.source != TableSource::NotFound) {
            EXPECT_EQ(where.selectionFile, r + c.selection);
        }
        if (c.source == TableSource::Installed) {
            EXPECT_EQ(where.selectionPlace, mkd::SelectionPlace::UserConfig);
            EXPECT_NE(
                mkd::describeLocations(where, mkd::Lang::English).find("installed tables' folder is never written"),
                std::string::npos);
        }
    }
}

TEST(Locations, AnAbsoluteXdgDataHomeIsUsed) {
    const TempDir root;
    const std::string r = root.str();
    fs::create_directories(r + "/bin");
    fs::create_directories(r + "/data/mkd/Untin");
    const Locations where = mkd::findLocations(r + "/bin", {"/nonexistent", r + "/data", ""});
    EXPECT_EQ(where.source, TableSource::UserData);
    EXPECT_EQ(where.tableFolder, r + "/data/mkd/Untin");
}

// The settings and the stored pair by the base-directory rule: a relative
// XDG_CONFIG_HOME is ignored, as it is for the data folder.
TEST(Locations, TheConfigFolderIgnoresARelativeXdgConfigHome) {
    EXPECT_EQ(mkd::configFolder({"/home/u", "", ""}), "/home/u/.config/mkd");
    EXPECT_EQ(mkd::configFolder({"/home/u", "", "/etc/xdg-u"}), "/etc/xdg-u/mkd");
    EXPECT_EQ(mkd::configFolder({"/home/u", "", "relative"}), "/home/u/.config/mkd");
    EXPECT_EQ(mkd::configFolder({"", "", "relative"}), "");
}

TEST(Locations, TheStoredPairIsSavedInTheFileInUseMakingItsFolder) {
    const TempDir root;
    Locations where = mkd::locationsInFolder(root.str());
    where.selectionFile = root.str() + "/config/mkd/Henko.txt";
    where.selectionPlace = mkd::SelectionPlace::UserConfig;
    const mkd::TableStore tables(where);
    EXPECT_TRUE(tables.saveInitialSelection(3, 20).ok());
    EXPECT_EQ(root.read("config/mkd/Henko.txt"), "3,20\r\n");
    EXPECT_FALSE(fs::exists(root.path() / "Untin"));
}

TEST(Locations, TheProgramFolderIsThisExecutablesOwn) {
    const std::string folder = mkd::executableFolder(nullptr);
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(fs::exists(fs::path(folder) / fs::read_symlink("/proc/self/exe").filename()));
}

}  // namespace
