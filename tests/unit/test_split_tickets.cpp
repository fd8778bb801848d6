#include "pricing/split_tickets.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "data/stations.hpp"
#include "explain/enquiry_words.hpp"
#include "explain/split_words.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

using test::Cells;
using test::tableText;
using test::TempDir;

constexpr int kOkayama = 0, kKaminocho = 10, kKojima = 11, kTakamatsu = 12, kSakaide = 20, kUtazu = 21, kMarugame = 22,
              kMatsuyama = 67, kMukaibara = 73, kUchiko = 77, kShimonada = 83, kIyoOzu = 92, kUwajima = 106;

std::vector<int> run(int first, int last) {
    std::vector<int> v;
    for (int i = first; i <= last; ++i) v.push_back(i);
    return v;
}
std::vector<int> join(std::initializer_list<std::vector<int>> parts) {
    std::vector<int> v;
    for (const auto& p : parts) v.insert(v.end(), p.begin(), p.end());
    return v;
}

// Kilometres along the corridor's lines, drawn by hand: 3 km between
// neighbours, 2 km on the inland line (向井原 – 内子 – 伊予大洲), so that
// it is the shorter way; the distance of a journey is its shortest way.
std::vector<std::vector<double>> handMadeKm() {
    const std::vector<std::vector<int>> runs{join({run(0, 11), {kUtazu}}),
                                             join({run(12, 20), {kUtazu}}),
                                             run(kUtazu, kMukaibara),
                                             join({{kMukaibara}, run(74, 80), {kIyoOzu}}),
                                             join({{kMukaibara}, run(81, 91), {kIyoOzu}}),
                                             run(kIyoOzu, kUwajima)};
    constexpr double kFar = 1e9;
    std::vector<std::vector<double>> km(kAllStations, std::vector<double>(kAllStations, kFar));
    for (int i = 0; i < kAllStations; ++i) km[i][i] = 0;
    for (std::size_t r = 0; r < runs.size(); ++r)
        for (std::size_t i = 1; i < runs[r].size(); ++i) {
            const double step = r == 3 ? 2 : 3;
            km[runs[r][i - 1]][runs[r][i]] = km[runs[r][i]][runs[r][i - 1]] = step;
        }
    for (int k = 0; k < kAllStations; ++k)
        for (int i = 0; i < kAllStations; ++i)
            for (int j = 0; j < kAllStations; ++j) km[i][j] = std::min(km[i][j], km[i][k] + km[k][j]);
    return km;
}

// An application folder with the four start-up tables. Cells are (record =
// arrival, field = departure), as the table files hold them.
class SplitTest : public testing::Test {
protected:
    void write(const char* name, const Cells& cells) {
        dir.write(std::string("Untin/") + name, tableText(107, 107, cells));
    }
    static Cells cellsOf(const auto& value) {
        Cells c;
        for (int d = 0; d < kAllStations; ++d)
            for (int a = 0; a < kAllStations; ++a)
                if (d != a) c[{a, d}] = std::to_string(value(d, a));
        return c;
    }
    // Hand-made distances; fares from `fare`, the same in the three tables
    // unless a test writes its own.
    void writeTables(const auto& fare) {
        const auto km = handMadeKm();
        write("Kyori.txt", cellsOf([&](int d, int a) { return static_cast<int>(km[d][a]); }));
        for (const char* name : {"Futu.txt", "Kodomo.txt", "Gakuwari.txt"}) write(name, cellsOf(fare));
    }
    TableStore& load() {
        for (TableFile f : {TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari, TableFile::Kyori})
            EXPECT_TRUE(tables.load(f).ok());
        return tables;
    }

    TempDir dir;
    TableStore tables{dir.str()};
};

// The way of a journey follows the lines through their junctions: never a
// station on a branch, nor on the other line between 向井原 and 伊予大洲.
TEST_F(SplitTest, RouteFollowsTheLinesThroughTheirJunctions) {
    writeTables([](int, int) { return 1000; });
    const SplitPlanner planner(load(), Passenger::Adult);
    struct Case {
        int from, to;
        std::vector<int> way;
    };
    const std::vector<Case> cases{
        {kOkayama, kMarugame, join({run(0, 11), {kUtazu, kMarugame}})},  // not by 坂出
        {kOkayama, kTakamatsu, join({run(0, 11), {kUtazu}, {20, 19, 18, 17, 16, 15, 14, 13, 12}})},
        {kSakaide, kMarugame, {kSakaide, kUtazu, kMarugame}},  // not by 児島
        {kMatsuyama, kIyoOzu, join({run(67, 80), {kIyoOzu}})},  // inland, the shorter way
        {kMatsuyama, kShimonada, join({run(67, 73), {81, 82, 83}})},
        {kUchiko, kShimonada, {kUchiko, 76, 75, 74, kMukaibara, 81, 82, 83}},
        {90, kIyoOzu, {90, 91, kIyoOzu}},  // 春賀: along the coast, not back by 向井原
    };
    for (const Case& c : cases) {
        EXPECT_EQ(planner.route(c.from, c.to), c.way) << c.from << " → " << c.to;
        std::vector<int> back = c.way;
        std::reverse(back.begin(), back.end());
        EXPECT_EQ(planner.route(c.to, c.from), back) << c.to << " → " << c.from;
    }
}

// Every set of split stations on the way, priced ticket by ticket.
double bruteForce(const TableStore& tables, const std::vector<int>& way) {
    const std::size_t inner = way.size() - 2;
    double best = tables.value(Table::Futu, way.front(), way.back());
    for (std::size_t mask = 1; mask < (std::size_t{1} << inner); ++mask) {
        double total = 0;
        int from = way.front();
        for (std::size_t i = 0; i <= inner; ++i) {
            if (i < inner && !(mask & (std::size_t{1} << i))) continue;
            const int to = way[i + 1];
            total += tables.value(Table::Futu, from, to);
            from = to;
        }
        best = std::min(best, total);
    }
    return best;
}

TEST_F(SplitTest, CheapestSplitIsTheBruteForceMinimumAndNeverAboveTheThroughFare) {
    std::mt19937 random(23);
    std::uniform_int_distribution<int> fare(10, 300);
    write("Futu.txt", cellsOf([&](int, int) { return fare(random) * 10; }));
    const auto km = handMadeKm();
    write("Kyori.txt", cellsOf([&](int d, int a) { return static_cast<int>(km[d][a]); }));
    write("Kodomo.txt", {});
    write("Gakuwari.txt", {});
    const SplitPlanner planner(load(), Passenger::Adult);
    // Journeys of up to 13 stations between their ends, through each junction.
    const std::vector<std::pair<int, int>> journeys{{kOkayama, kSakaide},  {kKojima, kTakamatsu}, {kMatsuyama, kIyoOzu},
                                                    {kIyoOzu, kMatsuyama}, {kMukaibara, kIyoOzu}, {kUchiko, kShimonada},
                                                    {kMarugame, kKojima},  {kUwajima, 95}};
    for (const auto& [from, to] : journeys) {
        const SplitAnswer s = planner.plan(from, to);
        const double through = tables.value(Table::Futu, from, to);
        EXPECT_EQ(s.total, bruteForce(tables, planner.route(from, to))) << from << " → " << to;
        EXPECT_LE(s.total, through);
        EXPECT_EQ(s.saving, through - s.total);
        EXPECT_EQ(s.cheaper(), s.total < through);
        // The tickets meet end to end.
        EXPECT_EQ(s.tickets.front().from, from);
        EXPECT_EQ(s.tickets.back().to, to);
        for (std::size_t i = 1; i < s.tickets.size(); ++i) EXPECT_EQ(s.tickets[i].from, s.tickets[i - 1].to);
    }
}

// Tickets to and from a station off the way cost next to nothing; a cell
// the tables leave empty reads 0 yen; a station whose distances disagree
// with the journey's is not on its way. None of them is ever used.
TEST_F(SplitTest, NeverUsesAStationOffTheWayNorAnUnpricedTicket) {
    const std::vector<int> cheap{kSakaide, kShimonada, 5};
    const auto km = handMadeKm();
    Cells fares = cellsOf([&](int d, int a) {
        const bool offWay = std::count(cheap.begin(), cheap.end(), d) || std::count(cheap.begin(), cheap.end(), a);
        return offWay ? 10 : 1000 + 10 * static_cast<int>(km[d][a]);
    });
    fares[{kMarugame, 3}] = "";  // 妹尾 → 丸亀: no fare
    fares[{3, kOkayama}] = "0";  // 岡山 → 妹尾: 0 yen
    write("Futu.txt", fares);
    Cells distances = cellsOf([&](int d, int a) { return static_cast<int>(km[d][a]); });
    distances[{5, kOkayama}] = "90";  // 岡山 → 早島 disagrees with the lines
    write("Kyori.txt", distances);
    write("Kodomo.txt", {});
    write("Gakuwari.txt", {});
    const SplitPlanner planner(load(), Passenger::Adult);
    for (const auto& [from, to] : {std::pair{kOkayama, kMarugame}, {kMatsuyama, kUwajima}, {kUwajima, kMatsuyama}}) {
        const SplitAnswer s = planner.plan(from, to);
        for (const SplitTicket& t : s.tickets) {
            EXPECT_EQ(std::count(cheap.begin(), cheap.end(), t.from), 0) << from << " → " << to;
            EXPECT_GT(t.amount, 0);
        }
    }
    // A journey the tables cannot price is no comparison at all.
    EXPECT_EQ(planner.plan(3, kMarugame).problem, SplitProblem::ThroughUnpriced);
    EXPECT_EQ(planner.plan(kOkayama, kOkayama).problem, SplitProblem::SameStation);
}

TEST(SplitRules, ValidityAndStopoversAtTheirEdges) {
    const std::vector<std::pair<double, int>> days{{1, 1},   {100, 1}, {100.5, 2},        {101, 2},
                                                   {200, 2}, {201, 3}, {400, 3},          {401, 4},
                                                   {600, 4}, {601, 5}, {1e300, 1'000'000}};
    for (const auto& [km, d] : days) EXPECT_EQ(ticketValidityDays(km), d) << km;
    EXPECT_FALSE(stopoversAllowed(100));
    EXPECT_TRUE(stopoversAllowed(100.5));
}

// 岡山 – 上の町 is exactly 100 km and 上の町 – 児島 101: a student pays the
// adult fare on the first ticket and 学割 on the second, and gives up 学割,
// stopovers and days of validity against the 201 km through ticket.
TEST_F(SplitTest, StudentFareOnlyOnTicketsOfMoreThan100Km) {
    const auto cells = [](int through, int first, int second) {
        return Cells{{{kKojima, kOkayama}, std::to_string(through)},
                     {{kKaminocho, kOkayama}, std::to_string(first)},
                     {{kKojima, kKaminocho}, std::to_string(second)}};
    };
    write("Kyori.txt", cells(201, 100, 101));
    write("Futu.txt", cells(5000, 1500, 1500));
    write("Kodomo.txt", cells(2500, 700, 700));
    write("Gakuwari.txt", cells(4000, 1000, 1200));
    load();

    const SplitAnswer student = cheapestSplit(tables, Passenger::Student, Trip::OneWay, kOkayama, kKojima);
    ASSERT_EQ(student.tickets.size(), 2u);
    EXPECT_EQ(student.through.amount, 4000);
    EXPECT_TRUE(student.through.studentFare);
    EXPECT_EQ(student.tickets[0].amount, 1500);
    EXPECT_FALSE(student.tickets[0].studentFare);
    EXPECT_EQ(student.tickets[1].amount, 1200);
    EXPECT_TRUE(student.tickets[1].studentFare);
    EXPECT_EQ(student.saving, 1300);
    EXPECT_TRUE(student.costs.studentFare);
    EXPECT_TRUE(student.costs.stopovers);
    EXPECT_TRUE(student.costs.validity);
    EXPECT_EQ(student.costs.throughDays, 3);
    EXPECT_EQ(student.costs.shortestDays, 1);

    // A return: every amount and every validity twice the single's.
    const SplitAnswer back = cheapestSplit(tables, Passenger::Student, Trip::RoundTrip, kOkayama, kKojima);
    EXPECT_EQ(back.total, 2 * student.total);
    EXPECT_EQ(back.through.validityDays, 6);
    EXPECT_EQ(back.costs.shortestDays, 2);

    const SplitAnswer adult = cheapestSplit(tables, Passenger::Adult, Trip::OneWay, kOkayama, kKojima);
    EXPECT_EQ(adult.total, 3000);
    EXPECT_FALSE(adult.costs.studentFare);
    EXPECT_EQ(cheapestSplit(tables, Passenger::Child, Trip::OneWay, kOkayama, kKojima).total, 1400);
}

TEST_F(SplitTest, StudentOnAJourneyOf100KmPaysTheAdultFare) {
    const Cells distance{{{kKojima, kOkayama}, "100"}};
    write("Kyori.txt", distance);
    write("Futu.txt", {{{kKojima, kOkayama}, "1750"}});
    write("Kodomo.txt", {});
    write("Gakuwari.txt", {{{kKojima, kOkayama}, "1400"}});
    load();
    const SplitAnswer s = cheapestSplit(tables, Passenger::Student, Trip::OneWay, kOkayama, kKojima);
    EXPECT_EQ(s.through.amount, 1750);
    EXPECT_FALSE(s.through.studentFare);
    EXPECT_FALSE(s.cheaper());
}

// Fares are whole yen as the screens show them: a fractional cell (the table
// check reports it) never makes a 0-yen ticket or a saving of less than 1 yen.
TEST_F(SplitTest, FractionalCellsPriceAsWholeYen) {
    const struct {
        const char *through, *first, *second;
        double amount;  // of the through ticket
        bool cheaper;
    } cases[] = {
        {"1000.6", "0.4", "1000", 1001, false},  // no ticket of 0.4 yen
        {"1000.4", "500.2", "500", 1000, false},  // no saving of 0.2 yen
        {"1000.5", "400.4", "500.5", 1001, true},
    };
    write("Kyori.txt", {{{kKojima, kOkayama}, "201"}, {{kKaminocho, kOkayama}, "100"}, {{kKojima, kKaminocho}, "101"}});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.through);
        const Cells fares{
            {{kKojima, kOkayama}, c.through}, {{kKaminocho, kOkayama}, c.first}, {{kKojima, kKaminocho}, c.second}};
        for (const char* name : {"Futu.txt", "Kodomo.txt", "Gakuwari.txt"}) write(name, fares);
        TableStore own{dir.str()};
        for (TableFile f : {TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari, TableFile::Kyori})
            ASSERT_TRUE(own.load(f).ok());
        const SplitAnswer s = cheapestSplit(own, Passenger::Adult, Trip::OneWay, kOkayama, kKojima);
        EXPECT_EQ(s.through.amount, c.amount);
        EXPECT_EQ(s.cheaper(), c.cheaper);
        for (const SplitTicket& t : s.tickets) EXPECT_GE(t.amount, 1);
        if (s.cheaper()) {
            EXPECT_EQ(s.total, 400 + 501);
            EXPECT_EQ(s.saving, 100);
        }
    }
}

TEST(SplitWords, TheResultLineInBothLanguages) {
    SplitAnswer s;
    s.departure = kOkayama;
    s.arrival = kShimonada;
    s.through = {kOkayama, kShimonada, 223, 4550, 3, false, true};
    EXPECT_EQ(splitCheaperText(s, Lang::Japanese), "");
    s.tickets = {{kOkayama, kKaminocho, 25, 440, 1, false, false}, {kKaminocho, kShimonada, 198, 3770, 2, false, true}};
    s.total = 4210;
    s.saving = 340;
    EXPECT_EQ(splitCheaperText(s, Lang::Japanese), "2枚に分けると 340円安くなります（上の町で分割）");
    EXPECT_EQ(splitCheaperText(s, Lang::English),
              "¥340 cheaper as 2 tickets (split at " + stationWords(StationList::All, kKaminocho, Lang::English) + ")");
    // More than two stations split at: the first and how many, for one line.
    s.tickets = {{kOkayama, kKaminocho, 25, 400, 1, false, false},
                 {kKaminocho, kKojima, 4, 160, 1, false, false},
                 {kKojima, kUtazu, 19, 350, 1, false, false},
                 {kUtazu, kShimonada, 197, 3300, 2, false, true}};
    EXPECT_EQ(splitCheaperText(s, Lang::Japanese), "4枚に分けると 340円安くなります（上の町など3駅で分割）");
    EXPECT_EQ(splitCheaperText(s, Lang::English), "¥340 cheaper as 4 tickets (split at " +
                                                      stationWords(StationList::All, kKaminocho, Lang::English) +
                                                      " and 2 more)");
}

// A record read in one pass gives each cell as value() reads it: blanks
// around a number, text after it, an empty or non-numeric cell, a short
// last line.
TEST_F(SplitTest, OneRecordInOnePassReadsAsEachCell) {
    std::string text = tableText(107, 106, {{{3, 0}, " 120 "}, {{3, 1}, "\t5km"}, {{3, 2}, ""}, {{3, 4}, "x"}});
    text += "1,2,3\r\n";  // record 106 ends early
    dir.write("Untin/Futu.txt", text);
    tables.load(TableFile::Futu);
    const FareTable& futu = tables.table(Table::Futu);
    for (int to : {3, 105, 106}) {
        const std::vector<double> row = futu.values(to);
        ASSERT_EQ(row.size(), 107u);
        for (int from = 0; from < kAllStations; ++from) EXPECT_EQ(row[from], futu.value(from, to)) << from << " " << to;
    }
    EXPECT_EQ(futu.values(3)[0], 120);
}

}  // namespace
}  // namespace mkd
