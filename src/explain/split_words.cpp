#include "explain/split_words.hpp"

#include "explain/enquiry_words.hpp"
#include "words/money.hpp"

namespace mkd {

namespace {

std::string name(int station, Lang lang) { return stationWords(StationList::All, station, lang); }

// The stations split at, or the sections of the tickets that give something
// up, as one list.
std::string joined(const std::vector<std::string>& items, Msg separator, Lang lang) {
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) out += text(separator, lang);
        out += items[i];
    }
    return out;
}

// The sections of the split tickets of 100 km or less.
std::string shortSections(const SplitAnswer& split, Lang lang) {
    std::vector<std::string> sections;
    for (const SplitTicket& t : split.tickets)
        if (!stopoversAllowed(t.km))
            sections.push_back(text(Msg::SplitSection, lang, {name(t.from, lang), name(t.to, lang)}));
    return joined(sections, Msg::ListSeparator, lang);
}

}  // namespace

std::string daysWords(int days, Lang lang) {
    if (days == 1) return std::string(text(Msg::SplitOneDay, lang));
    return text(Msg::SplitDays, lang, {std::to_string(days)});
}

std::string splitCheaperText(const SplitAnswer& split, Lang lang) {
    if (!split.cheaper()) return {};
    return text(Msg::SplitCheaper, lang,
                {std::to_string(split.tickets.size()), groupedYen(split.saving),
                 splitStationsText(split.splitStations(), lang)});
}

std::string splitStationsText(const std::vector<int>& stations, Lang lang) {
    // One line: two stations by name, more by the first and how many.
    std::vector<std::string> at;
    for (int s : stations) at.push_back(name(s, lang));
    return at.size() <= 2
               ? joined(at, Msg::SplitAtSeparator, lang)
               : text(Msg::SplitAtMore, lang, {at.front(), std::to_string(at.size()), std::to_string(at.size() - 1)});
}

std::string splitNotCheaperText(const SplitAnswer& split, Lang lang) {
    switch (split.problem) {
        case SplitProblem::SameStation:
            return std::string(text(Msg::SameStation, lang));
        case SplitProblem::ThroughUnpriced:
            return text(Msg::SplitUnpriced, lang, {name(split.departure, lang), name(split.arrival, lang)});
        case SplitProblem::None:
            break;
    }
    if (split.cheaper()) return {};
    return text(Msg::SplitNotCheaper, lang, {formatMoney(split.through.amount, lang)});
}

std::string splitThroughText(const SplitAnswer& split, Lang lang) {
    const SplitTicket& t = split.through;
    return text(Msg::SplitThrough, lang,
                {formatMoney(t.amount, lang), numberWords(t.km), daysWords(t.validityDays, lang)});
}

std::vector<std::string> splitTicketLines(const SplitAnswer& split, Lang lang) {
    if (!split.cheaper()) return {};
    std::vector<std::string> lines{text(Msg::SplitTicketsHeading, lang, {std::to_string(split.tickets.size())})};
    for (const SplitTicket& t : split.tickets)
        lines.push_back(text(Msg::SplitTicket, lang,
                             {name(t.from, lang), name(t.to, lang), formatMoney(t.amount, lang), numberWords(t.km),
                              daysWords(t.validityDays, lang)}));
    lines.push_back(text(Msg::SplitTotal, lang, {formatMoney(split.total, lang), formatMoney(split.saving, lang)}));
    return lines;
}

std::vector<std::string> splitGivesUpLines(const SplitAnswer& split, Lang lang) {
    const SplitCosts& c = split.costs;
    if (!split.cheaper() || !c.any()) return {};
    std::vector<std::string> lines{std::string(text(Msg::SplitGivesUp, lang))};
    if (c.validity)
        lines.push_back(
            text(Msg::SplitGivesUpValidity, lang, {daysWords(c.throughDays, lang), daysWords(c.shortestDays, lang)}));
    if (c.stopovers) lines.push_back(text(Msg::SplitGivesUpStopovers, lang, {shortSections(split, lang)}));
    if (c.studentFare) lines.push_back(text(Msg::SplitGivesUpStudent, lang, {shortSections(split, lang)}));
    return lines;
}

}  // namespace mkd
