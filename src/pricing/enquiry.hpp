// One enquiry from start to finish: the request as a user builds it on the
// screens, and every answer the screens and mkd-fare need on the way: what is
// offered and why not, the section preset, the tables each step reads, the
// refusals, and the price with its caption.
//
// The screens ask it one step at a time, with the request as their controls
// hold it at that moment; mkd-fare (Enquirer) walks the same steps in the
// same order, reading each step's tables. Neither decides a rule itself.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/stations.hpp"
#include "data/table_store.hpp"
#include "pricing/charges.hpp"
#include "pricing/fares.hpp"
#include "pricing/journey_rules.hpp"
#include "pricing/season.hpp"
#include "pricing/sections.hpp"
#include "pricing/split_tickets.hpp"
#include "words/words.hpp"

namespace mkd {

// The local train, then the four enquiries with a charge: limited express
// non-reserved, reserved and Green car (from "特急利用"), and the Marine
// Liner's reserved seat and Green car (from the "マリンライナー" menu). One
// list makes both the enum and kEnquiries, so they cannot disagree.
#define MKD_ENQUIRIES(X) X(Local) X(NonReserved) X(Reserved) X(Green) X(MarineReserved) X(MarineGreen)
#define MKD_ENQUIRY_VALUE(name) name,
enum class Enquiry { MKD_ENQUIRIES(MKD_ENQUIRY_VALUE) };
#undef MKD_ENQUIRY_VALUE
#define MKD_ENQUIRY_ENTRY(name) Enquiry::name,
inline constexpr Enquiry kEnquiryList[] = {MKD_ENQUIRIES(MKD_ENQUIRY_ENTRY)};
#undef MKD_ENQUIRY_ENTRY
inline constexpr std::array<Enquiry, std::size(kEnquiryList)> kEnquiries = std::to_array(kEnquiryList);

// What the core checks at an enquiry's way in: a button or menu item of the
// start screen refuses the same station twice; the Marine Liner's menu
// follows its own rule.
enum class Entry { Button, Menu, MarineMenu };

// The steps of an enquiry, in the order the screens take them. At each step
// the screens first check what may refuse the enquiry there, then read the
// step's tables.
enum class Step {
    Entry,  // the start screen's button or Marine menu item
    SectionScreen,  // the section screen opens (the Marine one reads its table)
    Preset,  // the section screen's lists are preset, or a local train advised
    LeaveSection,  // a seat button, or the Marine section's "次へ"
    TravelDate,  // the travel date's "次へ"
    Choice,  // a passenger button of the choice screen
};
inline constexpr std::array<Step, 6> kSteps{Step::Entry,        Step::SectionScreen, Step::Preset,
                                            Step::LeaveSection, Step::TravelDate,    Step::Choice};

struct EnquiryRequest;

// Everything the core knows of one kind of enquiry: one row per kind. What
// its screens offer on the way to the result, its caption, and its charge:
// the tables behind it (read at one step, and then priced) or a fixed amount.
struct EnquiryShape {
    Enquiry kind = Enquiry::Local;  // its place in kEnquiries (checked)
    Entry entry = Entry::Button;
    bool student = false;  // a 学割 button (enabled beyond 100 km only)
    bool routing = false;  // the 直通 / 松山乗換 frame (shown only where the section crosses 松山)
    bool dated = false;  // a travel-date screen that decides the season
    // The list of stops the charge runs over, if any: its section is preset
    // from the journey (the smallest one that holds it).
    std::optional<StationList> section{};
    // A section screen, where the user may change that section.
    bool sectionScreen = false;
    bool charged = true;  // a charge on top of the fare (the express result screen)
    bool marineSeat = false;  // needs the Marine menu's 指定席 item
    Msg name = Msg::KindLocal;  // "特急 指定席"
    Msg word = Msg::KindWordLocal;  // the kind in one word: "指定席"
    std::string_view id = "local";  // its name for programs (mkd-fare's JSON)
    // The charge's caption; none for the local train, or for a dated kind
    // before a travel date has set its season.
    std::optional<Msg> (*caption)(std::optional<Season> season) = nullptr;
    // The charge: the sum of these tables' cells over the section (split at
    // 松山 for a change there), for adults and students, and for children;
    // their files are read at `readAt` (a reserved-seat table's of the
    // travel date's season).
    std::array<std::optional<Table>, 2> adultCharge{};
    std::array<std::optional<Table>, 2> childCharge{};
    Step readAt = Step::LeaveSection;
    // Or a fixed charge by passenger and season, reading no table.
    double (*fixedCharge)(Passenger passenger, Season season) = nullptr;
};
const EnquiryShape& enquiryShape(Enquiry kind);

// The tables the start screen reads at start-up; every fare comes from them.
const std::vector<TableFile>& startupTables();

// The tables an enquiry reads at `step`, in the order it reads them; for a
// reserved seat those of `season`.
std::vector<TableFile> tablesRead(Enquiry kind, Step step, Season season = Season::Normal);

// Why an enquiry ends without a price.
enum class Refusal {
    SameStation,  // the start screen says "乗車駅と降車駅が同じですよ。"
    LocalTrainAdvised,  // the section screen says "普通列車にしましょう。"
    SameSectionStop,  // the section screen's two lists hold the same stop
    StudentNotOffered,  // 学割 is disabled (100 km or less) or not on the screen
    ChangeNotOffered,  // 松山乗換 is hidden or not on the screen
    MarineNotOffered,  // the マリンライナー menu is disabled
    MarineSeatNotOffered,  // its 指定席 item is disabled
    NoSectionScreen,  // a section was given to an enquiry that has no section screen
    TableUnreadable,  // a table file it reads is broken: the program would end
};

// Why 学割 is or is not offered on the choice screen.
struct StudentOffer {
    bool offered = false;
    bool onScreen = false;  // the enquiry's choice screen has the button
    double distance = 0;  // km, the distance table's cell for the journey
};

// Why the 直通 / 松山乗換 frame is or is not shown.
struct ChangeOffer {
    bool offered = false;
    bool onScreen = false;  // the enquiry's choice screen has the frame
    Section section;  // the express section it was judged on
};

// A refusal and the values that say why.
struct Refused {
    Refusal refusal = Refusal::SameStation;
    int departure = -1;  // the journey (all-station indices)
    int arrival = -1;
    std::optional<StudentOffer> student;
    std::optional<ChangeOffer> change;
    std::optional<MarineMenuJudgement> marine;
    std::optional<SectionPreset> preset;  // LocalTrainAdvised
    std::optional<StationList> list;  // the section's list (preset, same stop, change)
    Section section;  // SameSectionStop
    // TableUnreadable: the file, its path and what is wrong.
    TableFile file = TableFile::Futu;
    std::string path;
    LoadResult load;
};

// The tables read on demand whose cells make the charge of `kind` for
// `passenger` (none for the local train and the Marine Liner's reserved seat).
std::vector<Table> chargeTables(Enquiry kind, Passenger passenger);

// Those of `charged` whose last load was short: the result screen says so.
std::vector<ShortTable> shortChargeTables(const TableStore& tables, const std::vector<Table>& charged);

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
    // The travel date's season, for the dated kinds; none before a travel
    // date has set one (the choice screen then keeps its caption as it is).
    std::optional<Season> season;
    // The Marine Liner menu as the start screen holds it (its rule depends
    // on the order the stations were chosen in); none: as after the
    // departure and then the arrival were chosen.
    std::optional<MarineMenu> marineMenu;
};

// The fare with the charge of the request's kind over `section`, and what it
// charged: the section (where the kind charges over one), the tables and
// the season.
ChargedPrice priceCharged(const TableStore& tables, const EnquiryRequest& request, const Section& section);

// The result screen.
struct EnquiryAnswer {
    bool charged = false;  // the express result screen (frmKekkaT), not frmKekka
    int departure = 0;  // all-station indices of the start-screen stations
    int arrival = 0;
    Msg bill = Msg::BillAdultOneWay;  // "おとな片道運賃" (local) or "(おとな片道)"
    double fare = 0;
    std::optional<Msg> caption;  // none for the local train, or before a season is set
    std::optional<StationList> sectionList;  // none where the charge line shows no stations
    Section section;
    double charge = 0;
    double total = 0;  // the fare alone for the local train
    double distance = 0;  // km, from the distance table
    std::optional<Routing> routing;  // where the 直通 / 松山乗換 choice is offered
    std::optional<Season> season;  // the dated kinds
    std::vector<ShortTable> shortTables;  // short files behind the charge (see shortChargeTables)
};

// The enquiry in progress on the screens: what the user has chosen so far,
// the travel date where one was chosen, and the answer once a result screen
// shows it. The screens write it as the user acts and show what it holds;
// whatever takes the answer elsewhere (the clipboard, a printer, a list of
// journeys, a comparison) reads it here.
struct EnquiryInProgress {
    EnquiryRequest request;
    std::optional<TravelDate> date;
    std::optional<EnquiryAnswer> answer;
    // For the local train: the cheapest way to buy the journey as several
    // tickets, asked with the answer.
    std::optional<SplitAnswer> split;
};

// The enquiry as the user builds it, and the answers to every question asked
// on the way. `tables` holds what the steps before have read.
class EnquiryState {
public:
    EnquiryState(const TableStore& tables, EnquiryRequest request) : tables_(tables), request_(request) {}

    const EnquiryRequest& request() const { return request_; }
    const EnquiryShape& shape() const { return enquiryShape(request_.kind); }

    // The section screen's preset, or none without a section screen.
    std::optional<SectionPreset> preset() const;
    // The section as chosen, else the preset.
    Section section() const;
    // The Marine Liner menu as the start screen leaves it after the departure
    // and then the arrival were chosen.
    // The menu as the request says the start screen holds it, where it says.
    MarineMenuJudgement marineMenu() const;
    StudentOffer student() const;
    ChangeOffer change() const;

    // What refuses the enquiry at `step`, if anything.
    std::optional<Refused> check(Step step) const;
    std::vector<TableFile> tables(Step step) const {
        return tablesRead(request_.kind, step, request_.season.value_or(Season::Normal));
    }

    // The caption of the charge; none for the local train, or for a dated
    // kind before a travel date has set its season.
    std::optional<Msg> caption() const;

    // The result screen's answer, from the tables as they are now.
    EnquiryAnswer answer() const;

private:
    Refused refused(Refusal refusal) const;

    const TableStore& tables_;
    EnquiryRequest request_;
};

// A table file read at a step of an enquiry.
struct StepRead {
    Step step = Step::Entry;
    TableFile file = TableFile::Futu;
    bool operator==(const StepRead&) const = default;
};

// One step of an enquiry, the same for the screens and mkd-fare: what
// refuses the enquiry at `step`, else each of the step's table files handed
// to `read` (and noted in `log`), which says why a file cannot be used.
std::optional<Refused> takeStep(const EnquiryState& state, Step step,
                                const std::function<std::optional<Refused>(TableFile)>& read,
                                std::vector<StepRead>& log);

struct EnquiryOutcome {
    std::optional<EnquiryAnswer> answer;
    Refused refused;  // when there is no answer
    std::vector<StepRead> read;  // the files its steps read, in order
    bool ok() const { return answer.has_value(); }
};

// Asks whole enquiries against the tables in one TableStore, step by step as
// the screens do. Each table file is read at the step where the screens read
// it, and then kept: a run of many enquiries reads each file once (a
// reserved-seat file again when the season changes).
class Enquirer {
public:
    explicit Enquirer(TableStore& tables) : tables_(tables) {}

    EnquiryOutcome ask(const EnquiryRequest& request);

    // Every load of a short file since the last call, once per load, in
    // the order they were read.
    std::vector<ShortTable> takeShortLoads() { return std::exchange(shortLoads_, {}); }

private:
    // Reads `file` unless its table holds it already; why the enquiry ends
    // when the file cannot be used.
    std::optional<Refused> readUnlessHeld(TableFile file);

    std::vector<ShortTable> shortLoads_;
    TableStore& tables_;
    std::array<std::optional<TableFile>, kTableCount> holds_{};
};

}  // namespace mkd
