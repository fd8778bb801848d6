#include "data/initial_selection.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>

#include "data/table_store.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

using test::TempDir;

struct ReadCase {
    std::string_view bytes;
    LoadError error;
    int line;
    std::string departure;
    std::string arrival;
};

TEST(InitialSelectionFile, Reads) {
    for (const ReadCase& c : {
             ReadCase{"3,20\r\n", LoadError::None, 0, "3", "20"},
             ReadCase{"3,20", LoadError::None, 0, "3", "20"},
             ReadCase{"3\r\n20\r\n", LoadError::None, 0, "3", "20"},
             ReadCase{" 3 , 20 \n", LoadError::None, 0, "3", "20"},
             ReadCase{"3\r\n", LoadError::None, 0, "3", ""},
             ReadCase{"", LoadError::None, 0, "", ""},
             ReadCase{"3,20,5\r\n", LoadError::TooManyRecords, 1, "3", "20"},
             ReadCase{"3,20\r\n\r\n", LoadError::TooManyRecords, 2, "3", "20"},
             ReadCase{"3,\r\n", LoadError::None, 0, "3", ""},
         }) {
        std::string cells[2];
        const LoadResult result = readInitialSelection(c.bytes, cells);
        EXPECT_EQ(result.error, c.error) << c.bytes;
        EXPECT_EQ(result.line, c.line) << c.bytes;
        EXPECT_EQ(cells[0], c.departure) << c.bytes;
        EXPECT_EQ(cells[1], c.arrival) << c.bytes;
    }
}

TEST(InitialSelectionFile, PositionRoundsHalvesToEven) {
    constexpr int kFallback = 55;
    struct Case {
        std::string cell;
        int expected;
    };
    for (const Case& c : {
             Case{"3", 3},
             Case{"0", 0},
             Case{"106", 106},
             Case{"3.4", 3},
             Case{"3.6", 4},
             Case{"2.5", 2},
             Case{"3.5", 4},
             Case{"0.5", 0},
             Case{"1.5", 2},
             Case{"105.5", 106},
             Case{"106.5", 106},
             Case{"-0.4", 0},
             Case{"-0.5", 0},
             Case{"20円", 20},
             Case{"", 0},
             Case{"abc", 0},
             // Not a list position: the fallback.
             Case{"106.6", kFallback},
             Case{"107", kFallback},
             Case{"-0.6", kFallback},
             Case{"-1", kFallback},
             Case{"1e10", kFallback},
             Case{"-1e300", kFallback},
             Case{"4294967299", kFallback},
         })
        EXPECT_EQ(selectionPosition(c.cell, kFallback), c.expected) << c.cell;
}

TEST(InitialSelectionFile, Format) {
    EXPECT_EQ(formatInitialSelection(3, 20), "3,20\r\n");
    EXPECT_EQ(formatInitialSelection(0, 106), "0,106\r\n");
    EXPECT_EQ(formatInitialSelection(-1, 5), "-1,5\r\n");
}

// Makes a fresh application folder with an Untin folder in it.
struct AppDir {
    TempDir dir;
    AppDir() { std::filesystem::create_directory(dir.path() / "Untin"); }
};

TEST(InitialSelectionSave, WritesOneLineAndReadsBack) {
    AppDir app;
    TableStore tables(app.dir.str());
    EXPECT_TRUE(tables.saveInitialSelection(3, 20).ok());
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "3,20\r\n");

    const LoadResult result = tables.loadInitialSelection();
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(tables.initialCell(0), "3");
    EXPECT_EQ(tables.initialCell(1), "20");
    EXPECT_EQ(tables.lastPath(), app.dir.str() + "/Untin/Henko.txt");
}

TEST(InitialSelectionSave, SavingAgainKeepsOnlyTheLastPair) {
    AppDir app;
    const TableStore tables(app.dir.str());
    EXPECT_TRUE(tables.saveInitialSelection(3, 20).ok());
    EXPECT_TRUE(tables.saveInitialSelection(11, 11).ok());
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "11,11\r\n");
    // Nothing but the file itself is left in the folder.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(app.dir.path() / "Untin")) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(InitialSelectionSave, KeepsTheFilePermissions) {
    AppDir app;
    const std::string path = app.dir.write("Untin/Henko.txt", "0,106\r\n");
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    const TableStore tables(app.dir.str());
    EXPECT_TRUE(tables.saveInitialSelection(1, 2).ok());
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0640));
}

TEST(InitialSelectionSave, FailureLeavesNoTraceAndSaysWhy) {
    // No Untin folder at all.
    {
        TempDir dir;
        const TableStore tables(dir.str());
        const SaveResult saved = tables.saveInitialSelection(3, 20);
        EXPECT_EQ(saved.problem, SaveProblem::System);
        EXPECT_EQ(saved.error, ENOENT);
        EXPECT_EQ(saved.path, dir.str() + "/Untin/Henko.txt");
        EXPECT_FALSE(std::filesystem::exists(dir.path() / "Untin"));
    }
    // Untin is a file, not a folder.
    {
        TempDir dir;
        dir.write("Untin", "not a folder");
        const TableStore tables(dir.str());
        EXPECT_EQ(tables.saveInitialSelection(3, 20).error, ENOTDIR);
        EXPECT_EQ(dir.read("Untin"), "not a folder");
    }
    // Henko.txt is a folder that cannot be replaced: the temporary file goes.
    {
        AppDir app;
        app.dir.write("Untin/Henko.txt/keep", "old");
        const TableStore tables(app.dir.str());
        EXPECT_EQ(tables.saveInitialSelection(3, 20).error, EISDIR);
        EXPECT_EQ(app.dir.read("Untin/Henko.txt/keep"), "old");
        int entries = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(app.dir.path() / "Untin"))
            ++entries;
        EXPECT_EQ(entries, 1);
    }
}

TEST(InitialSelectionLoad, MissingOrBrokenFile) {
    AppDir app;
    TableStore tables(app.dir.str());
    EXPECT_EQ(tables.loadInitialSelection().error, LoadError::CannotOpen);

    app.dir.write("Untin/Henko.txt", "3\r\n");
    EXPECT_TRUE(tables.loadInitialSelection().ok());
    EXPECT_EQ(tables.initialCell(0), "3");
    EXPECT_EQ(tables.initialCell(1), "");

    app.dir.write("Untin/Henko.txt", "3,20,1\r\n");
    const LoadResult result = tables.loadInitialSelection();
    EXPECT_EQ(result.error, LoadError::TooManyRecords);
    EXPECT_EQ(tables.recordCounter(), 2);
}

}  // namespace
}  // namespace mkd
