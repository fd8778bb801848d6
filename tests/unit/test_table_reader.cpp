#include "data/table_reader.hpp"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "data/table_store.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

using namespace std::string_view_literals;
using test::Cells;
using test::tableText;
using test::TempDir;

struct GrammarCase {
    std::string name;
    std::string_view bytes;
    LoadError error;
    int line;  // where the offending record starts
    int records;  // complete records read
    Cells cells;  // cells to check after the read
};

void PrintTo(const GrammarCase& c, std::ostream* os) { *os << c.name; }
std::string caseName(const testing::TestParamInfo<GrammarCase>& info) { return info.param.name; }

class TableGrammar : public testing::TestWithParam<GrammarCase> {};

// All grammar cases read into a 3 × 3 table.
TEST_P(TableGrammar, Reads) {
    const GrammarCase& c = GetParam();
    FareTable table(3);
    const LoadResult result = readTable(c.bytes, table);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(result.line, c.line);
    EXPECT_EQ(result.records, c.records);
    for (const auto& [at, text] : c.cells)
        EXPECT_EQ(table.cell(at.first, at.second), text) << "record " << at.first << " field " << at.second;
}

const Cells kOneToNine{{{0, 0}, "1"}, {{0, 2}, "3"}, {{1, 0}, "4"}, {{1, 1}, "5"}, {{2, 2}, "9"}};

INSTANTIATE_TEST_SUITE_P(
    Layout, TableGrammar,
    testing::Values(GrammarCase{"OneRecordPerLine", "1,2,3\r\n4,5,6\r\n7,8,9\r\n", LoadError::None, 0, 3, kOneToNine},
                    GrammarCase{"NoFinalLineEnd", "1,2,3\r\n4,5,6\r\n7,8,9", LoadError::None, 0, 3, kOneToNine},
                    GrammarCase{"TwoRecordsOnOneLine", "1,2,3,4,5,6\r\n7,8,9\r\n", LoadError::None, 0, 3, kOneToNine},
                    GrammarCase{"RecordOverSeveralLines", "1\r\n2\r\n3\r\n4,5\r\n6,7,8,9\r\n", LoadError::None, 0, 3,
                                kOneToNine},
                    GrammarCase{"LineFeedsOnly", "1,2,3\n4,5,6\n7,8,9\n", LoadError::None, 0, 3, kOneToNine},
                    GrammarCase{"CarriageReturnsOnly", "1,2,3\r4,5,6\r7,8,9\r", LoadError::None, 0, 3, kOneToNine},
                    GrammarCase{"ByteOrderMark",
                                "\xEF\xBB\xBF"
                                "1,2,3\r\n4,5,6\r\n7,8,9\r\n",
                                LoadError::None, 0, 3, kOneToNine},
                    GrammarCase{"FewerRecords", "1,2,3\r\n", LoadError::None, 0, 1, {{{0, 0}, "1"}, {{1, 0}, ""}}},
                    GrammarCase{"EmptyFile", "", LoadError::None, 0, 0, {{{0, 0}, ""}}},
                    GrammarCase{"OnlyByteOrderMark", "\xEF\xBB\xBF", LoadError::None, 0, 0, {{{0, 0}, ""}}}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Fields, TableGrammar,
    testing::Values(
        GrammarCase{"CommaSeparatesThousands",
                    "1,230,5",
                    LoadError::None,
                    0,
                    1,
                    {{{0, 0}, "1"}, {{0, 1}, "230"}, {{0, 2}, "5"}}},
        GrammarCase{"BlanksAroundFields",
                    "  1 ,\t2\t, 3  \r\n",
                    LoadError::None,
                    0,
                    1,
                    {{{0, 0}, "1"}, {{0, 1}, "2"}, {{0, 2}, "3"}}},
        GrammarCase{
            "BlanksInsideKept", "1 2,3円,x", LoadError::None, 0, 1, {{{0, 0}, "1 2"}, {{0, 1}, "3円"}, {{0, 2}, "x"}}},
        GrammarCase{"QuotesRemoved",
                    "\"1\", \"2,3\" ,4",
                    LoadError::None,
                    0,
                    1,
                    {{{0, 0}, "1"}, {{0, 1}, "2,3"}, {{0, 2}, "4"}}},
        GrammarCase{
            "TextAfterClosingQuoteDropped", "\"12\"34,5,6", LoadError::None, 0, 1, {{{0, 0}, "12"}, {{0, 1}, "5"}}},
        GrammarCase{"QuoteSpansLines",
                    "\"a\r\nb\",x,y\r\n1,2,3\r\n4,5,6\r\n7",
                    LoadError::TooManyRecords,
                    5,
                    3,
                    {{{0, 0}, "a\r\nb"}, {{1, 0}, "1"}}},
        GrammarCase{"QuoteInsideUnquotedField", "1\"2,3,4", LoadError::None, 0, 1, {{{0, 0}, "1\"2"}}},
        GrammarCase{"UnclosedQuoteRunsToEnd", "1,2,\"3,4\r\n5", LoadError::None, 0, 1, {{{0, 2}, "3,4\r\n5"}}},
        GrammarCase{"EmptyFields", ",,\r\n", LoadError::None, 0, 1, {{{0, 0}, ""}, {{0, 2}, ""}}},
        GrammarCase{"TrailingCommaAnnouncesEmptyField", "1,2,", LoadError::None, 0, 1, {{{0, 2}, ""}}},
        GrammarCase{"NulBytesAreText",
                    "1\0"
                    "2,3,\0\r\n"sv,
                    LoadError::None,
                    0,
                    1,
                    {{{0, 0},
                      std::string("1\0"
                                  "2"sv)},
                     {{0, 2}, std::string("\0"sv)}}},
        GrammarCase{"ByteOrderMarkOnlyAtStart",
                    "1,\xEF\xBB\xBF"
                    "2,3",
                    LoadError::None,
                    0,
                    1,
                    {{{0, 1},
                      "\xEF\xBB\xBF"
                      "2"}}}),
    caseName);

INSTANTIATE_TEST_SUITE_P(
    Errors, TableGrammar,
    testing::Values(
        GrammarCase{"ExtraEmptyLine", "1,2,3\r\n4,5,6\r\n7,8,9\r\n\r\n", LoadError::TooManyRecords, 4, 3, kOneToNine},
        GrammarCase{"BlanksAfterFinalLineEnd", "1,2,3\r\n4,5,6\r\n7,8,9\r\n  ", LoadError::TooManyRecords, 4, 3,
                    kOneToNine},
        GrammarCase{"ExtraFieldOnLastLine", "1,2,3\r\n4,5,6\r\n7,8,9,10", LoadError::TooManyRecords, 3, 3, kOneToNine},
        GrammarCase{"TrailingCommaAfterLastRecord", "1,2,3\r\n4,5,6\r\n7,8,9,", LoadError::TooManyRecords, 3, 3,
                    kOneToNine},
        GrammarCase{"EndsInsideRecord",
                    "1,2,3\r\n4,5",
                    LoadError::EndsInsideRecord,
                    2,
                    1,
                    {{{0, 0}, "1"}, {{1, 0}, "4"}, {{1, 1}, "5"}, {{1, 2}, ""}}},
        GrammarCase{
            "EndsInsideRecordAfterLineEnd", "1,2,3\r\n4,5\r\n", LoadError::EndsInsideRecord, 2, 1, {{{1, 1}, "5"}}},
        GrammarCase{"EmptyLineIsAField",
                    "1,2,3\n\n4,5,6\n",
                    LoadError::EndsInsideRecord,
                    3,
                    2,
                    {{{1, 0}, ""}, {{1, 1}, "4"}, {{1, 2}, "5"}, {{2, 0}, "6"}}},
        GrammarCase{"OnlyALineEnd", "\r\n", LoadError::EndsInsideRecord, 1, 0, {}},
        GrammarCase{"LinesCountedAcrossLineEndStyles",
                    "1\r2\n3\r\n4,5,6\r\n\r\n7,8,9\n",
                    LoadError::TooManyRecords,
                    6,
                    3,
                    {{{2, 0}, ""}, {{2, 1}, "7"}, {{2, 2}, "8"}}}),
    caseName);

TEST(TableReader, RecordCounterHoldsLastRecordBegun) {
    struct Case {
        std::string_view bytes;
        int counter;
    };
    for (const Case& c : {Case{"", -1}, Case{"1,2,3\r\n", 0}, Case{"1,2,3\r\n4,5,6\r\n7,8,9\r\n", 2},
                          Case{"1,2,3\r\n4", 1}, Case{"1,2,3\r\n4,5,6\r\n7,8,9\r\n\r\n", 3}}) {
        FareTable table(3);
        EXPECT_EQ(lastRecordBegun(readTable(c.bytes, table)), c.counter) << c.bytes;
    }
}

TEST(TableReader, LoadingNeverClearsTheTable) {
    FareTable table(3);
    ASSERT_TRUE(readTable("a,a,a\r\nb,b,b\r\nc,c,c\r\n", table).ok());

    // A shorter file overwrites only its own records.
    ASSERT_TRUE(readTable("x,y,z\r\n", table).ok());
    EXPECT_EQ(table.cell(0, 0), "x");
    EXPECT_EQ(table.cell(0, 2), "z");
    EXPECT_EQ(table.cell(1, 0), "b");
    EXPECT_EQ(table.cell(2, 2), "c");

    // A broken file keeps what it read before the problem showed.
    EXPECT_EQ(readTable("1,2,3\r\n4", table).error, LoadError::EndsInsideRecord);
    EXPECT_EQ(table.cell(0, 1), "2");
    EXPECT_EQ(table.cell(1, 0), "4");
    EXPECT_EQ(table.cell(1, 1), "b");
}

TEST(TableReader, CellsKeepTheirTextWhateverItsLength) {
    // Short cells live in the table itself and longer ones beside it; each
    // must read back exactly, also after a cell changes from one to the other.
    FareTable table(3);
    ASSERT_TRUE(readTable("1234567,12345678,\r\n\"a, quoted cell\",x,1 230\r\n,,\r\n", table).ok());
    EXPECT_EQ(table.cell(0, 0), "1234567");
    EXPECT_EQ(table.cell(0, 1), "12345678");
    EXPECT_EQ(table.cell(0, 2), "");
    EXPECT_EQ(table.cell(1, 0), "a, quoted cell");
    EXPECT_EQ(table.cell(1, 2), "1 230");
    EXPECT_DOUBLE_EQ(table.value(1, 0), 12345678.0);

    ASSERT_TRUE(readTable("7,12345678901,\"\"\r\n", table).ok());
    EXPECT_EQ(table.cell(0, 0), "7");
    EXPECT_EQ(table.cell(0, 1), "12345678901");
    EXPECT_EQ(table.cell(0, 2), "");
    EXPECT_EQ(table.cell(1, 0), "a, quoted cell");
    EXPECT_DOUBLE_EQ(table.value(1, 0), 12345678901.0);

    const FareTable copy = table;
    ASSERT_TRUE(readTable("1,2,3\r\n", table).ok());
    EXPECT_EQ(table.cell(0, 1), "2");
    EXPECT_EQ(copy.cell(0, 1), "12345678901");
}

TEST(TableReader, FullSizeFareTable) {
    // 107 records of 107 fields: the cell of record r, field f is "r-f".
    std::string text;
    for (int r = 0; r < 107; ++r) {
        for (int f = 0; f < 107; ++f) text += (f ? "," : "") + std::to_string(r * 1000 + f);
        text += "\r\n";
    }
    FareTable table(107);
    const LoadResult ok = readTable(text, table);
    EXPECT_TRUE(ok.ok());
    EXPECT_EQ(ok.records, 107);
    EXPECT_EQ(lastRecordBegun(ok), 106);
    EXPECT_EQ(table.cell(106, 106), "106106");
    // From station 3 to station 20: field 3 of record 20.
    EXPECT_DOUBLE_EQ(table.value(3, 20), 20003.0);

    const LoadResult extra = readTable(text + "\r\n", table);
    EXPECT_EQ(extra.error, LoadError::TooManyRecords);
    EXPECT_EQ(extra.line, 108);
    EXPECT_EQ(extra.records, 107);
}

TEST(TableReader, HostileInputFinishes) {
    FareTable table(107);

    // One 10 MB field.
    EXPECT_EQ(readTable(std::string(10'000'000, '1'), table).error, LoadError::EndsInsideRecord);
    EXPECT_EQ(table.cell(0, 0).size(), 10'000'000u);
    // 10 MB of commas: far more fields than the table holds.
    const LoadResult commas = readTable(std::string(10'000'000, ','), table);
    EXPECT_EQ(commas.error, LoadError::TooManyRecords);
    EXPECT_EQ(commas.line, 1);
    // 10 MB of quotes and line ends.
    EXPECT_FALSE(readTable(std::string(10'000'000, '"'), table).ok());
    std::string mixed;
    for (int i = 0; i < 2'000'000; ++i) mixed += "\"\r\n\"x";
    EXPECT_FALSE(readTable(mixed, table).ok());

    // Arbitrary bytes, NULs included.
    std::string binary(1'000'000, '\0');
    unsigned state = 12345;
    for (char& c : binary) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 24);
    }
    const LoadResult result = readTable(binary, table);
    EXPECT_NE(result.error, LoadError::CannotOpen);
}

TEST(TableFiles, LoadsARegularFile) {
    TempDir dir;
    const std::string path = dir.write("Untin/Jiyu.txt", tableText(26, 10, {{{9, 25}, "1230"}}));
    FareTable table(26);
    const LoadResult result = loadTableFile(path, table);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.records, 10);
    EXPECT_EQ(lastRecordBegun(result), 9);
    EXPECT_DOUBLE_EQ(table.value(25, 9), 1230.0);
    EXPECT_EQ(table.cell(10, 0), "");
}

TEST(TableFiles, RefusesWhatIsNotARegularFile) {
    TempDir dir;
    std::filesystem::create_directories(dir.path() / "folder");
    const std::string fifo = (dir.path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);

    for (const std::string& path : {(dir.path() / "missing.txt").string(), (dir.path() / "folder").string(), fifo}) {
        FareTable table(3);
        const LoadResult result = loadTableFile(path, table);
        EXPECT_EQ(result.error, LoadError::CannotOpen) << path;
        EXPECT_EQ(lastRecordBegun(result), -1);
    }
}

TEST(TableFiles, RefusesAnOversizedFile) {
    TempDir dir;
    const std::string path = dir.write("big.txt", std::string(kMaxTableFileBytes + 1, '1'));
    FareTable table(3);
    EXPECT_EQ(loadTableFile(path, table).error, LoadError::TooLarge);
    EXPECT_EQ(table.cell(0, 0), "");
}

TEST(TableFiles, ErrorMessagesNameTheFileAndLine) {
    using testing::HasSubstr;
    const std::string path = "/opt/mkd/Untin/Futu.txt";
    EXPECT_EQ(describeLoadError(LoadResult{}, path, 107), "");

    const std::string tooMany = describeLoadError({LoadError::TooManyRecords, 108, 107}, path, 107);
    EXPECT_THAT(tooMany, HasSubstr(path));
    EXPECT_THAT(tooMany, HasSubstr("108 行目"));
    EXPECT_THAT(tooMany, HasSubstr("107"));

    const std::string inside = describeLoadError({LoadError::EndsInsideRecord, 12, 11}, path, 107);
    EXPECT_THAT(inside, HasSubstr(path));
    EXPECT_THAT(inside, HasSubstr("12 行目"));

    for (LoadError error : {LoadError::CannotOpen, LoadError::TooLarge}) {
        const std::string message = describeLoadError({error, 0, 0}, path, 107);
        EXPECT_THAT(message, HasSubstr(path));
        EXPECT_THAT(message, testing::Not(HasSubstr("行目")));
    }
}

TEST(SharedTables, PathsLieInUntin) {
    const TableStore tables("/opt/mkd");
    EXPECT_EQ(tables.path("Futu.txt"), "/opt/mkd/Untin/Futu.txt");
    EXPECT_EQ(tables.path(kInitialSelectionFile), "/opt/mkd/Untin/Henko.txt");
}

TEST(SharedTables, SeasonFilesShareOneTable) {
    TempDir dir;
    std::string busy, normal;
    for (int r = 0; r < 26; ++r) busy += "H" + std::string(25, ',') + "\r\n";
    for (int r = 0; r < 5; ++r) normal += "T" + std::string(25, ',') + "\r\n";
    dir.write("Untin/SiteiH.txt", busy);
    dir.write("Untin/SiteiT.txt", normal);
    dir.write("Untin/KSiteiH.txt", busy);

    TableStore tables(dir.str());
    ASSERT_TRUE(tables.load(TableFile::SiteiH).ok());
    ASSERT_TRUE(tables.load(TableFile::KSiteiH).ok());
    const LoadResult result = tables.load(TableFile::SiteiT);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.records, 5);
    EXPECT_EQ(tables.recordCounter(), 4);
    EXPECT_EQ(tables.lastPath(), dir.str() + "/Untin/SiteiT.txt");

    // The normal season's five records replace the busy ones; the rest stay.
    EXPECT_EQ(tables.table(Table::Sitei).cell(4, 0), "T");
    EXPECT_EQ(tables.table(Table::Sitei).cell(5, 0), "H");
    EXPECT_EQ(tables.table(Table::KSitei).cell(0, 0), "H");
}

TEST(SharedTables, FailedLoadNamesTheFile) {
    TempDir dir;
    TableStore tables(dir.str());
    const LoadResult result = tables.load(TableFile::MarineG);
    EXPECT_EQ(result.error, LoadError::CannotOpen);
    EXPECT_EQ(tables.lastPath(), dir.str() + "/Untin/MarineG.txt");
    EXPECT_EQ(tables.recordCounter(), -1);
}

}  // namespace
}  // namespace mkd

namespace mkd {
namespace {

// Table files are read lazily when they have no quotes: the records keep the
// file's text and a cell is cut out when asked for. Whatever the file, the
// cells must be those of the full reader, or the lazy reader must decline.
TEST(LazyTableRead, SameCellsAsTheFullReader) {
    const std::string files[] = {
        "1,2,3\r\n4,5,6\r\n7,8,9\r\n",
        "1,2,3\r\n4,5,6\r\n",  // fewer records: the third keeps what it held
        " 1 , 2\t,3\n4,5,6\r7,8,9",  // blanks, LF-only and CR-only lines, no final line end
        "1,2,3,4,5,6\r\n7,8,9\r\n",  // two records on one line
        "1,2\r\n3\r\n4,5,6,7,8,9\r\n",  // a record over several lines
        "\xEF\xBB\xBF"
        "1230円,,x\r\n,,\r\n1,2,",  // a byte-order mark, empty cells, a final comma
    };
    for (const std::string& text : files) {
        FareTable full(3), lazy(3);
        for (FareTable* t : {&full, &lazy})
            for (int r = 0; r < 3; ++r)
                for (int f = 0; f < 3; ++f) t->setCell(r, f, "old");
        const LoadResult expected = readTable(text, full);
        const auto got = readTableLazily(std::make_shared<const std::string>(text), lazy);
        ASSERT_TRUE(got.has_value()) << text;
        EXPECT_EQ(got->records, expected.records) << text;
        for (int r = 0; r < 3; ++r)
            for (int f = 0; f < 3; ++f) EXPECT_EQ(lazy.cell(r, f), full.cell(r, f)) << text << " " << r << "," << f;
    }
}

// Long files are scanned 32 or 16 bytes at a time, as the CPU allows: record
// ends, CR LF pairs and quotes fall anywhere in a block, also across two.
TEST(LazyTableRead, LongFilesWithEveryLineEnd) {
    const char* ends[] = {"\r\n", "\n", "\r"};
    for (const bool wide : {true, false}) {
        allowWideTableScan(wide);
        for (int shift = 0; shift < 33; ++shift) {
            std::string text(static_cast<std::size_t>(shift % 3), ' ');
            for (int r = 0; r < 26; ++r) {
                for (int f = 0; f < 26; ++f) {
                    if (f > 0) text += (f + r + shift) % 7 == 0 ? ends[(f + shift) % 3] : ",";
                    text += std::to_string(r * 1000 + f * (shift + 1));
                }
                text += ends[(r + shift) % 3];
            }
            FareTable full(26), lazy(26);
            const LoadResult expected = readTable(text, full);
            ASSERT_TRUE(expected.ok()) << shift;
            const auto got = readTableLazily(std::make_shared<const std::string>(text), lazy);
            ASSERT_TRUE(got.has_value()) << wide << " " << shift;
            EXPECT_EQ(got->records, 26);
            for (int r = 0; r < 26; ++r)
                for (int f = 0; f < 26; ++f)
                    ASSERT_EQ(lazy.cell(r, f), full.cell(r, f)) << wide << " " << shift << " " << r << "," << f;

            // A quote anywhere sends the file to the full reader.
            std::string quoted = text;
            quoted[quoted.size() / 2 + static_cast<std::size_t>(shift)] = '"';
            FareTable untouched(26);
            EXPECT_FALSE(readTableLazily(std::make_shared<const std::string>(quoted), untouched))
                << wide << " " << shift;
        }
    }
    allowWideTableScan(true);
}

TEST(LazyTableRead, DeclinesQuotesAndBrokenFilesWithoutTouchingTheTable) {
    const std::string files[] = {
        "\"1\",2,3\r\n",  // quotes: the full reader handles them
        "1,2,3\r\n4,5\r\n",  // ends inside a record
        "1,2,3\r\n4,5,6\r\n7,8,9\r\n\r\n",  // an extra empty line: a fourth record
    };
    for (const std::string& text : files) {
        FareTable table(3);
        table.setCell(0, 0, "old");
        EXPECT_FALSE(readTableLazily(std::make_shared<const std::string>(text), table).has_value()) << text;
        EXPECT_EQ(table.cell(0, 0), "old");
    }
}

TEST(LazyTableRead, SettingACellAfterwardsChangesOnlyThatCell) {
    FareTable table(3);
    ASSERT_TRUE(readTableLazily(std::make_shared<const std::string>("1,2,3\r\n4,5,6\r\n"), table));
    table.setCell(1, 1, "50");
    EXPECT_EQ(table.cell(1, 0), "4");
    EXPECT_EQ(table.cell(1, 1), "50");
    EXPECT_EQ(table.cell(1, 2), "6");
    EXPECT_EQ(table.cell(0, 2), "3");
    EXPECT_DOUBLE_EQ(table.value(2, 0), 3);
}

TEST(LazyTableRead, RecordsNeverReadAreEmpty) {
    // A table holds no cells of its own until one is set: nothing read reads
    // empty, before and after a lazily read record is changed.
    FareTable fresh(107);
    EXPECT_EQ(fresh.cell(106, 106), "");
    EXPECT_DOUBLE_EQ(fresh.value(0, 0), 0);

    FareTable table(3);
    ASSERT_TRUE(readTableLazily(std::make_shared<const std::string>("1,2,3\r\n4,5,6\r\n"), table));
    EXPECT_EQ(table.cell(2, 1), "");
    table.setCell(0, 0, "10");
    EXPECT_EQ(table.cell(2, 1), "");
    EXPECT_EQ(table.cell(0, 0), "10");
    EXPECT_EQ(table.cell(1, 2), "6");
}

}  // namespace
}  // namespace mkd
