// Files a user or a data maintainer might put in Untin/ by mistake, read the
// way the program reads them (docs/robustness.md lists them all).
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "../fuzz/table_writer.hpp"
#include "data/initial_selection.hpp"
#include "data/mdlKeisan.hpp"
#include "data/table_reader.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

using test::TempDir;

// A fresh application folder with an Untin folder in it.
struct AppDir {
    TempDir dir;
    AppDir() { std::filesystem::create_directory(dir.path() / "Untin"); }
    std::string untin(const std::string& name) const { return (dir.path() / "Untin" / name).string(); }
};

// How many entries a folder holds.
int entriesIn(const std::filesystem::path& folder) {
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder)) ++entries;
    return entries;
}

// One record of 26 fields: `cells` first, then "0".
std::string jiyuRecord(std::initializer_list<std::string_view> cells) {
    std::string text;
    int field = 0;
    for (std::string_view c : cells) {
        text += (field++ ? "," : "");
        text += c;
    }
    for (; field < 26; ++field) text += ",0";
    return text + "\r\n";
}

TEST(BadTableText, JapaneseTextNeverSplitsAFieldAndReadsAsItsLeadingNumber) {
    AppDir app;
    mdlKeisan tables(app.dir.str());
    // "1230円" and "運賃表" in Shift_JIS: 円 is 89 7E, 表 is 95 5C (a backslash).
    app.dir.write("Untin/Jiyu.txt", jiyuRecord({"1230\x89\x7E", "\x89\x5E\x92\xC0\x95\x5C", "7"}));
    ASSERT_TRUE(tables.load(TableFile::Jiyu).ok());
    EXPECT_EQ(tables.value(Table::Jiyu, 0, 0), 1230.0);
    EXPECT_EQ(tables.value(Table::Jiyu, 1, 0), 0.0);
    EXPECT_EQ(tables.value(Table::Jiyu, 2, 0), 7.0);

    // The same in UTF-8, with full-width digits that are not a number.
    app.dir.write("Untin/Jiyu.txt", jiyuRecord({"1230円", "運賃表", "１２３", "7"}));
    ASSERT_TRUE(tables.load(TableFile::Jiyu).ok());
    EXPECT_EQ(tables.value(Table::Jiyu, 0, 0), 1230.0);
    EXPECT_EQ(tables.value(Table::Jiyu, 1, 0), 0.0);
    EXPECT_EQ(tables.value(Table::Jiyu, 2, 0), 0.0);
    EXPECT_EQ(tables.value(Table::Jiyu, 3, 0), 7.0);
}

TEST(BadTableText, TenMegabyteLines) {
    AppDir app;
    mdlKeisan tables(app.dir.str());

    // A whole 26 × 26 table on one 10 MB line, every cell padded with blanks.
    const std::string padding(7'500, ' ');
    std::string line;
    for (int i = 0; i < 26 * 26; ++i) line += (i ? "," : "") + padding + std::to_string(i) + padding;
    ASSERT_GT(line.size(), 10'000'000u);
    app.dir.write("Untin/Jiyu.txt", line + "\r\n");
    const LoadResult whole = tables.load(TableFile::Jiyu);
    ASSERT_TRUE(whole.ok());
    EXPECT_EQ(whole.records, 26);
    // From station 3 to station 20: field 3 of record 20.
    EXPECT_EQ(tables.value(Table::Jiyu, 3, 20), 20.0 * 26 + 3);

    // One 10 MB field: the file ends inside the first record.
    app.dir.write("Untin/Jiyu.txt", std::string(10'000'000, '9') + "\r\n");
    const LoadResult field = tables.load(TableFile::Jiyu);
    EXPECT_EQ(field.error, LoadError::EndsInsideRecord);
    EXPECT_EQ(field.line, 1);
    // A number of ten million digits is too large for any amount: it reads 0.
    EXPECT_EQ(tables.value(Table::Jiyu, 0, 0), 0.0);
}

TEST(BadTableFiles, WhatIsNotARegularFileIsNeverRead) {
    AppDir app;
    mdlKeisan tables(app.dir.str());
    namespace fs = std::filesystem;
    // An endless file, an empty device, a link to nowhere: each is refused
    // at once, like a missing file.
    fs::create_symlink("/dev/zero", app.untin("Futu.txt"));
    fs::create_symlink("/dev/null", app.untin("Kodomo.txt"));
    fs::create_symlink(app.untin("nowhere.txt"), app.untin("Gakuwari.txt"));
    for (TableFile file : {TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari})
        EXPECT_EQ(tables.load(file).error, LoadError::CannotOpen) << tableFileInfo(file).name;

    // A link to a good file is read through.
    app.dir.write("Untin/real.txt", jiyuRecord({"1230"}));
    fs::create_symlink(app.untin("real.txt"), app.untin("Jiyu.txt"));
    ASSERT_TRUE(tables.load(TableFile::Jiyu).ok());
    EXPECT_EQ(tables.value(Table::Jiyu, 0, 0), 1230.0);
}

TEST(BadTableFiles, UntinThatIsAFile) {
    TempDir dir;
    dir.write("Untin", "1,2,3\r\n");
    mdlKeisan tables(dir.str());
    EXPECT_EQ(tables.load(TableFile::Futu).error, LoadError::CannotOpen);
    EXPECT_EQ(tables.loadInitialSelection().error, LoadError::CannotOpen);
}

TEST(BadInitialSelection, OversizedFileIsRefused) {
    AppDir app;
    app.dir.write("Untin/Henko.txt", std::string(kMaxTableFileBytes + 1, '3'));
    mdlKeisan tables(app.dir.str());
    EXPECT_EQ(tables.loadInitialSelection().error, LoadError::TooLarge);
}

TEST(BadInitialSelection, DirectoryReadsAsNothingStored) {
    AppDir app;
    app.dir.write("Untin/Henko.txt/keep", "old");
    mdlKeisan tables(app.dir.str());
    EXPECT_EQ(tables.loadInitialSelection().error, LoadError::CannotOpen);
}

// While it lives, no file may grow beyond `bytes` (as on a full disk).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

TEST(BadInitialSelection, FailedSaveKeepsTheStoredPair) {
    AppDir app;
    app.dir.write("Untin/Henko.txt", "3,20\r\n");
    const mdlKeisan tables(app.dir.str());
    for (rlim_t room : {rlim_t{0}, rlim_t{3}}) {
        std::string problem;
        {
            const FileSizeLimit full(room);
            problem = tables.saveInitialSelection(84, 0);
        }
        EXPECT_NE(problem, "") << room;
        EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "3,20\r\n") << room;
        // No half-written temporary file is left beside it.
        EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1) << room;
    }
    EXPECT_EQ(tables.saveInitialSelection(84, 0), "");
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "84,0\r\n");
}

TEST(BadInitialSelection, ReadOnlyFolderKeepsTheStoredPair) {
    AppDir app;
    app.dir.write("Untin/Henko.txt", "3,20\r\n");
    const std::string untin = (app.dir.path() / "Untin").string();
    ASSERT_EQ(::chmod(untin.c_str(), 0555), 0);
    const mdlKeisan tables(app.dir.str());
    if (::geteuid() != 0) {
        EXPECT_NE(tables.saveInitialSelection(84, 0), "");
    } else {
        // The super-user writes anywhere: the save is tried as "nobody".
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(2);
            ::_exit(tables.saveInitialSelection(84, 0).empty() ? 1 : 0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not report its failure";
    }
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "3,20\r\n");
    EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1);
    ::chmod(untin.c_str(), 0755);
}

// A read-only Henko.txt in a folder the user may write to is replaced like
// any saved file, and stays read-only.
TEST(BadInitialSelection, ReadOnlyFileIsReplacedAndStaysReadOnly) {
    AppDir app;
    const std::string path = app.dir.write("Untin/Henko.txt", "3,20\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const mdlKeisan tables(app.dir.str());
    EXPECT_EQ(tables.saveInitialSelection(84, 0), "");
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "84,0\r\n");
    EXPECT_EQ(std::filesystem::status(path).permissions(), std::filesystem::perms(0444));
}

// The writer the fuzz targets use to write a loaded table back out: the
// cells that are hardest to write come back unchanged.
TEST(TableWriter, AwkwardCellsRoundTrip) {
    const std::string cells[3][3] = {
        {"\xEF\xBB\xBF" "1\"2", " 3", "4,5"},
        {"a\r\nb", "x\"", ""},
        {"1\"2", "\t", std::string("\0z", 2)},
    };
    const auto text =
        fuzz::writeTableText(3, 3, [&cells](int r, int f) -> std::string_view { return cells[r][f]; });
    ASSERT_TRUE(text.has_value());
    FareTable table(3);
    const LoadResult result = readTable(*text, table);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.records, 3);
    for (int r = 0; r < 3; ++r)
        for (int f = 0; f < 3; ++f) EXPECT_EQ(table.cell(r, f), cells[r][f]) << r << ',' << f;

    // A cell that needs quotes and holds a quote has no written form.
    EXPECT_FALSE(fuzz::writeTableText(1, 1, [](int, int) -> std::string_view { return " \"a"; }).has_value());
}

}  // namespace
}  // namespace mkd
