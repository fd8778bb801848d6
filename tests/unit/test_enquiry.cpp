#include "pricing/enquiry.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "explain/enquiry_words.hpp"
#include "pricing/journey_rules.hpp"
#include "test_support.hpp"

namespace mkd {
namespace {

using test::Cells;
using test::tableText;
using test::TempDir;

constexpr int kOkayama = 0, kOmoto = 1, kChayamachi = 7, kKamiNoCho = 10, kTakamatsu = 12, kKozai = 13, kSakaide = 20,
              kUwajima = 106;

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
    TableStore tables{dir.str()};
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

// Whatever the screens leave off or refuse comes with the values that say
// why, and words for them.
TEST_F(EnquiryTest, RefusalsSayWhy) {
    write("Kyori.txt", tableText(107, 107, {{{kOmoto, kOkayama}, "100"}}));
    for (const char* name : {"Jiyu.txt", "KJiyu.txt"}) write(name, tableText(26, 26));
    write("MarineG.txt", tableText(15, 15));

    const Refused shortJourney = ask(Enquiry::Local, kOkayama, kOmoto, Passenger::Student).refused;
    ASSERT_TRUE(shortJourney.student);
    EXPECT_TRUE(shortJourney.student->onScreen);
    EXPECT_EQ(shortJourney.student->distance, 100);
    EXPECT_NE(refusalText(shortJourney).find("100 km"), std::string::npos) << refusalText(shortJourney);
    EXPECT_EQ(refusalText(ask(Enquiry::MarineGreen, kOkayama, kSakaide, Passenger::Student).refused),
              text(Msg::NoStudentFare));

    const Refused noChange =
        ask(Enquiry::NonReserved, kTakamatsu, kUwajima, Passenger::Adult, Routing::ChangeAtMatsuyama).refused;
    ASSERT_TRUE(noChange.change);
    EXPECT_EQ(noChange.change->section, (Section{2, 25}));
    EXPECT_NE(refusalText(noChange).find("高松⇒宇和島"), std::string::npos) << refusalText(noChange);

    struct MarineCase {
        int from, to;
        Refusal refusal;
        MarineWhy why;
        std::string_view words;
    };
    for (const MarineCase& c : {
             MarineCase{kOkayama, kUwajima, Refusal::MarineNotOffered, MarineWhy::Outside, "宇和島"},
             MarineCase{kSakaide, kChayamachi, Refusal::MarineNotOffered, MarineWhy::Excluded, "坂出と茶屋町"},
             MarineCase{kOkayama, kOkayama, Refusal::MarineNotOffered, MarineWhy::SameStation, "同じ"},
             MarineCase{kOkayama, kOmoto, Refusal::MarineSeatNotOffered, MarineWhy::Offered, "指定席"},
         }) {
        const Refused r = ask(Enquiry::MarineReserved, c.from, c.to).refused;
        EXPECT_EQ(r.refusal, c.refusal) << c.from << "→" << c.to;
        ASSERT_TRUE(r.marine);
        EXPECT_EQ(r.marine->why, c.why) << c.from << "→" << c.to;
        EXPECT_NE(refusalText(r).find(c.words), std::string::npos) << refusalText(r);
    }

    // The advice says the screen's words; the reason names the stops.
    const Refused between = ask(Enquiry::NonReserved, kOmoto, kKamiNoCho).refused;
    ASSERT_TRUE(between.preset);
    EXPECT_EQ(between.preset->why, LocalTrainWhy::NoStopBetween);
    EXPECT_EQ(refusalText(between), "普通列車にしましょう。");
    EXPECT_EQ(refusalReason(between), "大元から上の町までの間には特急の停車駅がありません。");
    const Refused oneStop = ask(Enquiry::Green, kKozai, kSakaide).refused;
    ASSERT_TRUE(oneStop.preset);
    EXPECT_EQ(oneStop.preset->why, LocalTrainWhy::SameStop);
    EXPECT_EQ(refusalReason(oneStop), "香西から坂出までの間で乗り降りできる停車駅は坂出だけです。");
}

// A refusal's message box says below its message why, where the message
// does not, and what to do next; a refusal no message box shows has nothing.
TEST_F(EnquiryTest, RefusalDetailSaysWhatToDoNext) {
    const struct {
        Refused refused;
        Lang lang;
        std::string detail;
    } cases[] = {
        {ask(Enquiry::Local, kOkayama, kOkayama).refused, Lang::Japanese,
         "乗車駅か降車駅を別の駅にしてから、もう一度押してください。"},
        {ask(Enquiry::NonReserved, kOmoto, kKamiNoCho).refused, Lang::Japanese,
         "大元から上の町までの間には特急の停車駅がありません。\n「普通列車」で運賃を調べてください。"},
        {ask(Enquiry::NonReserved, kOmoto, kKamiNoCho).refused, Lang::English,
         "No limited express stops between Omoto and Kaminocho.\nPress \"Local\" for the fare."},
        {ask(Enquiry::Green, kOkayama, kSakaide, Passenger::Adult, Routing::Through, Section{3, 3}).refused,
         Lang::Japanese, "区間の乗車駅か降車駅を別の駅にしてから、もう一度押してください。"},
        {ask(Enquiry::MarineReserved, kOkayama, kUwajima).refused, Lang::Japanese, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(refusalDetail(c.refused, c.lang), c.detail) << refusalText(c.refused);
}

// The screens between the start screen and the result name the journey, and
// the section where one was chosen, in either language.
TEST(PricedJourney, NamesStationsKindAndSection) {
    const auto request = [](Enquiry kind, int from, int to, std::optional<Section> section = std::nullopt) {
        EnquiryRequest r;
        r.kind = kind;
        r.departure = from;
        r.arrival = to;
        r.section = section;
        return r;
    };
    const struct {
        EnquiryRequest request;
        Lang lang;
        std::string words;
    } cases[] = {
        {request(Enquiry::Local, kOkayama, kTakamatsu), Lang::Japanese, "岡山→高松　普通列車"},
        {request(Enquiry::Local, kOkayama, kTakamatsu), Lang::English, "Okayama → Takamatsu, local train"},
        {request(Enquiry::NonReserved, kOmoto, kUwajima, Section{0, kMatsuyama}), Lang::Japanese,
         "大元→宇和島　特急 自由席\n(特急区間は岡山→松山)"},
        {request(Enquiry::MarineGreen, kOkayama, kSakaide, Section{0, 3}), Lang::English,
         "Okayama → Sakaide, Marine Liner, Green car\n(Marine Liner from Okayama to Hayashima)"},
        {request(Enquiry::MarineReserved, kOkayama, kTakamatsu), Lang::Japanese, "岡山→高松　マリンライナー 指定席"},
    };
    for (const auto& c : cases) EXPECT_EQ(pricedJourneyText(c.request, c.lang), c.words);
}

// A section whose two ends are the same stop is refused before its tables
// are read; the choice is the user's, so a section the wrong way round is not.
TEST_F(EnquiryTest, SectionWithOneStopIsRefused) {
    write("MarineG.txt", tableText(15, 15));
    for (Enquiry kind : {Enquiry::NonReserved, Enquiry::Reserved, Enquiry::Green, Enquiry::MarineGreen}) {
        const Refused r = ask(kind, kOkayama, kSakaide, Passenger::Adult, Routing::Through, Section{3, 3}).refused;
        EXPECT_EQ(r.refusal, Refusal::SameSectionStop) << static_cast<int>(kind);
        EXPECT_EQ(refusalText(r), "区間の乗車駅と降車駅が同じですよ。");
    }
}

TEST(EnquirySteps, EachStepReadsItsTables) {
    using F = TableFile;
    struct Case {
        Enquiry kind;
        Step step;
        Season season;
        std::vector<TableFile> files;
    };
    for (const Case& c : {
             Case{Enquiry::MarineGreen, Step::SectionScreen, Season::Normal, {F::MarineG}},
             Case{Enquiry::NonReserved, Step::LeaveSection, Season::Normal, {F::Jiyu, F::KJiyu}},
             Case{Enquiry::Green, Step::LeaveSection, Season::Normal, {F::Green, F::GToku, F::KGtoku}},
             Case{Enquiry::Reserved, Step::LeaveSection, Season::Busy, {}},
             Case{Enquiry::Reserved, Step::TravelDate, Season::Busy, {F::SiteiH, F::KSiteiH}},
             Case{Enquiry::Reserved, Step::TravelDate, Season::OffPeak, {F::SiteiK, F::KSiteiK}},
             Case{Enquiry::MarineReserved, Step::TravelDate, Season::Busy, {}},
             Case{Enquiry::Local, Step::Choice, Season::Normal, {}},
         })
        EXPECT_EQ(tablesRead(c.kind, c.step, c.season), c.files) << static_cast<int>(c.kind);
}

// The answer holds the journey's distance and, where the screens offer the
// choice, the routing it was priced with.
TEST_F(EnquiryTest, AnswerHasDistanceAndRoutingWhereOffered) {
    write("Jiyu.txt", tableText(26, 26));
    write("KJiyu.txt", tableText(26, 26));
    const EnquiryOutcome change =
        ask(Enquiry::NonReserved, kOkayama, kUwajima, Passenger::Adult, Routing::ChangeAtMatsuyama);
    ASSERT_TRUE(change.ok());
    EXPECT_EQ(change.answer->distance, 200);
    EXPECT_EQ(change.answer->routing, Routing::ChangeAtMatsuyama);
    EXPECT_EQ(change.answer->caption, Msg::CaptionNonReserved);
    const EnquiryOutcome through = ask(Enquiry::NonReserved, kTakamatsu, kUwajima);
    ASSERT_TRUE(through.ok());
    EXPECT_FALSE(through.answer->routing);
    EXPECT_EQ(through.answer->section, (Section{2, 25}));
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

// Every charge comes from tables its own enquiry read at its steps, never
// from one an earlier enquiry left behind, and amounts to something on the
// sample tables: a row whose charge names the wrong tables, or whose tables
// are read at a step it never takes, fails here.
TEST(EnquiryRows, EveryChargeComesFromTablesItsStepsRead) {
    for (mkd::Enquiry kind : mkd::kEnquiries) {
        const mkd::EnquiryShape& shape = mkd::enquiryShape(kind);
        if (!shape.charged) continue;
        SCOPED_TRACE(std::string(shape.id));
        for (mkd::Passenger passenger : {mkd::Passenger::Adult, mkd::Passenger::Child}) {
            mkd::TableStore tables{MKD_SAMPLE_TABLES};
            mkd::Enquirer enquirer{tables};
            mkd::EnquiryRequest r;
            r.kind = kind;
            r.departure = 0;  // 岡山
            r.arrival = shape.entry == mkd::Entry::MarineMenu ? 12 : 106;  // 高松, 宇和島
            r.passenger = passenger;
            r.season = mkd::Season::Busy;
            const mkd::EnquiryOutcome outcome = enquirer.ask(r);
            ASSERT_TRUE(outcome.ok());
            EXPECT_GT(outcome.answer->charge, 0);
            const mkd::ChargedPrice p = mkd::priceCharged(tables, r, mkd::EnquiryState(tables, r).section());
            EXPECT_EQ(p.charge, outcome.answer->charge);
            for (mkd::Table t : p.tables)
                EXPECT_TRUE(std::any_of(outcome.read.begin(), outcome.read.end(), [t](const mkd::StepRead& read) {
                    return mkd::tableFileInfo(read.file).table == t;
                })) << "a charge table no step of the enquiry read";
        }
    }
}
