#include "pricing/enquiry.hpp"

#include <gtest/gtest.h>

#include <string>

#include "pricing/journey_rules.hpp"
#include "test_support.hpp"
#include "words/enquiry_words.hpp"

namespace mkd {
namespace {

using test::Cells;
using test::tableText;
using test::TempDir;

constexpr int kOkayama = 0, kOmoto = 1, kChayamachi = 7, kSakaide = 20, kUwajima = 106;

// An application folder with the start-up tables (every fare 1000, every
// distance 200 km) and whatever else a test writes.
class EnquiryTest : public testing::Test {
protected:
    EnquiryTest() {
        const std::string fares = tableText(107, 107, everyCell(107, "1000"));
        for (const char* name : {"Futu.txt", "Kodomo.txt", "Gakuwari.txt"}) write(name, fares);
        write("Kyori.txt", tableText(107, 107, everyCell(107, "200")));
    }

    static Cells everyCell(int size, const std::string& text) {
        Cells cells;
        for (int r = 0; r < size; ++r)
            for (int f = 0; f < size; ++f) cells[{r, f}] = text;
        return cells;
    }
    void write(const std::string& name, const std::string& text) { dir.write("Untin/" + name, text); }

    EnquiryOutcome ask(Enquiry kind, int from, int to, Passenger passenger = Passenger::Adult,
                       Routing routing = Routing::Through, std::optional<Section> section = std::nullopt,
                       std::optional<Season> season = Season::Normal) {
        EnquiryRequest r;
        r.kind = kind;
        r.departure = from;
        r.arrival = to;
        r.passenger = passenger;
        r.routing = routing;
        r.section = section;
        r.season = season;
        return enquirer.ask(r);
    }

    TempDir dir;
    mdlKeisan tables{dir.str()};
    Enquirer enquirer{tables};
};

// Choices that no screen has: the tool refuses them with a reason of its own.
TEST_F(EnquiryTest, RefusesChoicesNoScreenHas) {
    write("MarineG.txt", tableText(15, 15));
    EXPECT_EQ(ask(Enquiry::MarineGreen, kOkayama, kSakaide, Passenger::Student).refused.refusal,
              Refusal::StudentNotOffered);
    EXPECT_EQ(ask(Enquiry::MarineReserved, kOkayama, kSakaide, Passenger::Student).refused.refusal,
              Refusal::StudentNotOffered);
    EXPECT_EQ(ask(Enquiry::Local, kOkayama, kUwajima, Passenger::Adult, Routing::ChangeAtMatsuyama).refused.refusal,
              Refusal::ChangeNotOffered);
    EXPECT_EQ(
        ask(Enquiry::MarineGreen, kOkayama, kSakaide, Passenger::Adult, Routing::ChangeAtMatsuyama).refused.refusal,
        Refusal::ChangeNotOffered);
    EXPECT_EQ(
        ask(Enquiry::Local, kOkayama, kUwajima, Passenger::Adult, Routing::Through, Section{0, 25}).refused.refusal,
        Refusal::NoSectionScreen);
    EXPECT_EQ(ask(Enquiry::MarineReserved, kOkayama, kSakaide, Passenger::Adult, Routing::Through, Section{0, 9})
                  .refused.refusal,
              Refusal::NoSectionScreen);
    // The same station twice leaves the Marine menu off: there is no
    // message to see, only a menu that cannot be opened.
    EXPECT_EQ(ask(Enquiry::MarineGreen, kOkayama, kOkayama).refused.refusal, Refusal::MarineNotOffered);
}

// The screens read a branch's tables only on the way into it: a broken file
// ends an enquiry that reads it and no other.
TEST_F(EnquiryTest, BrokenTableEndsOnlyTheEnquiriesThatReadIt) {
    const EnquiryOutcome express = ask(Enquiry::NonReserved, kOkayama, kUwajima);
    ASSERT_FALSE(express.ok());
    EXPECT_EQ(express.refused.refusal, Refusal::TableUnreadable);
    const std::string message = refusalText(express.refused);
    EXPECT_NE(message.find("Jiyu.txt"), std::string::npos) << message;

    // The advice on "特急利用" comes before the branch's tables are read.
    EXPECT_EQ(ask(Enquiry::NonReserved, kOkayama, kOmoto).refused.refusal, Refusal::LocalTrainAdvised);

    const EnquiryOutcome local = ask(Enquiry::Local, kOkayama, kUwajima);
    ASSERT_TRUE(local.ok());
    EXPECT_EQ(local.answer->total, 1000);
}

// Every reserved-seat season fills the same table: asking in another season
// must read that season's file again, whatever was read before.
TEST_F(EnquiryTest, ReservedSeatReadsTheFileOfEachSeason) {
    write("SiteiH.txt", tableText(26, 26, {{{25, 0}, "3000"}}));
    write("SiteiT.txt", tableText(26, 26, {{{25, 0}, "2800"}}));
    write("SiteiK.txt", tableText(26, 26, {{{25, 0}, "2600"}}));
    for (const char* name : {"KSiteiH.txt", "KSiteiT.txt", "KSiteiK.txt"}) write(name, tableText(26, 26));

    const auto charge = [&](Season season) {
        const EnquiryOutcome out =
            ask(Enquiry::Reserved, kOkayama, kUwajima, Passenger::Adult, Routing::Through, std::nullopt, season);
        EXPECT_TRUE(out.ok()) << refusalText(out.refused);
        return out.ok() ? out.answer->charge : -1.0;
    };
    EXPECT_EQ(charge(Season::Busy), 3000);
    EXPECT_EQ(charge(Season::Normal), 2800);
    EXPECT_EQ(charge(Season::Busy), 3000);
    EXPECT_EQ(charge(Season::OffPeak), 2600);
}

// The Marine menu as the start screen leaves it after the departure and
// then the arrival were chosen: 茶屋町 excludes 坂出, not the other way round.
TEST(MarineMenuFor, ArrivalChosenLastDecides) {
    EXPECT_TRUE(marineMenuFor(kChayamachi, kSakaide).marine);
    EXPECT_FALSE(marineMenuFor(kSakaide, kChayamachi).marine);
    EXPECT_EQ(marineMenuFor(kOkayama, kOmoto), (MarineMenu{true, false}));
    EXPECT_EQ(marineMenuFor(kOmoto, kOkayama), (MarineMenu{true, false}));
    EXPECT_FALSE(marineMenuFor(kOkayama, kUwajima).marine);
}

}  // namespace
}  // namespace mkd
