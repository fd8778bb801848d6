#include "pricing/enquiry.hpp"

namespace mkd {

namespace {

// What each kind reads, captions, charges and prices: the functions its row
// names.
std::vector<TableFile> readsNothing(Step, Season) { return {}; }

std::optional<Msg> noCaption(std::optional<Season>) { return std::nullopt; }

template <Msg caption>
std::optional<Msg> fixedCaption(std::optional<Season>) {
    return caption;
}

template <Msg (*captionOfSeason)(Season)>
std::optional<Msg> seasonCaption(std::optional<Season> season) {
    return season ? std::optional(captionOfSeason(*season)) : std::nullopt;
}

std::vector<Table> noCharge(Passenger) { return {}; }

std::vector<TableFile> nonReservedReads(Step step, Season) {
    if (step == Step::LeaveSection) return {TableFile::Jiyu, TableFile::KJiyu};
    return {};
}
std::vector<Table> nonReservedCharge(Passenger passenger) { return {nonReservedTable(passenger)}; }
ChargedPrice nonReservedPrice(const TableStore& tables, const EnquiryRequest& r, const Journey& journey) {
    return priceNonReserved(tables, r.passenger, r.trip, r.routing, journey);
}

std::vector<TableFile> reservedReads(Step step, Season season) {
    if (step == Step::TravelDate) return {adultReservedSeatFile(season), childReservedSeatFile(season)};
    return {};
}
std::vector<Table> reservedCharge(Passenger passenger) { return {reservedTable(passenger)}; }
ChargedPrice reservedPrice(const TableStore& tables, const EnquiryRequest& r, const Journey& journey) {
    return priceReserved(tables, r.passenger, r.trip, r.routing, journey);
}

std::vector<TableFile> greenReads(Step step, Season) {
    if (step == Step::LeaveSection) return {TableFile::Green, TableFile::GToku, TableFile::KGtoku};
    return {};
}
std::vector<Table> greenCharge(Passenger passenger) { return {Table::Green, greenExpressTable(passenger)}; }
ChargedPrice greenPrice(const TableStore& tables, const EnquiryRequest& r, const Journey& journey) {
    return priceGreen(tables, r.passenger, r.trip, r.routing, journey);
}

ChargedPrice marineReservedPrice(const TableStore& tables, const EnquiryRequest& r, const Journey& journey) {
    return priceMarineReserved(tables, r.passenger, r.trip, r.season.value_or(Season::Normal), journey);
}

std::vector<TableFile> marineGreenReads(Step step, Season) {
    if (step == Step::SectionScreen) return {TableFile::MarineG};
    return {};
}
std::vector<Table> marineGreenCharge(Passenger) { return {Table::MarineG}; }
ChargedPrice marineGreenPrice(const TableStore& tables, const EnquiryRequest& r, const Journey& journey) {
    return priceMarineGreen(tables, r.passenger, r.trip, journey);
}

// One row per kind, in the order of Enquiry: everything the core knows of
// it. A new kind of enquiry is a new row here, with its words.
constexpr EnquiryShape kShapes[] = {
    {.entry = Entry::LocalButton,
     .student = true,
     .charged = false,
     .name = Msg::KindLocal,
     .word = Msg::KindWordLocal,
     .id = "local",
     .caption = noCaption,
     .reads = readsNothing,
     .chargeTables = noCharge,
     .price = nullptr},
    {.entry = Entry::ExpressButton,
     .student = true,
     .routing = true,
     .section = StationList::Express,
     .name = Msg::KindNonReserved,
     .word = Msg::KindWordNonReserved,
     .id = "non-reserved",
     .caption = fixedCaption<Msg::CaptionNonReserved>,
     .reads = nonReservedReads,
     .chargeTables = nonReservedCharge,
     .price = nonReservedPrice},
    {.entry = Entry::ExpressButton,
     .student = true,
     .routing = true,
     .dated = true,
     .section = StationList::Express,
     .name = Msg::KindReserved,
     .word = Msg::KindWordReserved,
     .id = "reserved",
     .caption = seasonCaption<reservedCaption>,
     .reads = reservedReads,
     .chargeTables = reservedCharge,
     .price = reservedPrice},
    {.entry = Entry::ExpressButton,
     .student = true,
     .routing = true,
     .section = StationList::Express,
     .name = Msg::KindGreen,
     .word = Msg::KindWordGreen,
     .id = "green",
     .caption = fixedCaption<Msg::CaptionGreen>,
     .reads = greenReads,
     .chargeTables = greenCharge,
     .price = greenPrice},
    {.entry = Entry::MarineMenu,
     .dated = true,
     .marineSeat = true,
     .name = Msg::KindMarineReserved,
     .word = Msg::KindWordMarineReserved,
     .id = "marine-reserved",
     .caption = seasonCaption<marineReservedCaption>,
     .reads = readsNothing,
     .chargeTables = noCharge,
     .price = marineReservedPrice},
    {.entry = Entry::MarineMenu,
     .section = StationList::Marine,
     .name = Msg::KindMarineGreen,
     .word = Msg::KindWordMarineGreen,
     .id = "marine-green",
     .caption = fixedCaption<Msg::CaptionMarineGreen>,
     .reads = marineGreenReads,
     .chargeTables = marineGreenCharge,
     .price = marineGreenPrice},
};

}  // namespace

static_assert(std::size(kShapes) == kEnquiries.size());

const EnquiryShape& enquiryShape(Enquiry kind) { return kShapes[static_cast<std::size_t>(kind)]; }

const std::vector<TableFile>& startupTables() {
    static const std::vector<TableFile> files{TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari,
                                              TableFile::Kyori};
    return files;
}

std::vector<TableFile> tablesRead(Enquiry kind, Step step, Season season) {
    return enquiryShape(kind).reads(step, season);
}

std::vector<Table> chargeTables(Enquiry kind, Passenger passenger) {
    return enquiryShape(kind).chargeTables(passenger);
}

std::vector<ShortTable> shortChargeTables(const TableStore& tables, Enquiry kind, Passenger passenger) {
    std::vector<ShortTable> out;
    for (Table t : chargeTables(kind, passenger))
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
            if (!s.section && request_.section) return refused(Refusal::NoSectionScreen);
            break;
        case Step::Preset:
            if (const std::optional<SectionPreset> p = preset(); p && p->adviseLocalTrain) {
                Refused r = refused(Refusal::LocalTrainAdvised);
                r.preset = p;
                return r;
            }
            break;
        case Step::LeaveSection:
            if (s.section && sameSectionStop(section())) {
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

    const Journey journey{r.departure, r.arrival, section()};
    const ChargedPrice p = shape().price(tables_, r, journey);
    a.charged = true;
    a.bill = p.bill;
    a.fare = p.fare;
    a.caption = caption();
    a.sectionList = shape().section;
    if (a.sectionList) a.section = journey.section;
    a.charge = p.charge;
    a.total = p.total;
    a.shortTables = shortChargeTables(tables_, r.kind, r.passenger);
    if (change().offered) a.routing = r.routing;
    if (shape().dated) a.season = r.season;
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

EnquiryOutcome Enquirer::ask(const EnquiryRequest& request) {
    EnquiryOutcome out;
    const auto refuse = [&out](const Refused& why) {
        out.refused = why;
        return out;
    };
    for (TableFile file : startupTables())
        if (auto problem = readUnlessHeld(file)) return refuse(*problem);

    const EnquiryState state(tables_, request);
    for (Step step : kSteps) {
        if (auto refusal = state.check(step)) return refuse(*refusal);
        for (TableFile file : state.tables(step))
            if (auto problem = readUnlessHeld(file)) return refuse(*problem);
    }
    out.answer = state.answer();
    return out;
}

}  // namespace mkd
