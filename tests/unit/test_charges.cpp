// Fare plus charge: the express, Green and Marine Liner enquiries.
#include <gtest/gtest.h>

#include "pricing/charges.hpp"
#include "test_support.hpp"
#include "words/money.hpp"

namespace mkd {
namespace {

using test::Cells;
using test::tableText;

// 岡山 (0) → 宇和島 (106); express section 岡山 (0) → 宇和島 (25); Marine
// section 大元 (1) → 高松 (14). Every charge table holds its own amounts for
// the through section and for both halves of a change at 松山 (17).
class Charges : public ::testing::Test {
protected:
    void SetUp() override {
        const auto fares = [&](const char* name, const char* amount) {
            dir_.write(std::string("Untin/") + name, tableText(107, 107, {{{106, 0}, amount}}));
        };
        fares("Futu.txt", "9000");
        fares("Kodomo.txt", "4500");
        fares("Gakuwari.txt", "7200");
        fares("Kyori.txt", "300");
        const auto express = [&](const char* name, int through, int toMatsuyama, int fromMatsuyama) {
            const Cells cells{{{25, 0}, std::to_string(through)},
                              {{17, 0}, std::to_string(toMatsuyama)},
                              {{25, 17}, std::to_string(fromMatsuyama)}};
            dir_.write(std::string("Untin/") + name, tableText(26, 26, cells));
        };
        express("Jiyu.txt", 2000, 1500, 900);
        express("KJiyu.txt", 1000, 750, 450);
        express("SiteiT.txt", 2500, 2000, 1400);
        express("KSiteiT.txt", 1250, 1000, 700);
        express("Green.txt", 4000, 3000, 2000);
        express("GToku.txt", 1700, 1200, 600);
        express("KGtoku.txt", 850, 600, 300);
        dir_.write("Untin/MarineG.txt", tableText(15, 15, {{{14, 1}, "980"}}));
        for (auto f : {TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari, TableFile::Kyori, TableFile::Jiyu,
                       TableFile::KJiyu, TableFile::SiteiT, TableFile::KSiteiT, TableFile::Green, TableFile::GToku,
                       TableFile::KGtoku, TableFile::MarineG})
            ASSERT_TRUE(tables_.load(f).ok()) << tableFileInfo(f).name;
    }

    test::TempDir dir_;
    TableStore tables_{dir_.str()};
    const Journey express_{0, 106, {0, 25}};
};

struct Expected {
    Passenger passenger;
    Trip trip;
    Routing routing;
    double fare, charge, total;
    const char* bill;
};

TEST_F(Charges, NonReserved) {
    const Expected cases[] = {
        {Passenger::Adult, Trip::OneWay, Routing::Through, 9000, 2000, 11000, "(おとな片道)"},
        {Passenger::Adult, Trip::OneWay, Routing::ChangeAtMatsuyama, 9000, 2400, 11400, "(おとな片道)"},
        {Passenger::Child, Trip::RoundTrip, Routing::Through, 9000, 2000, 11000, "(こども往復)"},
        // Students pay the student fare with the adult charge.
        {Passenger::Student, Trip::RoundTrip, Routing::ChangeAtMatsuyama, 14400, 4800, 19200, "(学割往復)"},
    };
    for (const auto& c : cases) {
        const ChargedPrice p = priceNonReserved(tables_, c.passenger, c.trip, c.routing, express_);
        EXPECT_DOUBLE_EQ(p.fare, c.fare) << c.bill;
        EXPECT_DOUBLE_EQ(p.charge, c.charge) << c.bill;
        EXPECT_DOUBLE_EQ(p.total, c.total) << c.bill;
        EXPECT_EQ(text(p.bill), c.bill);
    }
}

TEST_F(Charges, ReservedSeatAndGreen) {
    auto p = priceReserved(tables_, Passenger::Child, Trip::OneWay, Routing::ChangeAtMatsuyama, express_);
    EXPECT_DOUBLE_EQ(p.charge, 1700);
    EXPECT_DOUBLE_EQ(p.total, 6200);
    p = priceReserved(tables_, Passenger::Student, Trip::OneWay, Routing::Through, express_);
    EXPECT_DOUBLE_EQ(p.fare, 7200);
    EXPECT_DOUBLE_EQ(p.charge, 2500);

    // The Green charge is the same for every passenger; only the express part
    // comes from the child table.
    p = priceGreen(tables_, Passenger::Adult, Trip::OneWay, Routing::Through, express_);
    EXPECT_DOUBLE_EQ(p.charge, 5700);
    EXPECT_DOUBLE_EQ(p.total, 14700);
    p = priceGreen(tables_, Passenger::Child, Trip::RoundTrip, Routing::ChangeAtMatsuyama, express_);
    EXPECT_DOUBLE_EQ(p.charge, 2 * (3000 + 2000 + 600 + 300));
    EXPECT_DOUBLE_EQ(p.fare, 9000);
    p = priceGreen(tables_, Passenger::Student, Trip::RoundTrip, Routing::ChangeAtMatsuyama, express_);
    EXPECT_DOUBLE_EQ(p.charge, 2 * (3000 + 2000 + 1200 + 600));
}

TEST_F(Charges, MarineLiner) {
    const Journey marine{0, 106, {1, 14}};
    EXPECT_DOUBLE_EQ(priceMarineReserved(tables_, Passenger::Adult, Trip::OneWay, Season::OffPeak, marine).charge, 310);
    EXPECT_DOUBLE_EQ(priceMarineReserved(tables_, Passenger::Adult, Trip::OneWay, Season::Busy, marine).charge, 510);
    EXPECT_DOUBLE_EQ(priceMarineReserved(tables_, Passenger::Adult, Trip::RoundTrip, Season::Normal, marine).charge,
                     1020);
    const auto child = priceMarineReserved(tables_, Passenger::Child, Trip::RoundTrip, Season::Busy, marine);
    EXPECT_DOUBLE_EQ(child.charge, 500);
    EXPECT_DOUBLE_EQ(child.total, 9500);
    EXPECT_DOUBLE_EQ(priceMarineReserved(tables_, Passenger::Child, Trip::OneWay, Season::OffPeak, marine).charge, 150);

    const auto green = priceMarineGreen(tables_, Passenger::Child, Trip::OneWay, marine);
    EXPECT_DOUBLE_EQ(green.charge, 980);
    EXPECT_DOUBLE_EQ(green.total, 5480);
}

TEST(ChargeCaptions, BySeason) {
    EXPECT_EQ(text(reservedCaption(Season::Busy)), "指定席特急料金(繁忙期)");
    EXPECT_EQ(text(reservedCaption(Season::Normal)), "指定席特急料金(通常期)");
    EXPECT_EQ(text(reservedCaption(Season::OffPeak)), "指定席特急料金(閑散期)");
    EXPECT_EQ(text(marineReservedCaption(Season::Busy)), "指定席料金");
    EXPECT_EQ(text(marineReservedCaption(Season::Normal)), "指定席料金");
    EXPECT_EQ(text(marineReservedCaption(Season::OffPeak)), "指定席料金(閑散期)");
}

}  // namespace
}  // namespace mkd
