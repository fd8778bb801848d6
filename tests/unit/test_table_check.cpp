#include "data/table_check.hpp"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "data/table_catalogue.hpp"
#include "data/table_reader.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

using test::Cells;
using test::tableText;
using test::TempDir;

// What a test pins of a problem: where it is and what kind it is.
struct Found {
    std::string file;
    int line;
    int column;
    int record;
    int field;
    ProblemKind kind;
    Severity severity;
    bool operator==(const Found&) const = default;
};

void PrintTo(const Found& f, std::ostream* os) {
    *os << f.file << ":" << f.line << ":" << f.column << " record " << f.record << " field " << f.field << " kind "
        << static_cast<int>(f.kind) << (f.severity == Severity::Fatal ? " fatal" : " warning");
}

std::vector<Found> found(const std::vector<TableProblem>& problems) {
    std::vector<Found> out;
    for (const auto& p : problems) out.push_back({p.file, p.line, p.column, p.record, p.field, p.kind, p.severity});
    return out;
}

constexpr auto W = Severity::Warning;
constexpr auto F = Severity::Fatal;

// Every table file of the catalogue, well formed, all cells 0, and Henko.txt.
void writeCleanFolder(const TempDir& dir) {
    for (const auto& info : tableFiles()) dir.write(std::string(info.name), tableText(info.size, info.size));
    dir.write("Henko.txt", "0,106\r\n");
}

TEST(TableCheck, CleanFolderHasNoProblem) {
    TempDir dir;
    writeCleanFolder(dir);
    EXPECT_TRUE(checkTableFolder(dir.str()).empty());
    EXPECT_EQ(checkStatus({}), 0);
}

TEST(TableCheck, MissingHenkoIsNoProblem) {
    TempDir dir;
    writeCleanFolder(dir);
    std::filesystem::remove(dir.path() / "Henko.txt");
    EXPECT_TRUE(checkTableFolder(dir.str()).empty());
}

// What a save killed half-way left beside Henko.txt is reported, by name;
// other names that merely look alike are not.
TEST(TableCheck, LeftoversOfKilledSaves) {
    TempDir dir;
    writeCleanFolder(dir);
    dir.write("Henko.txt.tmp-a1B2c3", "3,");
    dir.write("Henko.txt.tmp-toolong", "");
    dir.write("Futu.txt.tmp-a1B2c3", "");
    dir.write("Henko.txt.tmp-4711-d4E5f6", "3,");  // named with the saving process
    dir.write("Henko.txt.tmp-47x1-d4E5f6", "");
    EXPECT_EQ(found(checkTableFolder(dir.str())),
              (std::vector<Found>{{"Henko.txt.tmp-4711-d4E5f6", 0, 0, -1, -1, ProblemKind::SaveLeftover, W},
                                  {"Henko.txt.tmp-a1B2c3", 0, 0, -1, -1, ProblemKind::SaveLeftover, W}}));
}

// One folder with a problem of every kind, some in the same file: each is
// reported, in catalogue order and by place within a file.
TEST(TableCheck, BrokenFolderReportsEveryProblemWithItsPlace) {
    TempDir dir;
    writeCleanFolder(dir);
    dir.write("Futu.txt",
              tableText(107, 107,
                        Cells{{{0, 106}, "-5"}, {{2, 2}, "12.5"}, {{3, 5}, ""}, {{4, 7}, "1230円"}, {{10, 0}, "abc"}}));
    dir.write("Kodomo.txt", tableText(107, 107, Cells{{{6, 9}, "999"}}));
    // A distance that differs from the reverse journey's is reported once, at
    // the later cell; a fraction is a fine distance.
    dir.write("Kyori.txt", tableText(107, 107, Cells{{{20, 3}, "7"}, {{30, 40}, "100.5"}, {{40, 30}, "100.5"}}));
    std::filesystem::remove(dir.path() / "Jiyu.txt");
    dir.write("KJiyu.txt", tableText(26, 26) + "\r\n");  // an empty last line
    dir.write("SiteiH.txt", tableText(26, 25) + "1,2,3\r\n");  // ends inside record 25
    dir.write("SiteiT.txt", tableText(26, 10));  // ten records of 26
    // MarineG: record 0 over two lines, then one record a line.
    std::string marine = "0,0,0,0,0,0,0\r\n0,0,x,0,0,0,0,0\r\n";
    marine += tableText(15, 14, Cells{{{0, 0}, ""}});
    dir.write("MarineG.txt", marine);
    dir.write("Henko.txt", "3,500\r\n");

    const std::vector<TableProblem> problems = checkTableFolder(dir.str());
    const std::vector<Found> expected{
        {"Futu.txt", 1, 107, 0, 106, ProblemKind::Negative, W},
        {"Futu.txt", 3, 3, 2, 2, ProblemKind::Fraction, W},
        {"Futu.txt", 4, 6, 3, 5, ProblemKind::Empty, W},
        {"Futu.txt", 5, 8, 4, 7, ProblemKind::TextAfterNumber, W},
        {"Futu.txt", 11, 1, 10, 0, ProblemKind::NotANumber, W},
        {"Kodomo.txt", 1, 107, 0, 106, ProblemKind::ChildAboveAdult, W},  // 0 is above Futu's -5
        {"Kodomo.txt", 7, 10, 6, 9, ProblemKind::ChildAboveAdult, W},
        {"Kyori.txt", 21, 4, 20, 3, ProblemKind::NotSymmetric, W},
        {"Jiyu.txt", 0, 0, -1, -1, ProblemKind::CannotOpen, F},
        {"KJiyu.txt", 27, 0, -1, -1, ProblemKind::ExtraRecord, F},
        {"SiteiH.txt", 26, 0, -1, -1, ProblemKind::EndsInsideRecord, F},
        {"SiteiT.txt", 11, 0, -1, -1, ProblemKind::FewerRecords, W},
        {"MarineG.txt", 2, 3, 0, 9, ProblemKind::NotANumber, W},
        {"MarineG.txt", 3, 1, 1, 0, ProblemKind::Empty, W},
        {"Henko.txt", 1, 2, -1, -1, ProblemKind::SelectionOutOfRange, W},
    };
    EXPECT_EQ(found(problems), expected);
    EXPECT_EQ(checkStatus(problems), 2);
}

TEST(TableCheck, StatusIsOneForWarningsOnly) {
    TempDir dir;
    writeCleanFolder(dir);
    dir.write("Green.txt", tableText(26, 26, Cells{{{1, 2}, "x"}}));
    EXPECT_EQ(checkStatus(checkTableFolder(dir.str())), 1);
}

TEST(TableCheck, ChildAboveAdultIsComparedCellByCellForEveryPair) {
    TempDir dir;
    writeCleanFolder(dir);
    dir.write("GToku.txt", tableText(26, 26, Cells{{{4, 5}, "1000"}}));
    dir.write("KGtoku.txt", tableText(26, 26, Cells{{{4, 5}, "1000"}, {{5, 4}, "1"}}));  // equal is fine
    dir.write("KSiteiK.txt", tableText(26, 26, Cells{{{0, 25}, "1"}}));
    dir.write("Green.txt", tableText(26, 26, Cells{{{0, 25}, "9"}}));  // no child table
    const std::vector<Found> expected{
        {"KSiteiK.txt", 1, 26, 0, 25, ProblemKind::ChildAboveAdult, W},
        {"KGtoku.txt", 6, 5, 5, 4, ProblemKind::ChildAboveAdult, W},
    };
    EXPECT_EQ(found(checkTableFolder(dir.str())), expected);
}

TEST(TableCheck, ProblemNamesFileLineFieldAndJourney) {
    TempDir dir;
    writeCleanFolder(dir);
    dir.write("Futu.txt", tableText(107, 107, Cells{{{11, 5}, ""}}));
    const auto problems = checkTableFolder(dir.str());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(formatProblem(problems[0]),
              "Futu.txt:12:6: warning: empty cell: reads as 0 (record 11, field 5: 早島 → 児島)");
    // The same report in the program's own language.
    EXPECT_EQ(formatProblem(problems[0], Lang::Japanese),
              "Futu.txt:12:6: 警告: 空のセル: 0 と読まれます (レコード 11、フィールド 5: 早島 → 児島)");
    EXPECT_EQ(checkSummary("Untin", 0, 1), "Untin: 0 fatal, 1 warning");
    EXPECT_EQ(checkSummary("Untin", 1, 2, Lang::Japanese), "Untin: 致命的 1 件、警告 2 件");
}

// How each cell text reads, alone in a 1 × 1 table.
struct CellCase {
    std::string name;
    std::string text;
    std::vector<ProblemKind> kinds;
};
void PrintTo(const CellCase& c, std::ostream* os) { *os << c.name; }
std::string cellCaseName(const testing::TestParamInfo<CellCase>& info) { return info.param.name; }

class CellText : public testing::TestWithParam<CellCase> {};

TEST_P(CellText, Warns) {
    const CellCase& c = GetParam();
    std::vector<ProblemKind> kinds;
    for (const auto& p : checkTableText("Jiyu.txt", c.text + "\r\n", 1)) kinds.push_back(p.kind);
    EXPECT_EQ(kinds, c.kinds);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, CellText,
    testing::Values(
        CellCase{"Whole", "1230", {}}, CellCase{"Zero", "0", {}}, CellCase{"BlanksInside", " 1 230 ", {}},
        CellCase{"Quoted", "\"1230\"", {}}, CellCase{"TrailingPoint", "12.", {}}, CellCase{"Exponent", "1.5E3", {}},
        CellCase{"Empty", "", {ProblemKind::Empty}}, CellCase{"LonePoint", ".", {ProblemKind::NotANumber}},
        CellCase{"SignAlone", "-", {ProblemKind::NotANumber}}, CellCase{"Word", "yen", {ProblemKind::NotANumber}},
        CellCase{"TooLarge", "1e999", {ProblemKind::OutOfRange}},
        CellCase{"ExponentWithoutDigits", "12E", {ProblemKind::TextAfterNumber}},
        CellCase{"Unit", "1230円", {ProblemKind::TextAfterNumber}},
        CellCase{"NegativeFraction", "-2.5", {ProblemKind::Negative, ProblemKind::Fraction}},
        CellCase{"SmallFraction", ".5", {ProblemKind::Fraction}},
        // Beyond any fare: perhaps not the number written, and
        // its sums and doubles may overflow.
        CellCase{"TenMillion", "10000000", {}}, CellCase{"AboveTenMillion", "10000001", {ProblemKind::Implausible}},
        CellCase{"NotADouble", "9007199254740993", {ProblemKind::Implausible}},
        CellCase{"BeyondInt64", "12345678901234567890", {ProblemKind::Implausible}},
        CellCase{"DoublesToInfinity", "1e308", {ProblemKind::Implausible}},
        CellCase{"NegativeHuge", "-1e20", {ProblemKind::Negative, ProblemKind::Implausible}}),
    cellCaseName);

TEST(TableCheck, KyoriTakesFractionsButNotNegatives) {
    std::vector<ProblemKind> kinds;
    for (const auto& p : checkTableText("Kyori.txt", "0,100.5\r\n-3,0\r\n", 2)) kinds.push_back(p.kind);
    EXPECT_EQ(kinds, (std::vector{ProblemKind::Negative, ProblemKind::NotSymmetric}));
}

// The report names the cell, the text written and the number it reads as.
TEST(TableCheck, ImplausibleAmountSaysWhatItReadsAs) {
    const auto problems = checkTableText("Jiyu.txt", "0,9007199254740993\r\n0,0\r\n", 2);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(found(problems), (std::vector<Found>{{"Jiyu.txt", 1, 2, 0, 1, ProblemKind::Implausible, W}}));
    EXPECT_NE(problems[0].message.find("9007199254740993"), std::string::npos) << problems[0].message;
    EXPECT_NE(problems[0].message.find("9007199254740992"), std::string::npos) << problems[0].message;
}

TEST(InitialSelectionCheck, SaysWhatTheStartScreenSelects) {
    EXPECT_TRUE(checkInitialSelectionText("3,20\r\n").empty());
    EXPECT_TRUE(checkInitialSelectionText("3\r\n20\r\n").empty());

    const auto one = checkInitialSelectionText("3\r\n");
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].kind, ProblemKind::SelectionMissing);
    EXPECT_NE(one[0].message.find("selects 0 岡山"), std::string::npos) << one[0].message;

    const auto rounded = checkInitialSelectionText("2.5,-1\r\n");
    ASSERT_EQ(rounded.size(), 2u);
    EXPECT_EQ(rounded[0].kind, ProblemKind::SelectionRounded);
    EXPECT_NE(rounded[0].message.find("selects 2 備前西市"), std::string::npos) << rounded[0].message;
    EXPECT_EQ(rounded[1].kind, ProblemKind::SelectionOutOfRange);
    EXPECT_NE(rounded[1].message.find("selects 106 宇和島"), std::string::npos) << rounded[1].message;

    // A number no double holds reads as 0: the start screen shows 岡山.
    const auto huge = checkInitialSelectionText("1e400,20\r\n");
    ASSERT_EQ(huge.size(), 1u);
    EXPECT_EQ(huge[0].kind, ProblemKind::OutOfRange);
    EXPECT_NE(huge[0].message.find("selects 0 岡山"), std::string::npos) << huge[0].message;

    const auto extra = checkInitialSelectionText("3,20\r\n\r\n");
    ASSERT_FALSE(extra.empty());
    EXPECT_EQ(extra[0].kind, ProblemKind::ExtraRecord);
    EXPECT_EQ(extra[0].line, 2);
    EXPECT_EQ(checkStatus(extra), 2);
}

// Where the reader says each field starts, for files in and out of the house
// layout.
TEST(PlacedRecords, GiveLineAndFieldOfLine) {
    std::vector<std::tuple<int, int, FieldPlace>> places;
    const auto store = [&places](int record, int field, std::string_view, FieldPlace place) {
        places.emplace_back(record, field, place);
    };
    const LoadResult result = readPlacedRecords("1,\"2\r\n3\", 4\r\n5\r\n6,7", 2, 3, store);
    EXPECT_TRUE(result.ok());
    const std::vector<std::tuple<int, int, FieldPlace>> expected{
        {0, 0, {1, 1}}, {0, 1, {1, 2}}, {0, 2, {2, 2}},  // a quoted field holds a line end
        {1, 0, {3, 1}}, {1, 1, {4, 1}}, {1, 2, {4, 2}},  // a record over two lines
    };
    EXPECT_EQ(places, expected);
}

}  // namespace
}  // namespace mkd
