// The journey list: its file read back as written, damaged files reported
// and kept aside, saves that survive a kill, months and totals, the CSV a
// spreadsheet reads, and the fingerprint that tells when the tables changed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>

#include "data/careful_save.hpp"
#include "data/journey_list.hpp"
#include "explain/answer_words.hpp"
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

// Each kind of damage names its line and what is wrong; nothing of a damaged
// file is taken as rows.
TEST(JourneyList, DamageIsNamedWithItsLine) {
    const std::string good = formatJourneyList(sampleList());
    const std::string head = good.substr(0, good.find('\n') + 1);
    const struct {
        std::string text;
        JourneyDamage damage;
        int line;
        const char* field;
    } cases[] = {
        {"", JourneyDamage::FirstLine, 1, ""},
        {"date,from,to\n", JourneyDamage::FirstLine, 1, ""},
        {head + "2007-08-12\t0\t60\n", JourneyDamage::FieldCount, 2, ""},
        {head + "2007-02-30\t0\t60\treserved\tadult\tone-way\t100\t-\t\n", JourneyDamage::Value, 2, "date"},
        {head + "-\t0\t107\treserved\tadult\tone-way\t100\t-\t\n", JourneyDamage::Value, 2, "arrival"},
        {head + "-\t0\t1\texpress\tadult\tone-way\t100\t-\t\n", JourneyDamage::Value, 2, "kind"},
        {head + "-\t0\t1\tlocal\tadult\tone-way\t1e999\t-\t\n", JourneyDamage::Value, 2, "amount"},
        {head + "-\t0\t1\tlocal\tadult\tone-way\t12yen\t-\t\n", JourneyDamage::Value, 2, "amount"},
        {good + "-\t0\t1\tlocal\tadult\tone-way\t1\t-\tbad \\q escape\n", JourneyDamage::Value, 5, "note"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const JourneyRead read = readJourneyList(c.text);
        EXPECT_EQ(read.damage, c.damage);
        EXPECT_EQ(read.line, c.line);
        EXPECT_EQ(read.field, c.field);
        EXPECT_TRUE(read.list.rows.empty());
    }
}

// A damaged file is renamed aside, never overwritten: the next save writes
// a new file and the damaged one is still there, byte for byte.
TEST(JourneyList, DamagedFileIsKeptAsideAndNeverOverwritten) {
    TempDir dir;
    const std::string path = dir.write("mkd/journeys.tsv", "not a journey list\n");
    dir.write("mkd/journeys.tsv.damaged-1", "an older one");
    JourneyStore store(path);
    const JourneyLoad& load = store.load();
    EXPECT_EQ(load.read.damage, JourneyDamage::FirstLine);
    EXPECT_EQ(load.keptAs, path + ".damaged-2");
    EXPECT_EQ(dir.read("mkd/journeys.tsv.damaged-2"), "not a journey list\n");
    EXPECT_EQ(dir.read("mkd/journeys.tsv.damaged-1"), "an older one");
    store.list = sampleList();
    ASSERT_TRUE(store.save().ok());
    EXPECT_EQ(dir.read("mkd/journeys.tsv"), formatJourneyList(sampleList()));
    EXPECT_EQ(dir.read("mkd/journeys.tsv.damaged-2"), "not a journey list\n");
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
        ASSERT_TRUE(load.read.ok()) << "after kill " << kill << " line " << load.read.line;
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
    EXPECT_NE(plain.find(",1234.5,,2007-04-01\r\n"), std::string::npos);
    EXPECT_NE(plain.find(",0,,priced with other tables\r\n"), std::string::npos);
    EXPECT_TRUE(plain.ends_with("Total,,,,,,10104.5,,\r\n"));
    const std::string august = journeyCsv(list, "2007-08", now, Lang::Japanese, CsvStyle::Plain);
    EXPECT_TRUE(august.ends_with("合計,,,,,,8870,,\r\n"));
}

}  // namespace

namespace {

using namespace mkd;

// The recent journeys in the settings: read back as written, anything else
// ignored; the last ten, newest first, each once.
TEST(RecentJourneys, KeptAsTheyWereAskedAndAtMostTen) {
    const RecentJourney reserved{Enquiry::Reserved, 0, 67, Passenger::Child, Trip::RoundTrip};
    EXPECT_EQ(recentText(reserved), "reserved,0,67,child,round-trip");
    EXPECT_EQ(readRecent(recentText(reserved)), reserved);
    for (const char* bad : {"", "reserved,0,67,child", "express,0,67,adult,one-way", "local,0,107,adult,one-way",
                            "local,0,1,elder,one-way", "local,0,1,adult,both", "local,0,1,adult,one-way,x"})
        EXPECT_FALSE(readRecent(bad)) << bad;
    std::vector<RecentJourney> recent;
    for (int i = 0; i < 12; ++i) remember(recent, {Enquiry::Local, i, 0, Passenger::Adult, Trip::OneWay});
    remember(recent, {Enquiry::Local, 5, 0, Passenger::Adult, Trip::OneWay});
    ASSERT_EQ(recent.size(), kRecentJourneys);
    EXPECT_EQ(recent[0].departure, 5);
    EXPECT_EQ(recent[1].departure, 11);
    EXPECT_EQ(std::count_if(recent.begin(), recent.end(), [](const RecentJourney& j) { return j.departure == 5; }), 1);
}

}  // namespace
