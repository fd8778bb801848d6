// Files a user or a data maintainer might put in Untin/ by mistake, read the
// way the program reads them (docs/robustness.md lists them all).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iostream>
#include <random>
#include <string>
#include <vector>

#include "../fuzz/table_writer.hpp"
#include "data/initial_selection.hpp"
#include "data/table_reader.hpp"
#include "data/table_store.hpp"
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
    TableStore tables(app.dir.str());
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
    TableStore tables(app.dir.str());

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
    TableStore tables(app.dir.str());
    namespace fs = std::filesystem;
    // A pipe nobody writes to, a link to nowhere, and (where the tests may
    // make device nodes) an endless device and an empty one, named directly
    // and through a link: each is refused at once, like a missing file.
    ASSERT_EQ(::mkfifo(app.untin("Futu.txt").c_str(), 0644), 0);
    fs::create_symlink(app.untin("nowhere.txt"), app.untin("Gakuwari.txt"));
    std::vector<TableFile> refused = {TableFile::Futu, TableFile::Gakuwari};
    if (test::makeDeviceNode(app.untin("zero")) && test::makeDeviceNode(app.untin("Kodomo.txt"), true)) {
        fs::create_symlink(app.untin("zero"), app.untin("KJiyu.txt"));
        refused.insert(refused.end(), {TableFile::Kodomo, TableFile::KJiyu});
    } else {
        std::cout << "[ NOTE     ] no device nodes here: only the pipe and the link are tried\n";
    }
    for (TableFile file : refused)
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
    TableStore tables(dir.str());
    EXPECT_EQ(tables.load(TableFile::Futu).error, LoadError::CannotOpen);
    EXPECT_EQ(tables.loadInitialSelection().error, LoadError::CannotOpen);
}

TEST(BadInitialSelection, OversizedFileIsRefused) {
    AppDir app;
    app.dir.write("Untin/Henko.txt", std::string(kMaxTableFileBytes + 1, '3'));
    TableStore tables(app.dir.str());
    EXPECT_EQ(tables.loadInitialSelection().error, LoadError::TooLarge);
}

TEST(BadInitialSelection, DirectoryReadsAsNothingStored) {
    AppDir app;
    app.dir.write("Untin/Henko.txt/keep", "old");
    TableStore tables(app.dir.str());
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
    const TableStore tables(app.dir.str());
    for (rlim_t room : {rlim_t{0}, rlim_t{3}}) {
        SaveResult saved;
        {
            const FileSizeLimit full(room);
            saved = tables.saveInitialSelection(84, 0);
        }
        // The file and the system's reason, for the message.
        EXPECT_EQ(saved.problem, SaveProblem::System) << room;
        EXPECT_EQ(saved.error, EFBIG) << room;
        EXPECT_EQ(saved.path, app.untin("Henko.txt")) << room;
        EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "3,20\r\n") << room;
        // No half-written temporary file is left beside it.
        EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1) << room;
    }
    EXPECT_TRUE(tables.saveInitialSelection(84, 0).ok());
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "84,0\r\n");
}

// Runs `job` in a child process as the user "nobody" when the tests run as
// the super-user (who may read and write anything), else as ourselves; the
// child's exit status is job's answer, kCannotSwitchUser where the system
// does not let the super-user become another.
constexpr int kCannotSwitchUser = 100;
int asOrdinaryUser(const std::function<int()>& job) {
    if (::geteuid() != 0) return job();
    const pid_t child = ::fork();
    if (child < 0) return -1;
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) ::_exit(kCannotSwitchUser);
        ::_exit(job());
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

TEST(BadInitialSelection, ReadOnlyFolderKeepsTheStoredPair) {
    AppDir app;
    app.dir.write("Untin/Henko.txt", "3,20\r\n");
    const std::string untin = (app.dir.path() / "Untin").string();
    ASSERT_EQ(::chmod(untin.c_str(), 0555), 0);
    const TableStore tables(app.dir.str());
    const int saved = asOrdinaryUser([&] { return tables.saveInitialSelection(84, 0).ok() ? 1 : 0; });
    if (saved == kCannotSwitchUser) GTEST_SKIP() << "the tests run as root and cannot become the user nobody";
    EXPECT_EQ(saved, 0) << "the save did not report its failure";
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "3,20\r\n");
    EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1);
    ::chmod(untin.c_str(), 0755);
}

// What the user set on Henko.txt stands: a read-only file is kept as it is,
// even for the super-user; a link is written through to its target, which
// stays where it is; a file with a second name keeps it.
TEST(BadInitialSelection, SaveHonoursWhatTheUserSet) {
    namespace fs = std::filesystem;
    {
        AppDir app;
        const std::string path = app.dir.write("Untin/Henko.txt", "3,20\r\n");
        ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
        const SaveResult saved = TableStore(app.dir.str()).saveInitialSelection(84, 0);
        EXPECT_EQ(saved.problem, SaveProblem::ReadOnlyFile);
        EXPECT_EQ(saved.path, path);
        EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "3,20\r\n");
        EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1);
    }
    {
        AppDir app;
        const std::string target = app.dir.write("settings/pair.txt", "3,20\r\n");
        fs::create_symlink("../settings/pair.txt", app.untin("Henko.txt"));
        const SaveResult saved = TableStore(app.dir.str()).saveInitialSelection(84, 0);
        EXPECT_TRUE(saved.ok());
        EXPECT_EQ(saved.path, app.untin("../settings/pair.txt"));
        EXPECT_TRUE(fs::is_symlink(app.untin("Henko.txt")));
        EXPECT_EQ(app.dir.read("settings/pair.txt"), "84,0\r\n");
        EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1);
        EXPECT_EQ(entriesIn(app.dir.path() / "settings"), 1);
    }
    {
        AppDir app;
        const std::string path = app.dir.write("Untin/Henko.txt", "100,105\r\n");
        fs::create_hard_link(path, app.untin("shared.txt"));
        TableStore tables(app.dir.str());
        EXPECT_TRUE(tables.saveInitialSelection(3, 5).ok());
        EXPECT_TRUE(fs::equivalent(path, app.untin("shared.txt")));
        ASSERT_TRUE(tables.loadInitialSelection().ok());
        EXPECT_EQ(tables.initialCell(0), "3");
        EXPECT_EQ(tables.initialCell(1), "5");
        EXPECT_EQ(app.dir.read("Untin/shared.txt"), app.dir.read("Untin/Henko.txt"));
        EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 2);
    }
}

// A file that is there but cannot be read is not "nothing stored": the load
// says why, for the start screen's message.
TEST(BadInitialSelection, UnreadableFileSaysWhy) {
    AppDir app;
    TableStore tables(app.dir.str());
    EXPECT_EQ(tables.loadInitialSelection().systemError, ENOENT);
    const std::string path = app.dir.write("Untin/Henko.txt", "3,20\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
    if (::geteuid() == 0) {
        // Nobody's folder and file, which nobody may write but not read.
        ASSERT_EQ(::chown(app.untin("").c_str(), 65534, 65534), 0);
        ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    }
    // The start says why, and "変更" says the same rather than write a file
    // that would be as unreadable at the next start.
    const int result = asOrdinaryUser([&] {
        const LoadResult read = tables.loadInitialSelection();
        const SaveResult saved = tables.saveInitialSelection(84, 0);
        return read.error == LoadError::CannotOpen && read.systemError == EACCES && saved.error == EACCES ? 0 : 1;
    });
    if (result == kCannotSwitchUser) GTEST_SKIP() << "the tests run as root and cannot become the user nobody";
    EXPECT_EQ(result, 0);
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "3,20\r\n");
}

// Saves killed at random moments never leave a broken Henko.txt, and the
// next save clears the temporary files they left.
TEST(BadInitialSelection, KilledSavesLeaveNothingBehind) {
    AppDir app;
    app.dir.write("Untin/Henko.txt", "0,106\r\n");
    TableStore tables(app.dir.str());
    std::mt19937 random(17);
    for (int kill = 0; kill < 40; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            for (int i = 0;; ++i) tables.saveInitialSelection(i % 107, 106 - i % 107);
        }
        ::usleep(static_cast<useconds_t>(200 + random() % 2000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        ASSERT_TRUE(tables.loadInitialSelection().ok()) << "after kill " << kill;
        EXPECT_EQ(selectionPosition(tables.initialCell(0), -1) + selectionPosition(tables.initialCell(1), -1), 106)
            << "after kill " << kill;
    }
    ASSERT_TRUE(tables.saveInitialSelection(84, 0).ok());
    EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1);
    EXPECT_EQ(app.dir.read("Untin/Henko.txt"), "84,0\r\n");
}

// Two programs saving the same Henko.txt at once never take each other's
// temporary file for a leftover: every save succeeds, and the file holds one
// of the pairs, whole.
TEST(BadInitialSelection, ConcurrentSavesAllSucceed) {
    AppDir app;
    app.dir.write("Untin/Henko.txt", "0,106\r\n");
    constexpr int kSaves = 400;
    std::vector<pid_t> children;
    for (int saver = 0; saver < 2; ++saver) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const TableStore tables(app.dir.str());
            int failed = 0;
            for (int i = 0; i < kSaves; ++i) failed += tables.saveInitialSelection(i % 107, 106 - i % 107).ok() ? 0 : 1;
            ::_exit(std::min(failed, 255));
        }
        children.push_back(child);
    }
    for (const pid_t child : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "saves that failed";
    }
    TableStore tables(app.dir.str());
    ASSERT_TRUE(tables.loadInitialSelection().ok());
    EXPECT_EQ(selectionPosition(tables.initialCell(0), -1) + selectionPosition(tables.initialCell(1), -1), 106);
    EXPECT_EQ(entriesIn(app.dir.path() / "Untin"), 1);
}

// A save removes the temporary files of saves that can no longer finish (of
// a process that has ended, or older than a minute), and leaves those of a
// save that may be under way.
TEST(BadInitialSelection, OnlyStaleTemporariesAreRemoved) {
    AppDir app;
    const pid_t ended = ::fork();
    ASSERT_GE(ended, 0);
    if (ended == 0) ::_exit(0);
    ASSERT_EQ(::waitpid(ended, nullptr, 0), ended);
    const std::string live = std::to_string(::getpid());
    const auto age = [&app](const std::string& name) {
        const timespec times[2] = {{std::time(nullptr) - 120, 0}, {std::time(nullptr) - 120, 0}};
        ::utimensat(AT_FDCWD, app.untin(name).c_str(), times, 0);
    };
    struct Case {
        std::string name;
        bool old;
        bool kept;
    };
    const Case cases[] = {
        {"Henko.txt.tmp-" + std::to_string(ended) + "-aB3dE6", false, false},  // its process has ended
        {"Henko.txt.tmp-" + live + "-fG7hI8", false, true},  // a save under way
        {"Henko.txt.tmp-" + live + "-jK9lM0", true, false},  // a minute old
        {"Henko.txt.tmp-nO1pQ2", false, true},  // an earlier version's, fresh
        {"Henko.txt.tmp-rS3tU4", true, false},  // an earlier version's, old
        {"Futu.txt.tmp-vW5xY6", true, true},  // not a save of Henko.txt
    };
    for (const Case& c : cases) {
        app.dir.write("Untin/" + c.name, "3,");
        if (c.old) age(c.name);
    }
    ASSERT_TRUE(TableStore(app.dir.str()).saveInitialSelection(84, 0).ok());
    for (const Case& c : cases) EXPECT_EQ(std::filesystem::exists(app.untin(c.name)), c.kept) << c.name;
}

// What a link leads to that is not a regular file (a device, a pipe) is
// never replaced, whoever saves; the save says why.
TEST(BadInitialSelection, ALinkToADeviceOrPipeIsNeverReplaced) {
    namespace fs = std::filesystem;
    AppDir app;
    ASSERT_EQ(::mkfifo(app.untin("pipe").c_str(), 0644), 0);
    std::vector<std::string> targets = {"pipe"};
    if (test::makeDeviceNode(app.untin("zero"))) targets.push_back("zero");
    for (const std::string& target : targets) {
        fs::remove(app.untin("Henko.txt"));
        fs::create_symlink(target, app.untin("Henko.txt"));
        const fs::file_type type = fs::status(app.untin(target)).type();
        const SaveResult saved = TableStore(app.dir.str()).saveInitialSelection(84, 0);
        EXPECT_EQ(saved.problem, SaveProblem::System) << target;
        EXPECT_EQ(saved.error, kNotARegularFile) << target;
        EXPECT_EQ(fs::status(app.untin(target)).type(), type) << target;
        EXPECT_TRUE(fs::is_symlink(app.untin("Henko.txt"))) << target;
    }
}

// The writer the fuzz targets use to write a loaded table back out: the
// cells that are hardest to write come back unchanged.
TEST(TableWriter, AwkwardCellsRoundTrip) {
    const std::string cells[3][3] = {
        {"\xEF\xBB\xBF"
         "1\"2",
         " 3", "4,5"},
        {"a\r\nb", "x\"", ""},
        {"1\"2", "\t", std::string("\0z", 2)},
    };
    const auto text = fuzz::writeTableText(3, 3, [&cells](int r, int f) -> std::string_view { return cells[r][f]; });
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
