// The settings file as the desktop program reads and writes it: the form
// QSettings gives it, kept; written through a link to a regular file; never
// read from, nor written over, what is not one.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QRect>
#include <QSettings>
#include <filesystem>

#include "../unit/test_support.hpp"
#include "app/SettingsFile.hpp"
#include "data/table_reader.hpp"

namespace {

namespace fs = std::filesystem;
using mkd::test::TempDir;

TEST(SettingsFile, KeepsItsFormAndIsWrittenThroughALink) {
    TempDir dir;
    dir.write("kept/real.conf",
              "[General]\nlanguage=en\n\n[window]\nclient=@Rect(12 40 296 178)\nframe=@Rect(10 20 300 200)\n");
    fs::create_directories(dir.path() / "mkd");
    fs::create_symlink("../kept/real.conf", dir.path() / "mkd/mkd.conf");
    SettingsFile settings((dir.path() / "mkd/mkd.conf").string());
    EXPECT_EQ(settings.value(QStringLiteral("language")).toString(), QStringLiteral("en"));
    EXPECT_EQ(settings.value(QStringLiteral("window/frame")).toRect(), QRect(10, 20, 300, 200));
    EXPECT_TRUE(settings.setValue(QStringLiteral("language"), QStringLiteral("ja")));
    EXPECT_EQ(settings.problem(), 0);

    EXPECT_TRUE(fs::is_symlink(dir.path() / "mkd/mkd.conf"));
    const QSettings written(QString::fromStdString((dir.path() / "kept/real.conf").string()), QSettings::IniFormat);
    EXPECT_EQ(written.value(QStringLiteral("language")).toString(), QStringLiteral("ja"));
    EXPECT_EQ(written.value(QStringLiteral("window/client")).toRect(), QRect(12, 40, 296, 178));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "kept"), fs::directory_iterator()), 1);
}

TEST(SettingsFile, TheFirstSaveMakesTheFolder) {
    TempDir dir;
    SettingsFile settings((dir.path() / "config/mkd/mkd.conf").string());
    EXPECT_FALSE(settings.value(QStringLiteral("language")).isValid());
    EXPECT_TRUE(settings.setValue(QStringLiteral("language"), QStringLiteral("en")));
    EXPECT_NE(dir.read("config/mkd/mkd.conf").find("language=en"), std::string::npos);
}

// A pipe (which would hold the start up for ever), a device node, a folder
// and a file far larger than the program writes, each named through a link
// as mkd.conf: none is read, none is written, and each keeps what it is.
TEST(SettingsFile, WhatIsNotASmallRegularFileIsNeitherReadNorWritten) {
    TempDir dir;
    const std::string large = "[General]\nlanguage=en\n" + std::string(SettingsFile::kMaxBytes, '#') + "\n";
    dir.write("large.conf", large);
    fs::create_directory(dir.path() / "folder");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0644), 0);
    struct Case {
        const char* target;
        int problem;
    };
    std::vector<Case> cases = {
        {"pipe", mkd::kNotARegularFile}, {"folder", EISDIR}, {"large.conf", SettingsFile::kTooLarge}};
    if (mkd::test::makeDeviceNode((dir.path() / "zero").string())) cases.push_back({"zero", mkd::kNotARegularFile});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.target);
        const fs::path link = dir.path() / "mkd.conf";
        fs::remove(link);
        fs::create_symlink(c.target, link);
        const fs::file_type type = fs::status(dir.path() / c.target).type();
        SettingsFile settings(link.string());
        EXPECT_FALSE(settings.value(QStringLiteral("language")).isValid());
        EXPECT_EQ(settings.problem(), c.problem);
        EXPECT_FALSE(settings.setValue(QStringLiteral("language"), QStringLiteral("ja")));
        // Still what it was, and kept for this run.
        EXPECT_EQ(settings.value(QStringLiteral("language")).toString(), QStringLiteral("ja"));
        EXPECT_EQ(fs::status(dir.path() / c.target).type(), type);
        EXPECT_TRUE(fs::is_symlink(link));
    }
    EXPECT_EQ(dir.read("large.conf"), large);
}

}  // namespace
