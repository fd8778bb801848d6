// The journey list: its file read back as written, also as a text editor
// saves it; damaged lines reported and kept aside with the rest loaded; two
// programs changing it at once; what it writes it reads back; saves that
// survive a kill, months and totals, the CSV a spreadsheet reads, and the
// fingerprint that tells when the tables changed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <random>

#include "data/careful_save.hpp"
#include "explain/answer_words.hpp"
#include "explain/journey_words.hpp"
#include "records/journey_list.hpp"
#include "test_support.hpp"

namespace {

using namespace mkd;
using mkd::test::TempDir;

JourneyRow journey(std::optional<Date> date, int from, int to, double amount, std::string note = {}) {
    JourneyRow j;
    j.date = date;
    j.departure = from;
    j.arrival = to;
    j.kind = Enquiry::Reserved;
    j.passenger = Passenger::Child;
    j.trip = Trip::RoundTrip;
    j.amount = amount;
    j.tables = "0123456789abcdef";
    j.note = std::move(note);
    return j;
}

JourneyList sampleList() {
    JourneyList list;
    list.rows = {journey(Date{2007, 8, 12}, 0, 60, 8870, "会議, \"本社\"\t2日目\nback\\slash"),
                 journey(Date{2007, 9, 1}, 60, 0, 1234.5), journey(std::nullopt, 3, 4, 0)};
    list.rows[2].kind = Enquiry::MarineGreen;
    list.rows[2].passenger = Passenger::Student;
    list.rows[2].trip = Trip::OneWay;
    list.rows[2].tables.clear();
    return list;
}

TEST(JourneyList, FileReadsBackAsWritten) {
    const JourneyList list = sampleList();
    const JourneyRead read = readJourneyList(formatJourneyList(list));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.list.rows, list.rows);
}

// The file's bytes pinned, every escape in a note among them (a tab, a line
// end of either kind and a backslash escaped; a NUL kept as it is), so that
// the list any other tool reads never changes unnoticed; and read back.
TEST(JourneyList, FileBytesAreExactlyTheGoldenFile) {
    JourneyList list = sampleList();
    list.rows[1].note = std::string("CR\rLF\ntab\tback\\NUL\0end", 22);
    std::ifstream in(MKD_TEST_DATA "/golden/journeys.tsv", std::ios::binary);
    const std::string golden{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ASSERT_FALSE(golden.empty());
    EXPECT_EQ(formatJourneyList(list), golden);
    const JourneyRead read = readJourneyList(golden);
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.list.rows, list.rows);
}

// Each kind of damage names its line and what is wrong; a line that cannot
// be read is left out and every other row is read; a file whose first line
// is not the heading gives no row.
TEST(JourneyList, DamageIsNamedWithItsLine) {
    const std::string good = formatJourneyList(sampleList());
    const struct {
        std::string text;
        JourneyDamage damage;
        int line;
        const char* field;
    } cases[] = {
        {"", JourneyDamage::FirstLine, 1, ""},
        {"date,from,to\n" + good.substr(good.find('\n') + 1), JourneyDamage::FirstLine, 1, ""},
        {good + "2007-08-12\t0\t60\n", JourneyDamage::FieldCount, 5, ""},
        {good + "2007-02-30\t0\t60\treserved\tadult\tone-way\t100\t-\t\n", JourneyDamage::Value, 5, "date"},
        {good + "-\t0\t107\treserved\tadult\tone-way\t100\t-\t\n", JourneyDamage::Value, 5, "arrival"},
        {good + "-\t0\t1\texpress\tadult\tone-way\t100\t-\t\n", JourneyDamage::Value, 5, "kind"},
        {good + "-\t0\t1\tlocal\telder\tone-way\t100\t-\t\n", JourneyDamage::Value, 5, "passenger"},
        {good + "-\t0\t1\tlocal\tadult\tone-way\t1e999\t-\t\n", JourneyDamage::Value, 5, "amount"},
        {good + "-\t0\t1\tlocal\tadult\tone-way\t12yen\t-\t\n", JourneyDamage::Value, 5, "amount"},
        {good + "-\t0\t1\tlocal\tadult\tone-way\t1\t-\tbad \\q escape\n", JourneyDamage::Value, 5, "note"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const JourneyRead read = readJourneyList(c.text);
        ASSERT_EQ(read.problems.size(), 1u);
        EXPECT_EQ(read.problems[0].damage, c.damage);
        EXPECT_EQ(read.problems[0].line, c.line);
        EXPECT_EQ(read.problems[0].field, c.field);
        EXPECT_EQ(read.list.rows, c.damage == JourneyDamage::FirstLine ? JourneyList{}.rows : sampleList().rows);
    }
}

// What a text editor on Windows saves: a byte-order mark, CR LF line ends,
// an empty line at the end. It reads as the program's own form; lines that
// cannot be read are each named and the rest read.
TEST(JourneyList, HandEditedFilesAreRead) {
    std::string edited = "\xEF\xBB\xBF";
    for (char c : formatJourneyList(sampleList())) edited += c == '\n' ? std::string("\r\n") : std::string(1, c);
    edited += "\r\n";
    JourneyRead read = readJourneyList(edited);
    EXPECT_TRUE(read.ok());
    EXPECT_EQ(read.list.rows, sampleList().rows);

    // Lines 3 and 5 of seven cannot be read.
    const std::size_t third = edited.find("\r\n", edited.find("\r\n") + 2) + 2;
    edited.insert(third, "2007-08-12\t0\t60\r\n");
    edited.insert(edited.find("\r\n", third + 20) + 2, "-\t0\t1\tlocal\tadult\tone-way\tx\t-\t\r\n");
    read = readJourneyList(edited);
    ASSERT_EQ(read.problems.size(), 2u);
    EXPECT_EQ(read.problems[0].line, 3);
    EXPECT_EQ(read.problems[1].line, 5);
    EXPECT_EQ(read.list.rows, sampleList().rows);
}

// A file with lines that cannot be read is renamed aside whole, the rows
// that could be read take its place in the program's own form, and the user
// is told which lines, in the words of the screens' language only.
TEST(JourneyList, DamagedLinesAreKeptAsideAndTheRestLoaded) {
    TempDir dir;
    std::string text = formatJourneyList(sampleList());
    text.insert(text.find('\n') + 1, "2007-08-12\t0\t60\n");
    const std::string path = dir.write("mkd/journeys.tsv", "\xEF\xBB\xBF" + text);
    JourneyStore store(path);
    const JourneyLoad load = store.load();
    EXPECT_EQ(store.list.rows, sampleList().rows);
    EXPECT_EQ(load.keptAs, path + ".damaged-1");
    EXPECT_EQ(dir.read("mkd/journeys.tsv.damaged-1"), "\xEF\xBB\xBF" + text);
    EXPECT_EQ(dir.read("mkd/journeys.tsv"), formatJourneyList(sampleList()));
    const std::string said = journeyLoadText(load, path, Lang::Japanese);
    EXPECT_NE(said.find("2 行目（項目が 3 個です）"), std::string::npos) << said;
    EXPECT_NE(said.find(load.keptAs), std::string::npos) << said;
    EXPECT_NE(said.find("3 件"), std::string::npos) << said;
}

// A damaged file is renamed aside, never overwritten: the next save writes
// a new file and the damaged one is still there, byte for byte. One that
// cannot be renamed is left as it is, and a save says why in the screens'
// words.
TEST(JourneyList, DamagedFileIsKeptAsideAndNeverOverwritten) {
    TempDir dir;
    const std::string path = dir.write("mkd/journeys.tsv", "not a journey list\n");
    dir.write("mkd/journeys.tsv.damaged-1", "an older one");
    JourneyStore store(path);
    const JourneyLoad& load = store.load();
    EXPECT_EQ(load.read.problems.at(0).damage, JourneyDamage::FirstLine);
    EXPECT_EQ(load.keptAs, path + ".damaged-2");
    EXPECT_EQ(dir.read("mkd/journeys.tsv.damaged-2"), "not a journey list\n");
    EXPECT_EQ(dir.read("mkd/journeys.tsv.damaged-1"), "an older one");
    EXPECT_FALSE(std::filesystem::exists(path));
    store.list = sampleList();
    ASSERT_TRUE(store.save().ok());
    EXPECT_EQ(dir.read("mkd/journeys.tsv"), formatJourneyList(sampleList()));
    EXPECT_EQ(dir.read("mkd/journeys.tsv.damaged-2"), "not a journey list\n");

    // Every name to keep it under taken: it stays where it is.
    const std::string full = dir.write("full/journeys.tsv", "not a journey list\n");
    for (int n = 1; n < 1000; ++n) dir.write("full/journeys.tsv.damaged-" + std::to_string(n), "");
    JourneyStore kept(full);
    EXPECT_TRUE(kept.load().keptAs.empty());
    const SaveResult saved = kept.change([](JourneyList& list) {
        list.rows.push_back(sampleList().rows[0]);
        return true;
    });
    EXPECT_EQ(saved.error, JourneyStore::kKeptAsItIs);
    EXPECT_EQ(dir.read("full/journeys.tsv"), "not a journey list\n");
    // Said in the screens' words, no system's English among them.
    for (std::string said :
         {journeySaveText(saved, Lang::Japanese), journeyLoadText(kept.lastLoad(), full, Lang::Japanese)}) {
        ASSERT_NE(said.find(full), std::string::npos) << said;
        said.erase(said.find(full), full.size());
        EXPECT_TRUE(std::none_of(said.begin(), said.end(), [](char c) { return std::isalpha(c); })) << said;
    }
}

// Two programs adding 50 journeys each at once to one list: 100 rows, each
// program's in the order it added them.
TEST(JourneyList, TwoProgramsAddingAtOnceLoseNothing) {
    TempDir dir;
    const std::string path = (dir.path() / "mkd/journeys.tsv").string();
    std::vector<pid_t> children;
    for (int program = 0; program < 2; ++program) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            JourneyStore store(path);
            store.load();
            bool ok = true;
            for (int i = 0; i < 50; ++i)
                ok = ok && store
                               .change([&](JourneyList& list) {
                                   list.rows.push_back(journey(Date{2007, 8, 1 + i % 28}, program, i, i));
                                   return true;
                               })
                               .ok();
            ::_exit(ok ? 0 : 1);
        }
        children.push_back(child);
    }
    for (pid_t child : children) {
        int status = 0;
        ::waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    JourneyStore store(path);
    ASSERT_TRUE(store.load().read.ok());
    ASSERT_EQ(store.list.rows.size(), 100u);
    for (int program = 0; program < 2; ++program) {
        std::vector<int> order;
        for (const JourneyRow& j : store.list.rows)
            if (j.departure == program) order.push_back(j.arrival);
        EXPECT_EQ(order.size(), 50u);
        EXPECT_TRUE(std::is_sorted(order.begin(), order.end()));
    }
}

// A change finds its row where the other program's save put it, and does
// nothing when that program deleted it.
TEST(JourneyList, ChangesFindTheirRowInTheFileAsItIsNow) {
    TempDir dir;
    const std::string path = (dir.path() / "mkd/journeys.tsv").string();
    JourneyStore mine(path);
    mine.load();
    mine.list = sampleList();
    ASSERT_TRUE(mine.save().ok());
    JourneyStore other(path);
    other.load();
    const JourneyRow first = mine.list.rows[0];
    ASSERT_TRUE(other
                    .change([](JourneyList& list) {
                        list.rows.insert(list.rows.begin(), journey(std::nullopt, 9, 9, 9));
                        return true;
                    })
                    .ok());
    ASSERT_TRUE(mine.change([&first](JourneyList& list) {
                        const int at = list.find(first, 0);
                        if (at < 0) return false;
                        list.rows.erase(list.rows.begin() + at);
                        return true;
                    })
                    .ok());
    JourneyStore reader(path);
    reader.load();
    ASSERT_EQ(reader.list.rows.size(), 3u);
    EXPECT_EQ(reader.list.rows[0].departure, 9);
    EXPECT_EQ(mine.list.rows, reader.list.rows);
    EXPECT_TRUE(other.reload());
    EXPECT_EQ(other.list.rows, reader.list.rows);
    EXPECT_FALSE(other.reload());
}

// What the program writes it reads back: a change that would make the file
// larger than it reads is refused and the file kept; a file larger than
// that (from elsewhere) is set aside and a new list begins.
TEST(JourneyList, WhatIsWrittenIsReadBack) {
    TempDir dir;
    const std::string path = (dir.path() / "mkd/journeys.tsv").string();
    constexpr std::size_t kMax = 4096;
    JourneyStore store(path, kMax);
    store.load();
    SaveResult saved;
    int added = 0;
    while ((saved = store.change([&](JourneyList& list) {
               list.rows.push_back(journey(Date{2007, 8, 12}, 0, 60, added, std::string(100, 'x')));
               return true;
           })).ok())
        ++added;
    EXPECT_EQ(saved.error, JourneyStore::kFull);
    EXPECT_GT(added, 10);
    JourneyStore again(path, kMax);
    EXPECT_TRUE(again.load().read.ok());
    EXPECT_EQ(again.list.rows.size(), static_cast<std::size_t>(added));

    std::filesystem::resize_file(path, kMax + 1);
    JourneyStore large(path, kMax);
    const JourneyLoad load = large.load();
    EXPECT_EQ(load.read.problems.at(0).damage, JourneyDamage::TooLarge);
    EXPECT_EQ(load.keptAs, path + ".damaged-1");
    EXPECT_TRUE(large.list.rows.empty());
    EXPECT_TRUE(large
                    .change([](JourneyList& list) {
                        list.rows.push_back(sampleList().rows[1]);
                        return true;
                    })
                    .ok());
    EXPECT_EQ(std::filesystem::file_size(path + ".damaged-1"), kMax + 1);
    const std::string said = journeyLoadText(load, path, Lang::English);
    EXPECT_NE(said.find("It was kept as " + load.keptAs), std::string::npos) << said;
}

// The file is saved through a link to where the link points; a folder or a
// FIFO in its place is never replaced; the folder is made on the first save.
TEST(JourneyList, SavesWhereTheUserKeepsIt) {
    TempDir dir;
    const std::string real = dir.write("elsewhere/list.tsv", formatJourneyList({}));
    std::filesystem::create_directories(dir.path() / "mkd");
    std::filesystem::create_symlink(real, dir.path() / "mkd/journeys.tsv");
    JourneyStore linked((dir.path() / "mkd/journeys.tsv").string());
    ASSERT_TRUE(linked.load().read.ok());
    linked.list = sampleList();
    ASSERT_TRUE(linked.save().ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir.path() / "mkd/journeys.tsv"));
    EXPECT_EQ(dir.read("elsewhere/list.tsv"), formatJourneyList(sampleList()));

    std::filesystem::create_directories(dir.path() / "folder/journeys.tsv");
    EXPECT_FALSE(saveCarefully((dir.path() / "folder/journeys.tsv").string(), "x", {.makeFolder = true}).ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder/journeys.tsv"));
    const auto fifo = dir.path() / "fifo.tsv";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_FALSE(saveCarefully(fifo.string(), "x", {.makeFolder = true}).ok());
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    // Without a home folder there is no file: nothing is written anywhere.
    JourneyStore nowhere("");
    EXPECT_EQ(nowhere.load().error, ENOENT);
    nowhere.list = sampleList();
    EXPECT_FALSE(nowhere.save().ok());

    JourneyStore fresh((dir.path() / "new/deeper/journeys.tsv").string());
    fresh.load();
    fresh.list = sampleList();
    EXPECT_TRUE(fresh.save().ok());
}

// Saves killed at random moments leave the list as it was before or after,
// and the next save clears their temporary files.
TEST(JourneyList, KilledSavesNeverLoseTheList) {
    TempDir dir;
    const std::string path = (dir.path() / "mkd/journeys.tsv").string();
    JourneyStore store(path);
    store.list = sampleList();
    ASSERT_TRUE(store.save().ok());
    std::mt19937 random(5);
    for (int kill = 0; kill < 30; ++kill) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            JourneyStore writer(path);
            writer.list = sampleList();
            for (int i = 0;; ++i) {
                writer.list.rows.push_back(journey(Date{2007, 8, 1 + i % 28}, i % 107, 0, i));
                if (writer.list.rows.size() > 200) writer.list.rows.resize(3);
                writer.save();
            }
        }
        ::usleep(static_cast<useconds_t>(300 + random() % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        JourneyStore reader(path);
        const JourneyLoad& load = reader.load();
        ASSERT_TRUE(load.read.ok()) << "after kill " << kill << " line " << load.read.problems.front().line;
        ASSERT_GE(reader.list.rows.size(), 3u);
        EXPECT_EQ(std::vector(reader.list.rows.begin(), reader.list.rows.begin() + 3), sampleList().rows);
    }
    ASSERT_TRUE(store.save().ok());
    int entries = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path() / "mkd")) ++entries;
    EXPECT_EQ(entries, 1);
}

TEST(JourneyList, MonthsTotalsAndMoves) {
    JourneyList list = sampleList();
    EXPECT_EQ(list.months(), (std::vector<std::string>{"2007-08", "2007-09"}));
    EXPECT_EQ(list.total(), 8870 + 1234.5);
    EXPECT_EQ(list.total("2007-09"), 1234.5);
    EXPECT_EQ(list.rowsOf("2007-08"), std::vector<int>{0});
    EXPECT_TRUE(list.move(0, 2));
    EXPECT_EQ(list.rows[2].amount, 8870);
    EXPECT_EQ(list.rows[0].amount, 1234.5);
    EXPECT_FALSE(list.move(2, 1));
    EXPECT_FALSE(list.move(0, -1));
}

TEST(JourneyList, DatesAreRealCalendarDates) {
    EXPECT_EQ(readDate("2008-02-29"), (Date{2008, 2, 29}));
    for (const char* bad : {"2007-02-29", "2007-13-01", "2007-8-12", "2007-08-12x", "", "abcd-ef-gh"})
        EXPECT_FALSE(readDate(bad)) << bad;
}

// XDG_DATA_HOME when it is absolute, else ~/.local/share.
TEST(JourneyList, PathFollowsTheBaseDirectoryRules) {
    EXPECT_EQ(journeyListPath({"/home/u", "/data", ""}), "/data/mkd/journeys.tsv");
    EXPECT_EQ(journeyListPath({"/home/u", "relative", ""}), "/home/u/.local/share/mkd/journeys.tsv");
    EXPECT_EQ(journeyListPath({"", "", ""}), "");
}

// Any change to any table file changes the fingerprint; the same bytes
// elsewhere give the same one.
TEST(JourneyList, FingerprintTellsTablesApart) {
    TempDir a, b;
    a.write("Futu.txt", "1,2\r\n");
    b.write("Futu.txt", "1,2\r\n");
    const std::string first = tablesFingerprint(a.str());
    EXPECT_EQ(first, tablesFingerprint(b.str()));
    b.write("Futu.txt", "1,3\r\n");
    EXPECT_NE(first, tablesFingerprint(b.str()));
    b.write("Futu.txt", "1,2\r\n");
    b.write("Kyori.txt", "");
    EXPECT_NE(first, tablesFingerprint(b.str()));
}

// RFC 4180: fields with commas, quotes and line ends quoted, CR LF after
// every record; for Excel the same after a byte-order mark.
TEST(JourneyList, CsvForSpreadsheets) {
    const JourneyList list = sampleList();
    const TablesInUse now{"0123456789abcdef", "2007-04-01"};
    const std::string plain = journeyCsv(list, "", now, Lang::English, CsvStyle::Plain);
    const std::string excel = journeyCsv(list, "", now, Lang::English, CsvStyle::Excel);
    EXPECT_EQ(excel, "\xEF\xBB\xBF" + plain);
    EXPECT_EQ(plain.substr(0, plain.find("\r\n")), "Date,From,To,Kind,Passenger,Single/return,Amount,Purpose,Tables");
    EXPECT_NE(plain.find(",8870,\"会議, \"\"本社\"\"\t2日目\nback\\slash\",2007-04-01\r\n"), std::string::npos);
    EXPECT_NE(plain.find(",1235,,2007-04-01\r\n"), std::string::npos);  // whole yen, as the screens round
    EXPECT_NE(plain.find(",0,,priced with other tables\r\n"), std::string::npos);
    EXPECT_TRUE(plain.ends_with("Total,,,,,,10105,,\r\n"));
    const std::string august = journeyCsv(list, "2007-08", now, Lang::Japanese, CsvStyle::Plain);
    EXPECT_TRUE(august.ends_with("合計,,,,,,8870,,\r\n"));
}

}  // namespace

namespace {

using namespace mkd;

// The recent journeys in the settings: read back as written, anything else
// ignored; the last ten, newest first, each once.
TEST(RecentJourneys, KeptAsTheyWereAskedAndAtMostTen) {
    RecentJourney reserved;
    reserved.kind = Enquiry::Reserved;
    reserved.arrival = 67;
    reserved.passenger = Passenger::Child;
    reserved.trip = Trip::RoundTrip;
    EXPECT_EQ(recentText(reserved), "reserved,0,67,child,round-trip");
    EXPECT_EQ(readRecent(recentText(reserved)), reserved);
    // What else was asked is kept too, and read back as it was.
    RecentJourney asked = reserved;
    asked.date = Date{2007, 10, 10};
    asked.routing = Routing::ChangeAtMatsuyama;
    asked.section = Section{2, 9};
    EXPECT_EQ(recentText(asked), "reserved,0,67,child,round-trip,date=2007-10-10,routing=change,section=2-9");
    EXPECT_EQ(readRecent(recentText(asked)), asked);
    for (const char* bad : {"", "reserved,0,67,child", "express,0,67,adult,one-way", "local,0,107,adult,one-way",
                            "local,0,1,elder,one-way", "local,0,1,adult,both", "local,0,1,adult,one-way,x",
                            "local,0,1,adult,one-way,date=2007-02-30", "local,0,1,adult,one-way,routing=x",
                            "local,0,1,adult,one-way,section=3"})
        EXPECT_FALSE(readRecent(bad)) << bad;
    std::vector<RecentJourney> recent;
    const auto from = [](int departure) {
        RecentJourney j;
        j.departure = departure;
        return j;
    };
    for (int i = 0; i < 12; ++i) remember(recent, from(i));
    remember(recent, from(5));
    ASSERT_EQ(recent.size(), kRecentJourneys);
    EXPECT_EQ(recent[0].departure, 5);
    EXPECT_EQ(recent[1].departure, 11);
    EXPECT_EQ(std::count_if(recent.begin(), recent.end(), [](const RecentJourney& j) { return j.departure == 5; }), 1);
}

}  // namespace
