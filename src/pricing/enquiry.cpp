#include "pricing/enquiry.hpp"

namespace mkd {

namespace {

// One row per kind, in the order of Enquiry: how the start screen leads into
// it and what its screens offer. A new kind of enquiry is a new row here, its
// price below and its words.
const EnquiryShape kShapes[] = {
    // entry, student, routing, dated, section list, charged, name, word, id
    {Entry::LocalButton, true, false, false, std::nullopt, false, Msg::KindLocal, Msg::KindWordLocal, "local"},
    {Entry::ExpressButton, true, true, false, StationList::Express, true, Msg::KindNonReserved,
     Msg::KindWordNonReserved, "non-reserved"},
    {Entry::ExpressButton, true, true, true, StationList::Express, true, Msg::KindReserved, Msg::KindWordReserved,
     "reserved"},
    {Entry::ExpressButton, true, true, false, StationList::Express, true, Msg::KindGreen, Msg::KindWordGreen, "green"},
    {Entry::MarineMenu, false, false, true, std::nullopt, true, Msg::KindMarineReserved, Msg::KindWordMarineReserved,
     "marine-reserved"},
    {Entry::MarineMenu, false, false, false, StationList::Marine, true, Msg::KindMarineGreen, Msg::KindWordMarineGreen,
     "marine-green"},
};

std::optional<Msg> captionOf(Enquiry kind, std::optional<Season> season) {
    switch (kind) {
        case Enquiry::Local:
            break;
        case Enquiry::NonReserved:
            return Msg::CaptionNonReserved;
        case Enquiry::Reserved:
            return season ? std::optional(reservedCaption(*season)) : std::nullopt;
        case Enquiry::Green:
            return Msg::CaptionGreen;
        case Enquiry::MarineReserved:
            return season ? std::optional(marineReservedCaption(*season)) : std::nullopt;
        case Enquiry::MarineGreen:
            return Msg::CaptionMarineGreen;
    }
    return std::nullopt;
}

}  // namespace

static_assert(std::size(kShapes) == kEnquiries.size());

const EnquiryShape& enquiryShape(Enquiry kind) { return kShapes[static_cast<std::size_t>(kind)]; }

const std::vector<TableFile>& startupTables() {
    static const std::vector<TableFile> files{TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari,
                                              TableFile::Kyori};
    return files;
}

std::vector<TableFile> tablesRead(Enquiry kind, Step step, Season season) {
    switch (step) {
        case Step::SectionScreen:
            if (kind == Enquiry::MarineGreen) return {TableFile::MarineG};
            break;
        case Step::SectionLeft:
            if (kind == Enquiry::NonReserved) return {TableFile::Jiyu, TableFile::KJiyu};
            if (kind == Enquiry::Green) return {TableFile::Green, TableFile::GToku, TableFile::KGtoku};
            break;
        case Step::TravelDate:
            if (kind == Enquiry::Reserved) return {adultReservedSeatFile(season), childReservedSeatFile(season)};
            break;
        case Step::Entry:
        case Step::Preset:
        case Step::Choice:
            break;
    }
    return {};
}

std::vector<Table> chargeTables(Enquiry kind, Passenger passenger) {
    switch (kind) {
        case Enquiry::NonReserved:
            return {nonReservedTable(passenger)};
        case Enquiry::Reserved:
            return {reservedTable(passenger)};
        case Enquiry::Green:
            return {Table::Green, greenExpressTable(passenger)};
        case Enquiry::MarineGreen:
            return {Table::MarineG};
        case Enquiry::Local:
        case Enquiry::MarineReserved:
            break;
    }
    return {};
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
                const bool seatMissing = request_.kind == Enquiry::MarineReserved && !menu.menu.sitei;
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
        case Step::SectionLeft:
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

std::optional<Msg> EnquiryState::caption() const { return captionOf(request_.kind, request_.season); }

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
    ChargedPrice p;
    switch (r.kind) {
        case Enquiry::NonReserved:
            p = priceNonReserved(tables_, r.passenger, r.trip, r.routing, journey);
            break;
        case Enquiry::Reserved:
            p = priceReserved(tables_, r.passenger, r.trip, r.routing, journey);
            break;
        case Enquiry::Green:
            p = priceGreen(tables_, r.passenger, r.trip, r.routing, journey);
            break;
        case Enquiry::MarineReserved:
            p = priceMarineReserved(tables_, r.passenger, r.trip, r.season.value_or(Season::Normal), journey);
            break;
        case Enquiry::MarineGreen:
            p = priceMarineGreen(tables_, r.passenger, r.trip, journey);
            break;
        case Enquiry::Local:
            break;
    }
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

std::optional<Refused> Enquirer::need(TableFile file) {
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
        if (auto problem = need(file)) return refuse(*problem);

    const EnquiryState state(tables_, request);
    for (Step step : kSteps) {
        if (auto refusal = state.check(step)) return refuse(*refusal);
        for (TableFile file : state.tables(step))
            if (auto problem = need(file)) return refuse(*problem);
    }
    out.answer = state.answer();
    return out;
}

}  // namespace mkd
