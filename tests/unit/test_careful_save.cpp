// A careful save with each of its system calls made to fail in turn, the
// order that makes a save durable, the retry when another program removes the
// temporary file, and an export's refusal of whatever is not a regular file.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "data/careful_save.hpp"
#include "data/save_calls.hpp"
#include "data/table_reader.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

enum class Step {
    CreateTemporary,
    Open,
    Write,
    WriteKeepsNothing,
    SyncFile,
    Close,
    Rename,
    OpenFolder,
    SyncFolder,
    Remove
};

// The steps made to fail (with their errno), and what the save did, in order.
std::map<Step, int> failing;
std::vector<std::string> done;
int temporariesToRemove = 0;  // renames whose temporary file "another program" removes first

bool isFolder(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode);
}

// The system's call, unless `step` is to fail.
template <class Call>
auto unless(Step step, const char* name, Call call) -> decltype(call()) {
    done.emplace_back(name);
    if (const auto found = failing.find(step); found != failing.end()) {
        errno = found->second;
        return -1;
    }
    return call();
}

const SaveCalls kFaulty{
    .createTemporary =
        [](char* pattern) {
            return unless(Step::CreateTemporary, "create", [&] { return systemSaveCalls().createTemporary(pattern); });
        },
    .openFile =
        [](const char* path, int flags) {
            const bool folder = (flags & O_DIRECTORY) != 0;
            return unless(folder ? Step::OpenFolder : Step::Open, folder ? "open folder" : "open",
                          [&] { return systemSaveCalls().openFile(path, flags); });
        },
    .write = [](int fd, const void* bytes, std::size_t count) -> ssize_t {
        // A file system that says it took the bytes and kept none.
        if (failing.contains(Step::WriteKeepsNothing)) return static_cast<ssize_t>(count);
        return unless(Step::Write, "write", [&] { return systemSaveCalls().write(fd, bytes, count); });
    },
    .sync =
        [](int fd) {
            const bool folder = isFolder(fd);
            return unless(folder ? Step::SyncFolder : Step::SyncFile, folder ? "sync folder" : "sync file",
                          [&] { return systemSaveCalls().sync(fd); });
        },
    .close =
        [](int fd) {
            // Closed all the same, as the system does when close reports an error.
            const int closed = systemSaveCalls().close(fd);
            return unless(Step::Close, "close", [&] { return closed; });
        },
    .rename =
        [](const char* from, const char* to) {
            if (temporariesToRemove > 0) {
                --temporariesToRemove;
                std::remove(from);
            }
            return unless(Step::Rename, "rename", [&] { return systemSaveCalls().rename(from, to); });
        },
    .remove =
        [](const char* path) { return unless(Step::Remove, "remove", [&] { return systemSaveCalls().remove(path); }); },
};

class CarefulSave : public ::testing::Test {
protected:
    void SetUp() override {
        failing.clear();
        done.clear();
        temporariesToRemove = 0;
        saveCalls() = kFaulty;
    }
    void TearDown() override { saveCalls() = systemSaveCalls(); }

    // The names in the folder other than the file itself.
    std::vector<std::string> leftovers() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir.path()))
            if (e.path().filename() != "claim.csv") names.push_back(e.path().filename().string());
        return names;
    }

    TempDir dir;
    const std::string old = std::string(8893, 'o');
    const std::string path = dir.write("claim.csv", old);
};

// Each step failing once: the old file whole, nothing left beside it, and
// the step's own reason reported. After the rename the new file is in place
// and whole, so a folder that cannot be synced does not fail the save.
TEST_F(CarefulSave, EveryStepFailingKeepsTheOldFileAndSaysWhy) {
    const struct {
        const char* what;
        std::map<Step, int> fail;
        int error;  // 0: saved
        bool temporaryLeft = false;
    } cases[] = {
        {"temporary file not made", {{Step::CreateTemporary, EACCES}}, EACCES},
        {"a full disk", {{Step::Write, ENOSPC}}, ENOSPC},
        {"bytes taken and not kept", {{Step::WriteKeepsNothing, 0}}, EIO},
        {"file not synced", {{Step::SyncFile, EIO}}, EIO},
        {"file not closed", {{Step::Close, EDQUOT}}, EDQUOT},
        {"rename refused", {{Step::Rename, EBUSY}}, EBUSY},
        {"temporary file not removed", {{Step::Write, ENOSPC}, {Step::Remove, EPERM}}, ENOSPC, true},
        {"folder not opened", {{Step::OpenFolder, EACCES}}, 0},
        {"folder not synced", {{Step::SyncFolder, EINVAL}}, 0},
    };
    const std::string text = "date,from,to\r\n";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.write("claim.csv", old);
        failing = c.fail;
        const SaveResult saved = exportCarefully(path, text);
        failing.clear();
        EXPECT_EQ(saved.error, c.error);
        EXPECT_EQ(saved.ok(), c.error == 0);
        EXPECT_EQ(saved.path, path);
        EXPECT_EQ(dir.read("claim.csv"), c.error == 0 ? text : old);
        EXPECT_EQ(leftovers().size(), c.temporaryLeft ? 1u : 0u);
        for (const std::string& name : leftovers()) fs::remove(dir.path() / name);
    }
}

// A save is durable: the file is synced before it takes the name, the
// folder after; the same for the in-place rewrite of a linked file (no
// rename), where the folder does not change.
TEST_F(CarefulSave, SyncsTheFileBeforeTheRenameAndTheFolderAfter) {
    ASSERT_TRUE(exportCarefully(path, "new").ok());
    EXPECT_EQ(done, (std::vector<std::string>{"create", "write", "sync file", "close", "rename", "open folder",
                                              "sync folder", "close"}));
    fs::create_hard_link(path, dir.path() / "second-name.csv");
    done.clear();
    ASSERT_TRUE(saveCarefully(path, "newer").ok());
    EXPECT_EQ(done, (std::vector<std::string>{"open", "write", "sync file", "close"}));
    EXPECT_EQ(dir.read("second-name.csv"), "newer");
}

// Another program's save may take this save's temporary file for a leftover
// and remove it: the save writes it again, a few times, then says so; a
// rename that fails for any other reason is reported.
TEST_F(CarefulSave, ATemporaryFileRemovedUnderTheSaveIsWrittenAgain) {
    temporariesToRemove = 1;
    SaveResult saved = saveCarefully(path, "new");
    EXPECT_TRUE(saved.ok());
    EXPECT_EQ(dir.read("claim.csv"), "new");
    EXPECT_TRUE(leftovers().empty());

    temporariesToRemove = 100;
    saved = saveCarefully(path, "newer");
    EXPECT_EQ(saved.problem, SaveProblem::TemporaryRemoved);
    EXPECT_EQ(dir.read("claim.csv"), "new");
    EXPECT_TRUE(leftovers().empty());

    temporariesToRemove = 0;
    failing = {{Step::Rename, ENOENT}};  // the temporary file still there
    saved = saveCarefully(path, "newer");
    EXPECT_EQ(saved.problem, SaveProblem::System);
    EXPECT_EQ(saved.error, ENOENT);
    EXPECT_EQ(dir.read("claim.csv"), "new");
    EXPECT_TRUE(leftovers().empty());
}

// An export never replaces what is not a regular file, named directly or
// through a link, and never opens it (a pipe would hold the program up):
// stand-ins of a character device, a block device, a pipe and a folder made
// here. A link to a regular file writes that file; a file with a second
// name is replaced, the other name keeping the old text.
TEST(CarefulExport, ReplacesOnlyARegularFile) {
    TempDir dir;
    const auto at = [&dir](const char* name) { return (dir.path() / name).string(); };
    struct Node {
        const char* name;
        mode_t type;
        dev_t device;
        int error;
    };
    std::vector<Node> nodes = {{"pipe", S_IFIFO, 0, kNotARegularFile}};
    for (const Node& n : {Node{"null", S_IFCHR, makedev(1, 3), kNotARegularFile},
                          Node{"loop", S_IFBLK, makedev(7, 200), kNotARegularFile}})
        if (::mknod(at(n.name).c_str(), n.type | 0666, n.device) == 0) nodes.push_back(n);
    ASSERT_EQ(::mkfifo(at("pipe").c_str(), 0666), 0);
    if (nodes.size() < 3) std::printf("note: no device nodes here; only the pipe and the folder are tried\n");
    fs::create_directory(at("folder"));
    nodes.push_back({"folder", S_IFDIR, 0, EISDIR});
    ::alarm(20);  // a blocking open ends the test rather than hanging it
    for (const Node& n : nodes) {
        for (const std::string& link : {std::string(), std::string("link-to-") + n.name}) {
            SCOPED_TRACE(std::string(n.name) + (link.empty() ? "" : " through a link"));
            if (!link.empty()) fs::create_symlink(n.name, at(link.c_str()));
            const SaveResult saved = exportCarefully(link.empty() ? at(n.name) : at(link.c_str()), "x");
            EXPECT_EQ(saved.problem, SaveProblem::System);
            EXPECT_EQ(saved.error, n.error);
            EXPECT_EQ(saved.path, at(n.name));
            struct stat info {};
            ASSERT_EQ(::lstat(at(n.name).c_str(), &info), 0);
            EXPECT_EQ(info.st_mode & S_IFMT, n.type);
            EXPECT_EQ(info.st_rdev, n.device);
        }
    }
    ::alarm(0);

    const std::string real = dir.write("real.csv", "old");
    fs::create_symlink("real.csv", at("link.csv"));
    fs::create_hard_link(real, at("second.csv"));
    ASSERT_TRUE(exportCarefully(at("link.csv"), "new").ok());
    EXPECT_TRUE(fs::is_symlink(at("link.csv")));
    EXPECT_EQ(dir.read("real.csv"), "new");
    EXPECT_EQ(dir.read("second.csv"), "old");

    // A read-only file is the user's to keep; a missing folder is not made.
    ::chmod(real.c_str(), 0444);
    EXPECT_EQ(exportCarefully(real, "newer").problem, SaveProblem::ReadOnlyFile);
    EXPECT_EQ(exportCarefully(at("nowhere/claim.csv"), "x").error, ENOENT);
    EXPECT_FALSE(fs::exists(at("nowhere")));
}

}  // namespace
}  // namespace mkd
