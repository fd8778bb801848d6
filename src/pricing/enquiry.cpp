#include "pricing/enquiry.hpp"

#include <algorithm>

namespace mkd {

namespace {

// The captions a row names.
std::optional<Msg> noCaption(std::optional<Season>) { return std::nullopt; }

template <Msg caption>
std::optional<Msg> fixedCaption(std::optional<Season>) {
    return caption;
}

template <Msg (*captionOfSeason)(Season)>
std::optional<Msg> seasonCaption(std::optional<Season> season) {
    return season ? std::optional(captionOfSeason(*season)) : std::nullopt;
}

// One row per kind, in the order of Enquiry: everything the core knows of
// it. A new kind of enquiry is a new row here, with its words.
constexpr EnquiryShape kShapes[] = {
    {.kind = Enquiry::Local,
     .entry = Entry::Button,
     .student = true,
     .charged = false,
     .name = Msg::KindLocal,
     .word = Msg::KindWordLocal,
     .id = "local",
     .caption = noCaption},
    {.kind = Enquiry::NonReserved,
     .entry = Entry::Button,
     .student = true,
     .routing = true,
     .section = StationList::Express,
     .sectionScreen = true,
     .name = Msg::KindNonReserved,
     .word = Msg::KindWordNonReserved,
     .id = "non-reserved",
     .caption = fixedCaption<Msg::CaptionNonReserved>,
     .adultCharge = {Table::Jiyu},
     .childCharge = {Table::KJiyu},
     .readAt = Step::LeaveSection},
    {.kind = Enquiry::Reserved,
     .entry = Entry::Button,
     .student = true,
     .routing = true,
     .dated = true,
     .section = StationList::Express,
     .sectionScreen = true,
     .name = Msg::KindReserved,
     .word = Msg::KindWordReserved,
     .id = "reserved",
     .caption = seasonCaption<reservedCaption>,
     .adultCharge = {Table::Sitei},
     .childCharge = {Table::KSitei},
     .readAt = Step::TravelDate},
    {.kind = Enquiry::Green,
     .entry = Entry::Button,
     .student = true,
     .routing = true,
     .section = StationList::Express,
     .sectionScreen = true,
     .name = Msg::KindGreen,
     .word = Msg::KindWordGreen,
     .id = "green",
     .caption = fixedCaption<Msg::CaptionGreen>,
     .adultCharge = {Table::Green, Table::GToku},
     .childCharge = {Table::Green, Table::KGtoku},
     .readAt = Step::LeaveSection},
    {.kind = Enquiry::MarineReserved,
     .entry = Entry::MarineMenu,
     .dated = true,
     .marineSeat = true,
     .name = Msg::KindMarineReserved,
     .word = Msg::KindWordMarineReserved,
     .id = "marine-reserved",
     .caption = seasonCaption<marineReservedCaption>,
     .fixedCharge = marineReservedCharge},
    {.kind = Enquiry::MarineGreen,
     .entry = Entry::MarineMenu,
     .section = StationList::Marine,
     .sectionScreen = true,
     .name = Msg::KindMarineGreen,
     .word = Msg::KindWordMarineGreen,
     .id = "marine-green",
     .caption = fixedCaption<Msg::CaptionMarineGreen>,
     .adultCharge = {Table::MarineG},
     .childCharge = {Table::MarineG},
     .readAt = Step::SectionScreen},
};

// Row i is the row of the i-th kind, and every row is whole: a row left out,
// out of order or without its charge stops the build here.
constexpr bool rowsWhole() {
    if (std::size(kShapes) != kEnquiries.size()) return false;
    for (std::size_t i = 0; i < kEnquiries.size(); ++i) {
        const EnquiryShape& s = kShapes[i];
        if (s.kind != kEnquiries[i] || !s.caption) return false;
        const bool tables = s.adultCharge[0] && s.childCharge[0];
        // A charged kind has tables or a fixed charge (not both); the local
        // train neither.
        if (s.charged ? tables == (s.fixedCharge != nullptr) : tables || s.fixedCharge) return false;
        if (s.sectionScreen && !s.section) return false;
        // A charge over tables runs over a section.
        if (tables && !s.section) return false;
    }
    return true;
}
// The sanitizers make a function's address no constant, so only the normal
// build checks the rows here (the test command builds it first).
#ifndef MKD_SANITIZED
static_assert(rowsWhole(), "one whole row per kind of enquiry, in the order of mkd::Enquiry");
#endif

// The file that fills `table` for an enquiry in `season`.
TableFile fileOf(Table table, Season season) {
    if (table == Table::Sitei) return adultReservedSeatFile(season);
    if (table == Table::KSitei) return childReservedSeatFile(season);
    for (const TableFileInfo& info : tableFiles())
        if (info.table == table) return info.file;
    return TableFile::Futu;
}

// The tables of `charge`, in order.
std::vector<Table> tablesOf(const std::array<std::optional<Table>, 2>& charge) {
    std::vector<Table> out;
    for (const std::optional<Table>& t : charge)
        if (t) out.push_back(*t);
    return out;
}

}  // namespace

const EnquiryShape& enquiryShape(Enquiry kind) { return kShapes[static_cast<std::size_t>(kind)]; }

const std::vector<TableFile>& startupTables() {
    static const std::vector<TableFile> files{TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari,
                                              TableFile::Kyori};
    return files;
}

std::vector<TableFile> tablesRead(Enquiry kind, Step step, Season season) {
    const EnquiryShape& s = enquiryShape(kind);
    std::vector<TableFile> files;
    if (step != s.readAt) return files;
    for (const auto* charge : {&s.adultCharge, &s.childCharge})
        for (Table t : tablesOf(*charge))
            if (const TableFile f = fileOf(t, season); std::find(files.begin(), files.end(), f) == files.end())
                files.push_back(f);
    return files;
}

std::vector<Table> chargeTables(Enquiry kind, Passenger passenger) {
    const EnquiryShape& s = enquiryShape(kind);
    return tablesOf(passenger == Passenger::Child ? s.childCharge : s.adultCharge);
}

ChargedPrice priceCharged(const TableStore& tables, const EnquiryRequest& r, const Section& section) {
    const EnquiryShape& s = enquiryShape(r.kind);
    const Season season = r.season.value_or(Season::Normal);
    const std::vector<Table> charged = chargeTables(r.kind, r.passenger);
    double charge = s.fixedCharge ? s.fixedCharge(r.passenger, season) : 0;
    const Routing routing = s.routing ? r.routing : Routing::Through;
    for (Table t : charged) charge += sectionCharge(tables, t, routing, section);
    ChargedPrice p = priceFarePlusCharge(tables, r.passenger, r.trip, {r.departure, r.arrival, section}, charge);
    if (s.section) p.section = section;
    p.tables = charged;
    if (s.dated) p.season = season;
    return p;
}

std::vector<ShortTable> shortChargeTables(const TableStore& tables, const std::vector<Table>& charged) {
    std::vector<ShortTable> out;
    for (Table t : charged)
        if (auto s = tables.shortLoad(t)) out.push_back(*s);
    return out;
}

std::optional<SectionPreset> EnquiryState::preset() const {
    const std::optional<StationList> list = shape().section;
    if (!list) return std::nullopt;
    return *list == StationList::Marine ? presetMarineSection(request_.departure, request_.arrival)
                                        : presetExpressSection(request_.departure, request_.arrival);
}

Section EnquiryState::section() const {
    if (request_.section) return *request_.section;
    const std::optional<SectionPreset> p = preset();
    return p ? p->section : Section{};
}

MarineMenuJudgement EnquiryState::marineMenu() const {
    MarineMenuJudgement judged = judgeMarineMenuFor(request_.departure, request_.arrival);
    if (request_.marineMenu) judged.menu = *request_.marineMenu;
    return judged;
}

StudentOffer EnquiryState::student() const {
    StudentOffer s;
    s.onScreen = shape().student;
    s.distance = tables_.value(Table::Kyori, request_.departure, request_.arrival);
    s.offered = s.onScreen && studentFareOffered(s.distance);
    return s;
}

ChangeOffer EnquiryState::change() const {
    ChangeOffer c;
    c.onScreen = shape().routing;
    c.section = section();
    c.offered = c.onScreen && crossesMatsuyama(c.section.from, c.section.to);
    return c;
}

Refused EnquiryState::refused(Refusal refusal) const {
    Refused r;
    r.refusal = refusal;
    r.departure = request_.departure;
    r.arrival = request_.arrival;
    r.list = shape().section;
    return r;
}

std::optional<Refused> EnquiryState::check(Step step) const {
    const EnquiryShape& s = shape();
    switch (step) {
        case Step::Entry:
            if (s.entry == Entry::MarineMenu) {
                const MarineMenuJudgement menu = marineMenu();
                const bool seatMissing = s.marineSeat && !menu.menu.sitei;
                if (!menu.menu.marine || seatMissing) {
                    Refused r = refused(menu.menu.marine ? Refusal::MarineSeatNotOffered : Refusal::MarineNotOffered);
                    r.marine = menu;
                    return r;
                }
            } else if (sameStation(request_.departure, request_.arrival)) {
                return refused(Refusal::SameStation);
            }
            break;
        case Step::SectionScreen:
            if (!s.sectionScreen && request_.section) return refused(Refusal::NoSectionScreen);
            break;
        case Step::Preset:
            if (const std::optional<SectionPreset> p = preset(); p && p->adviseLocalTrain) {
                Refused r = refused(Refusal::LocalTrainAdvised);
                r.preset = p;
                return r;
            }
            break;
        case Step::LeaveSection:
            if (s.sectionScreen && sameSectionStop(section())) {
                Refused r = refused(Refusal::SameSectionStop);
                r.section = section();
                return r;
            }
            break;
        case Step::TravelDate:
            break;
        case Step::Choice:
            if (request_.passenger == Passenger::Student) {
                if (const StudentOffer offer = student(); !offer.offered) {
                    Refused r = refused(Refusal::StudentNotOffered);
                    r.student = offer;
                    return r;
                }
            }
            if (request_.routing == Routing::ChangeAtMatsuyama) {
                if (const ChangeOffer offer = change(); !offer.offered) {
                    Refused r = refused(Refusal::ChangeNotOffered);
                    r.change = offer;
                    return r;
                }
            }
            break;
    }
    return std::nullopt;
}

std::optional<Msg> EnquiryState::caption() const { return shape().caption(request_.season); }

EnquiryAnswer EnquiryState::answer() const {
    const EnquiryRequest& r = request_;
    EnquiryAnswer a;
    a.departure = r.departure;
    a.arrival = r.arrival;
    a.distance = student().distance;
    if (!shape().charged) {
        const OrdinaryPrice p = priceOrdinary(tables_, r.passenger, r.trip, r.departure, r.arrival);
        a.bill = p.description;
        a.fare = p.amount;
        a.total = p.amount;
        return a;
    }

    // What the price charged: its section, its tables, its season.
    const ChargedPrice p = priceCharged(tables_, r, section());
    a.charged = true;
    a.bill = p.bill;
    a.fare = p.fare;
    a.caption = caption();
    if (p.section) {
        a.sectionList = shape().section;
        a.section = *p.section;
    }
    a.charge = p.charge;
    a.total = p.total;
    a.shortTables = shortChargeTables(tables_, p.tables);
    if (change().offered) a.routing = r.routing;
    if (p.season) a.season = r.season;
    return a;
}

std::optional<Refused> Enquirer::readUnlessHeld(TableFile file) {
    const TableFileInfo& info = tableFileInfo(file);
    auto& held = holds_[static_cast<std::size_t>(info.table)];
    if (held == file) return std::nullopt;
    held.reset();
    const LoadResult result = tables_.load(file);
    if (!result.ok()) {
        Refused r;
        r.refusal = Refusal::TableUnreadable;
        r.file = file;
        r.path = tables_.lastPath();
        r.load = result;
        return r;
    }
    held = file;
    if (auto s = tables_.shortLoad(info.table)) shortLoads_.push_back(*s);
    return std::nullopt;
}

std::optional<Refused> takeStep(const EnquiryState& state, Step step,
                                const std::function<std::optional<Refused>(TableFile)>& read,
                                std::vector<StepRead>& log) {
    if (auto refusal = state.check(step)) return refusal;
    for (TableFile file : state.tables(step)) {
        log.push_back({step, file});
        if (auto problem = read(file)) return problem;
    }
    return std::nullopt;
}

EnquiryOutcome Enquirer::ask(const EnquiryRequest& request) {
    EnquiryOutcome out;
    const auto refuse = [&out](const Refused& why) {
        out.refused = why;
        return out;
    };
    for (TableFile file : startupTables())
        if (auto problem = readUnlessHeld(file)) return refuse(*problem);

    const EnquiryState state(tables_, request);
    const auto read = [this](TableFile file) { return readUnlessHeld(file); };
    for (Step step : kSteps)
        if (auto refusal = takeStep(state, step, read, out.read)) return refuse(*refusal);
    out.answer = state.answer();
    return out;
}

}  // namespace mkd
