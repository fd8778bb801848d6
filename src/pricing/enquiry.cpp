#include "pricing/enquiry.hpp"

#include "pricing/journey_rules.hpp"

namespace mkd {

namespace {

// The words for the refusals that the screens make by leaving a control off,
// where they have none of their own.
constexpr std::string_view kStudentBeyond100 = "学割は 100 km を超える区間でだけ選べます。";
constexpr std::string_view kNoStudentFare = "この料金には学割がありません。";
constexpr std::string_view kChangeHidden = "松山乗換は、岡山・児島と松山より先の駅を結ぶ特急区間でだけ選べます。";
constexpr std::string_view kNoChange = "松山乗換は特急の自由席・指定席・グリーン車でだけ選べます。";
constexpr std::string_view kMarineOff = "この区間ではマリンライナーを選べません。";
constexpr std::string_view kMarineSeatOff = "この区間ではマリンライナーの指定席を選べません。";
constexpr std::string_view kNoSectionScreen = "この問い合わせには区間を選ぶ画面がありません。";

EnquiryOutcome refuse(Refusal why, std::string_view message) {
    EnquiryOutcome out;
    out.refusal = why;
    out.message = std::string(message);
    return out;
}

EnquiryOutcome unreadable(std::string problem) {
    EnquiryOutcome out;
    out.refusal = Refusal::TableUnreadable;
    out.message = std::move(problem);
    return out;
}

bool isMarine(Enquiry kind) { return kind == Enquiry::MarineReserved || kind == Enquiry::MarineGreen; }

}  // namespace

EnquiryShape enquiryShape(Enquiry kind) {
    switch (kind) {
    case Enquiry::Local: return {true, false, false, std::nullopt};
    case Enquiry::NonReserved:
    case Enquiry::Green: return {true, true, false, StationList::Express};
    case Enquiry::Reserved: return {true, true, true, StationList::Express};
    case Enquiry::MarineReserved: return {false, false, true, std::nullopt};
    case Enquiry::MarineGreen: return {false, false, false, StationList::Marine};
    }
    return {};
}

const std::vector<TableFile>& startupTables() {
    static const std::vector<TableFile> files{TableFile::Futu, TableFile::Kodomo, TableFile::Gakuwari,
                                              TableFile::Kyori};
    return files;
}

std::vector<TableFile> branchTables(Enquiry kind, Season season) {
    switch (kind) {
    case Enquiry::NonReserved: return {TableFile::Jiyu, TableFile::KJiyu};
    case Enquiry::Reserved: return {adultReservedSeatFile(season), childReservedSeatFile(season)};
    case Enquiry::Green: return {TableFile::Green, TableFile::GToku, TableFile::KGtoku};
    case Enquiry::MarineGreen: return {TableFile::MarineG};
    case Enquiry::Local:
    case Enquiry::MarineReserved: break;
    }
    return {};
}

std::vector<Table> chargeTables(Enquiry kind, Passenger passenger) {
    switch (kind) {
    case Enquiry::NonReserved: return {nonReservedTable(passenger)};
    case Enquiry::Reserved: return {reservedTable(passenger)};
    case Enquiry::Green: return {Table::Green, greenExpressTable(passenger)};
    case Enquiry::MarineGreen: return {Table::MarineG};
    case Enquiry::Local:
    case Enquiry::MarineReserved: break;
    }
    return {};
}

std::vector<ShortTable> shortChargeTables(const mdlKeisan& tables, Enquiry kind, Passenger passenger) {
    std::vector<ShortTable> out;
    for (Table t : chargeTables(kind, passenger))
        if (auto s = tables.shortLoad(t)) out.push_back(*s);
    return out;
}

std::string_view chargeCaption(Enquiry kind, Season season) {
    switch (kind) {
    case Enquiry::Local: break;
    case Enquiry::NonReserved: return kNonReservedCaption;
    case Enquiry::Reserved: return reservedCaption(season);
    case Enquiry::Green: return kGreenCaption;
    case Enquiry::MarineReserved: return marineReservedCaption(season);
    case Enquiry::MarineGreen: return kMarineGreenCaption;
    }
    return {};
}

std::optional<SectionPreset> Enquirer::preset(Enquiry kind, int departure, int arrival) {
    const EnquiryShape shape = enquiryShape(kind);
    if (!shape.section) return std::nullopt;
    return *shape.section == StationList::Marine ? presetMarineSection(departure, arrival)
                                                 : presetExpressSection(departure, arrival);
}

bool Enquirer::need(TableFile file, std::string& problem) {
    const TableFileInfo& info = tableFileInfo(file);
    auto& held = holds_[static_cast<std::size_t>(info.table)];
    if (held == file) return true;
    held.reset();
    const LoadResult result = tables_.load(file);
    if (!result.ok()) {
        problem = describeLoadError(result, tables_.lastPath(), info.size);
        return false;
    }
    held = file;
    if (auto s = tables_.shortLoad(info.table)) shortLoads_.push_back(*s);
    return true;
}

EnquiryOutcome Enquirer::ask(const EnquiryRequest& r) {
    std::string problem;
    for (TableFile file : startupTables())
        if (!need(file, problem)) return unreadable(problem);

    const EnquiryShape shape = enquiryShape(r.kind);

    // The way into the enquiry: a start-screen button, or the Marine menu.
    if (isMarine(r.kind)) {
        const MarineMenu menu = marineMenuFor(r.departure, r.arrival);
        if (!menu.marine) return refuse(Refusal::MarineNotOffered, kMarineOff);
        if (r.kind == Enquiry::MarineReserved && !menu.sitei)
            return refuse(Refusal::MarineSeatNotOffered, kMarineSeatOff);
    } else if (sameStation(r.departure, r.arrival)) {
        return refuse(Refusal::SameStation, kSameStationMessage);
    }

    // The section screen: the Marine one reads its table as it opens, then
    // both preset their lists and may advise the local train.
    Section section;
    if (!shape.section) {
        if (r.section) return refuse(Refusal::NoSectionScreen, kNoSectionScreen);
    } else {
        if (r.kind == Enquiry::MarineGreen)
            for (TableFile file : branchTables(r.kind))
                if (!need(file, problem)) return unreadable(problem);
        const SectionPreset p = *preset(r.kind, r.departure, r.arrival);
        if (p.adviseLocalTrain) return refuse(Refusal::LocalTrainAdvised, kLocalTrainAdvice);
        section = r.section.value_or(p.section);
    }

    // The button that leaves the section screen (the travel date's "次へ" for
    // a reserved seat) reads the branch's tables.
    if (r.kind != Enquiry::MarineGreen)
        for (TableFile file : branchTables(r.kind, r.season))
            if (!need(file, problem)) return unreadable(problem);

    // The choice screen.
    if (r.passenger == Passenger::Student) {
        if (!shape.student) return refuse(Refusal::StudentNotOffered, kNoStudentFare);
        if (!studentFareOffered(tables_.value(Table::Kyori, r.departure, r.arrival)))
            return refuse(Refusal::StudentNotOffered, kStudentBeyond100);
    }
    if (r.routing == Routing::ChangeAtMatsuyama) {
        if (!shape.routing) return refuse(Refusal::ChangeNotOffered, kNoChange);
        if (!crossesMatsuyama(section.from, section.to)) return refuse(Refusal::ChangeNotOffered, kChangeHidden);
    }

    // The result screen.
    EnquiryAnswer a;
    a.departure = displayName(StationList::All, r.departure);
    a.arrival = displayName(StationList::All, r.arrival);
    if (r.kind == Enquiry::Local) {
        const OrdinaryPrice p = priceOrdinary(tables_, r.passenger, r.trip, r.departure, r.arrival);
        a.bill = p.description;
        a.fare = p.amount;
        a.total = p.amount;
        EnquiryOutcome out;
        out.answer = a;
        return out;
    }

    const Journey journey{r.departure, r.arrival, section};
    ChargedPrice p;
    switch (r.kind) {
    case Enquiry::NonReserved: p = priceNonReserved(tables_, r.passenger, r.trip, r.routing, journey); break;
    case Enquiry::Reserved: p = priceReserved(tables_, r.passenger, r.trip, r.routing, journey); break;
    case Enquiry::Green: p = priceGreen(tables_, r.passenger, r.trip, r.routing, journey); break;
    case Enquiry::MarineReserved: p = priceMarineReserved(tables_, r.passenger, r.trip, r.season, journey); break;
    case Enquiry::MarineGreen: p = priceMarineGreen(tables_, r.passenger, r.trip, journey); break;
    case Enquiry::Local: break;
    }
    a.charged = true;
    a.bill = p.bill;
    a.fare = p.fare;
    a.chargeCaption = chargeCaption(r.kind, r.season);
    if (shape.section) {
        a.sectionList = shape.section;
        a.section = section;
        a.sectionFrom = displayName(*shape.section, section.from);
        a.sectionTo = displayName(*shape.section, section.to);
    }
    a.charge = p.charge;
    a.total = p.total;
    a.shortTables = shortChargeTables(tables_, r.kind, r.passenger);
    EnquiryOutcome out;
    out.answer = a;
    return out;
}

}  // namespace mkd
