#include "pricing/comparison.hpp"

#include <gtest/gtest.h>

#include <filesystem>

#include "explain/comparison_words.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

constexpr int kOkayama = 0, kOmoto = 1, kKojima = 11, kTakamatsu = 12, kMatsuyama = 67, kUwajima = 106;

TEST(Validity, OneDayTo100KmTwoTo200ThenOneMorePer200Begun) {
    const struct {
        double km;
        int oneWay;
    } cases[] = {{0, 1}, {100, 1}, {100.1, 2}, {200, 2}, {201, 3}, {400, 3}, {401, 4}, {600, 4}, {601, 5}};
    for (const auto& c : cases) {
        EXPECT_EQ(validityDays(c.km), c.oneWay) << c.km;
        EXPECT_EQ(validityDays(c.km, Trip::RoundTrip), 2 * c.oneWay) << c.km;
    }
}

// Every way of the comparison against whole enquiries asked one by one on
// tables of their own: the same amounts, the party's total their sum.
class ComparisonTest : public testing::Test {
protected:
    Comparison compare(int from, int to, Party party, Trip trip = Trip::OneWay, Season season = Season::Normal) {
        return comparer.compare({from, to, party, trip, season});
    }
    EnquiryOutcome ask(const WayRow& row, const ComparisonRequest& r, Passenger passenger) {
        EnquiryRequest q;
        q.kind = row.kind;
        q.routing = row.routing;
        q.departure = r.departure;
        q.arrival = r.arrival;
        q.passenger = passenger;
        q.trip = r.trip;
        q.season = r.season;
        return enquirer.ask(q);
    }

    TableStore tables{MKD_TEST_TABLES};
    Comparer comparer{tables};
    TableStore ownTables{MKD_TEST_TABLES};
    Enquirer enquirer{ownTables};
};

TEST_F(ComparisonTest, PartyTotalsAreTheEnquiriesTimesThePeople) {
    const struct {
        int from, to;
        Party party;
        Trip trip;
        Season season;
    } cases[] = {
        {kOkayama, kUwajima, {2, 1, 0}, Trip::OneWay, Season::Busy},
        {kOkayama, kMatsuyama, {1, 2, 3}, Trip::RoundTrip, Season::OffPeak},
        {kOkayama, kTakamatsu, {0, 3, 0}, Trip::OneWay, Season::Normal},
        {kUwajima, kKojima, {4, 0, 1}, Trip::RoundTrip, Season::Busy},
    };
    for (const auto& c : cases) {
        const Comparison comparison = compare(c.from, c.to, c.party, c.trip, c.season);
        ASSERT_FALSE(comparison.tableProblem);
        double lowest = 1e18;
        for (const WayRow& row : comparison.rows) {
            SCOPED_TRACE(wayName(row, c.season));
            double sum = 0;
            bool whole = true;
            for (Passenger p : kPassengers) {
                const EnquiryOutcome out = ask(row, comparison.request, p);
                ASSERT_EQ(out.ok(), row.price(p).answer.has_value());
                if (out.ok()) {
                    EXPECT_EQ(out.answer->total, row.price(p).answer->total);
                }
                if (c.party.count(p) == 0) continue;
                whole = whole && out.ok();
                if (out.ok()) sum += c.party.count(p) * out.answer->total;
            }
            ASSERT_EQ(row.partyTotal.has_value(), whole);
            if (whole) {
                EXPECT_EQ(*row.partyTotal, sum);
                EXPECT_EQ(row.validityDays, validityDays(comparison.distance, c.trip));
                lowest = std::min(lowest, sum);
            }
        }
        for (const WayRow& row : comparison.rows) EXPECT_EQ(row.cheapest, row.partyTotal == lowest);
    }
}

// A way the pair does not allow keeps its row with the core's refusal; the
// change at 松山 is a row only where the screens offer it.
TEST_F(ComparisonTest, WaysNotAllowedSayWhy) {
    const auto find = [](const Comparison& c, Enquiry kind, Routing routing = Routing::Through) -> const WayRow* {
        for (const WayRow& row : c.rows)
            if (row.kind == kind && row.routing == routing) return &row;
        return nullptr;
    };
    const Comparison far = compare(kOkayama, kUwajima, {1, 0, 1});
    ASSERT_TRUE(find(far, Enquiry::MarineGreen));
    EXPECT_EQ(find(far, Enquiry::MarineGreen)->refused->refusal, Refusal::MarineNotOffered);
    EXPECT_TRUE(find(far, Enquiry::Reserved, Routing::ChangeAtMatsuyama));
    // Beyond 100 km students are priced wherever the screens have 学割.
    EXPECT_TRUE(find(far, Enquiry::Local)->partyTotal);
    EXPECT_TRUE(far.student.offered);

    const Comparison near = compare(kOkayama, kOmoto, {1, 0, 0});
    EXPECT_EQ(find(near, Enquiry::NonReserved)->refused->refusal, Refusal::LocalTrainAdvised);
    EXPECT_FALSE(find(near, Enquiry::Reserved, Routing::ChangeAtMatsuyama));
    EXPECT_TRUE(find(near, Enquiry::Local)->cheapest);

    // 学割 on the Marine Liner: the way is offered, but not to the students.
    const Comparison marine = compare(kOkayama, kTakamatsu, {1, 0, 0});
    const WayRow* green = find(marine, Enquiry::MarineGreen);
    ASSERT_TRUE(green && !green->refused);
    EXPECT_EQ(green->price(Passenger::Student).refused->refusal, Refusal::StudentNotOffered);
    EXPECT_TRUE(green->partyTotal);

    const Comparison same = compare(kMatsuyama, kMatsuyama, {1, 0, 0});
    for (const WayRow& row : same.rows) {
        EXPECT_TRUE(row.refused);
        EXPECT_FALSE(row.cheapest);
    }
}

// The row of split tickets holds each class's cheapest split as the planner
// answers it alone, and for the party the sums of those; it is cheaper only
// where a class with people in it saves. On the shipped sample tables, whose
// bands make splits pay (on the formula tables none ever does).
TEST(ComparisonSplit, SplitRowIsEachClasssCheapestSplit) {
    constexpr int kKaminocho = 10, kSakaide = 20, kShimonada = 83;
    const struct {
        int from, to;
        Party party;
        Trip trip;
        std::optional<double> adultSaving;  // none: the party saves nothing
        std::vector<int> at;
        int days;  // of the party's shortest-lived ticket
    } cases[] = {
        // Each class splits elsewhere: 大元 for the student, 上の町 for the
        // adult, five stations for the child, all in travel order.
        {kOkayama, kShimonada, {1, 1, 1}, Trip::OneWay, 340, {1, 6, kKaminocho, 11, 21, 27, 70}, 1},
        {kOkayama, kShimonada, {2, 0, 0}, Trip::RoundTrip, 680, {kKaminocho}, 2},
        {kTakamatsu, kSakaide, {1, 1, 1}, Trip::OneWay, std::nullopt, {}, 1},
        {kMatsuyama, kMatsuyama, {1, 0, 0}, Trip::OneWay, std::nullopt, {}, 0},
    };
    TableStore tables{MKD_SAMPLE_TABLES};
    Comparer comparer{tables};
    TableStore ownTables{MKD_SAMPLE_TABLES};
    for (TableFile file : startupTables()) ASSERT_TRUE(ownTables.load(file).ok());
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + "→" + std::to_string(c.to));
        const SplitRow split = comparer.compare({c.from, c.to, c.party, c.trip, Season::Normal}).split;
        double total = 0, saving = 0;
        bool priced = true;
        for (Passenger p : kPassengers) {
            const SplitAnswer alone = cheapestSplit(ownTables, p, c.trip, c.from, c.to);
            EXPECT_EQ(split.answer(p), alone);
            priced = priced && alone.problem == SplitProblem::None;
            total += c.party.count(p) * alone.total;
            saving += c.party.count(p) * alone.saving;
        }
        EXPECT_EQ(split.partyTotal, priced ? std::optional(total) : std::nullopt);
        EXPECT_EQ(split.partySaving, priced ? saving : 0);
        EXPECT_EQ(split.cheaper(), c.adultSaving.has_value());
        EXPECT_EQ(split.splitStations, c.at);
        EXPECT_EQ(split.validityDays, c.days);
        if (c.adultSaving) {
            EXPECT_EQ(split.answer(Passenger::Adult).saving, *c.adultSaving);
        }
    }
}

// A distance cell of 1e12 km (the table check reports it) overflows
// nothing: the comparison and the split stop at the same number of days,
// one-way and return. The sanitizer build runs this too.
TEST(ComparisonSplit, AbsurdDistanceStopsAtTheSharedDaysCap) {
    test::TempDir dir;
    std::filesystem::copy(std::string(MKD_SAMPLE_TABLES) + "/Untin", dir.path() / "Untin",
                          std::filesystem::copy_options::recursive);
    std::string kyori = dir.read("Untin/Kyori.txt");
    for (const auto& [record, field] : {std::pair{kUwajima, kOkayama}, std::pair{kOkayama, kUwajima}}) {
        std::size_t at = 0;
        for (int r = 0; r < record; ++r) at = kyori.find("\r\n", at) + 2;
        for (int f = 0; f < field; ++f) at = kyori.find(',', at) + 1;
        kyori.replace(at, kyori.find_first_of(",\r", at) - at, "1e12");
    }
    dir.write("Untin/Kyori.txt", kyori);
    TableStore tables{dir.str()};
    Comparer comparer{tables};
    for (Trip trip : {Trip::OneWay, Trip::RoundTrip}) {
        const int most = (trip == Trip::RoundTrip ? 2 : 1) * kMostValidityDays;
        const Comparison c = comparer.compare({kOkayama, kUwajima, {2, 1, 1}, trip, Season::Normal});
        ASSERT_FALSE(c.tableProblem);
        EXPECT_EQ(c.distance, 1e12);
        EXPECT_EQ(c.validityDays, most);
        for (const WayRow& row : c.rows) {
            if (row.partyTotal) {
                EXPECT_EQ(row.validityDays, most) << wayName(row, Season::Normal);
            }
        }
        EXPECT_EQ(c.split.answer(Passenger::Adult).through.validityDays, most);
        EXPECT_GT(c.split.validityDays, 0);
        EXPECT_LE(c.split.validityDays, most);
    }
}

}  // namespace
}  // namespace mkd
