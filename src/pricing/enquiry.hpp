// One enquiry from start to finish, as a user makes it on the screens: the
// refusals on the way, the tables read at each step, and what the result
// screen shows. For programs without the screens (mkd-fare); the screens make
// the same steps one event at a time with the same rules.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/mdlKeisan.hpp"
#include "data/stations.hpp"
#include "pricing/charges.hpp"
#include "pricing/fares.hpp"
#include "pricing/season.hpp"
#include "pricing/sections.hpp"

namespace mkd {

// The local train, then the four enquiries with a charge: limited express
// non-reserved, reserved and Green car (from "特急利用"), and the Marine
// Liner's reserved seat and Green car (from the "マリンライナー" menu).
enum class Enquiry { Local, NonReserved, Reserved, Green, MarineReserved, MarineGreen };
inline constexpr std::array<Enquiry, 6> kEnquiries{Enquiry::Local,  Enquiry::NonReserved,    Enquiry::Reserved,
                                                   Enquiry::Green,  Enquiry::MarineReserved, Enquiry::MarineGreen};

// What an enquiry's screens offer on the way to the result.
struct EnquiryShape {
    bool student = false;  // a 学割 button (enabled beyond 100 km only)
    bool routing = false;  // the 直通 / 松山乗換 frame (shown only where the section crosses 松山)
    bool dated = false;    // a travel-date screen that decides the season
    std::optional<StationList> section;  // the list of the section screen, if there is one
};
EnquiryShape enquiryShape(Enquiry kind);

// The tables the start screen reads at start-up; every fare comes from them.
const std::vector<TableFile>& startupTables();

// The tables an enquiry reads on its way, in the order it reads them; for a
// reserved seat those of `season`. The local train and the Marine Liner's
// reserved seat read none of their own.
std::vector<TableFile> branchTables(Enquiry kind, Season season = Season::Normal);

// The tables read on demand whose cells make the charge of `kind` for
// `passenger` (none for the local train and the Marine Liner's reserved seat).
std::vector<Table> chargeTables(Enquiry kind, Passenger passenger);

// Those of chargeTables whose last load was short: the result screen says so.
std::vector<ShortTable> shortChargeTables(const mdlKeisan& tables, Enquiry kind, Passenger passenger);

// The caption of the charge on the result screen ("" for the local train).
std::string_view chargeCaption(Enquiry kind, Season season);

struct EnquiryRequest {
    Enquiry kind = Enquiry::Local;
    int departure = 0;  // all-station indices, as on the start screen
    int arrival = 0;
    Passenger passenger = Passenger::Adult;
    Trip trip = Trip::OneWay;
    Routing routing = Routing::Through;
    // The section chosen on the section screen (express or Marine stops);
    // none: the screen's preset, left as it is.
    std::optional<Section> section;
    Season season = Season::Normal;  // the travel date's, for the dated kinds
};

// Why an enquiry ends without a price.
enum class Refusal {
    SameStation,          // the start screen says kSameStationMessage
    LocalTrainAdvised,    // the section screen says kLocalTrainAdvice
    StudentNotOffered,    // 学割 is disabled (100 km or less) or not on the screen
    ChangeNotOffered,     // 松山乗換 is hidden or not on the screen
    MarineNotOffered,     // the マリンライナー menu is disabled
    MarineSeatNotOffered, // its 指定席 item is disabled
    NoSectionScreen,      // a section was given to an enquiry that has no section screen
    TableUnreadable,      // a table file it reads is broken: the program would end
};

// The result screen.
struct EnquiryAnswer {
    bool charged = false;               // the express result screen (frmKekkaT), not frmKekka
    std::string_view departure;         // display names of the start-screen stations
    std::string_view arrival;
    std::string_view bill;              // "おとな片道運賃" (local) or "(おとな片道)"
    double fare = 0;
    std::string_view chargeCaption;     // "" for the local train
    std::optional<StationList> sectionList;  // none where the charge line shows no stations
    Section section;
    std::string_view sectionFrom;       // display names, "" where none is shown
    std::string_view sectionTo;
    double charge = 0;
    double total = 0;                   // the fare alone for the local train
    std::vector<ShortTable> shortTables;  // short files behind the charge (see shortChargeTables)
};

struct EnquiryOutcome {
    std::optional<EnquiryAnswer> answer;
    Refusal refusal = Refusal::SameStation;  // when there is no answer
    std::string message;                     // the refusal in the program's words
    bool ok() const { return answer.has_value(); }
};

// Asks enquiries against the tables in one mdlKeisan. Each table file is read
// at the step where the screens read it, and then kept: a run of many
// enquiries reads each file once (a reserved-seat file again when the season
// changes).
class Enquirer {
public:
    explicit Enquirer(mdlKeisan& tables) : tables_(tables) {}

    EnquiryOutcome ask(const EnquiryRequest& request);

    // The section screen's preset for an enquiry, or none without one.
    static std::optional<SectionPreset> preset(Enquiry kind, int departure, int arrival);

private:
    // Reads `file` unless its table holds it already; on failure `problem`
    // says why, as the program's report would.
    bool need(TableFile file, std::string& problem);

public:
    // Every load of a short file since the last call, once per load, in
    // the order they were read.
    std::vector<ShortTable> takeShortLoads() { return std::exchange(shortLoads_, {}); }

private:
    std::vector<ShortTable> shortLoads_;

    mdlKeisan& tables_;
    std::array<std::optional<TableFile>, kTableCount> holds_{};
};

}  // namespace mkd
