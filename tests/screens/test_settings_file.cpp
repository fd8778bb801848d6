// The settings file as the desktop program reads and writes it: the form
// QSettings gives it, kept; written through a link to a regular file; never
// read from, nor written over, what is not one; shared by two programs
// without losing either's keys; the most the program keeps read back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QRect>
#include <QRegularExpression>
#include <QSettings>
#include <filesystem>
#include <thread>

#include "../unit/test_support.hpp"
#include "app/SettingsFile.hpp"
#include "data/table_reader.hpp"
#include "screens/AnswerOut.hpp"

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

// A pipe (which would hold the start up for ever), a device node and a
// folder, each named through a link as mkd.conf: none is read, none is
// written, and each keeps what it is.
TEST(SettingsFile, WhatIsNotARegularFileIsNeitherReadNorWritten) {
    TempDir dir;
    fs::create_directory(dir.path() / "folder");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0644), 0);
    struct Case {
        const char* target;
        int problem;
    };
    std::vector<Case> cases = {{"pipe", mkd::kNotARegularFile}, {"folder", EISDIR}};
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
}

// A file larger than the program reads is kept aside, never a lock-out: the
// settings start afresh and are saved again.
TEST(SettingsFile, ALargeFileIsKeptAsideAndTheSettingsStartAfresh) {
    TempDir dir;
    const std::string large = "[General]\nlanguage=en\n" + std::string(SettingsFile::kMaxBytes, '#') + "\n";
    const std::string path = dir.write("mkd/mkd.conf", large);
    SettingsFile settings(path);
    EXPECT_FALSE(settings.value(QStringLiteral("language")).isValid());
    EXPECT_EQ(settings.problem(), 0);
    EXPECT_EQ(settings.keptAs(), path + ".too-large-1");
    EXPECT_EQ(dir.read("mkd/mkd.conf.too-large-1"), large);
    EXPECT_TRUE(settings.setValue(QStringLiteral("language"), QStringLiteral("ja")));
    EXPECT_EQ(SettingsFile(path).value(QStringLiteral("language")).toString(), QStringLiteral("ja"));
}

// Two programs with the same file: each one's change keeps the other's
// keys, also a list both add to at once, and a value asked for is read
// again when the other saved.
TEST(SettingsFile, TwoProgramsKeepEachOthersChanges) {
    TempDir dir;
    const std::string path = (dir.path() / "mkd/mkd.conf").string();
    SettingsFile a(path);
    SettingsFile b(path);
    EXPECT_TRUE(a.setValue(QStringLiteral("language"), QStringLiteral("en")));
    EXPECT_FALSE(b.value(QStringLiteral("journeys/favourites")).isValid());
    EXPECT_TRUE(b.setValue(QStringLiteral("journeys/favourites"),
                           QStringList{QStringLiteral("出張\tlocal,0,67,adult,one-way")}));
    EXPECT_TRUE(a.setValue(QStringLiteral("window/frame"), QRect(1, 2, 3, 4)));
    EXPECT_EQ(a.value(QStringLiteral("journeys/favourites")).toStringList().size(), 1);
    EXPECT_EQ(b.value(QStringLiteral("window/frame")).toRect(), QRect(1, 2, 3, 4));
    EXPECT_EQ(b.value(QStringLiteral("language")).toString(), QStringLiteral("en"));

    auto add = [&path](const QString& who) {
        SettingsFile mine(path);
        for (int i = 0; i < 50; ++i)
            mine.update(QStringLiteral("list"), [&](const QVariant& stored) {
                return QVariant(stored.toStringList() << who + QString::number(i));
            });
    };
    std::thread first(add, QStringLiteral("a"));
    std::thread second(add, QStringLiteral("b"));
    first.join();
    second.join();
    const QStringList list = SettingsFile(path).value(QStringLiteral("list")).toStringList();
    EXPECT_EQ(list.size(), 100);
    EXPECT_EQ(list.filter(QRegularExpression(QStringLiteral("^a"))).size(), 50);
    EXPECT_EQ(SettingsFile(path).value(QStringLiteral("journeys/favourites")).toStringList().size(), 1);
}

// The most the program keeps, the longest favourites' names of the
// characters that take the most room in the file, reads back whole.
TEST(SettingsFile, TheMostTheProgramKeepsReadsBack) {
    for (const QString& one : {QStringLiteral("あ"), QStringLiteral("\\"), QStringLiteral("\""), QStringLiteral("\x01"),
                               QStringLiteral("😀"), QStringLiteral("%")}) {
        SCOPED_TRACE(one.toStdString());
        TempDir dir;
        const std::string path = (dir.path() / "mkd.conf").string();
        QString name;
        while (name.size() + one.size() <= kMaxFavouriteName) name += one;
        QStringList favourites;
        for (int i = 0; i < kMaxFavourites; ++i)
            favourites << name + QStringLiteral("\treserved,0,67,student,round-trip");
        QStringList recent;
        for (int i = 0; i < 10; ++i) recent << QStringLiteral("reserved,0,67,student,round-trip");
        {
            SettingsFile settings(path);
            EXPECT_TRUE(settings.setValue(QStringLiteral("journeys/favourites"), favourites));
            EXPECT_TRUE(settings.setValue(QStringLiteral("journeys/recent"), recent));
        }
        EXPECT_LT(fs::file_size(path), SettingsFile::kMaxBytes / 2);
        SettingsFile again(path);
        EXPECT_EQ(again.value(QStringLiteral("journeys/favourites")).toStringList(), favourites);
        EXPECT_EQ(again.problem(), 0);
    }
}

}  // namespace
