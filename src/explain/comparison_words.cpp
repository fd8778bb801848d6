#include "explain/comparison_words.hpp"

#include "explain/enquiry_words.hpp"
#include "explain/split_words.hpp"
#include "words/money.hpp"

namespace mkd {

std::string wayName(const WayRow& row, Season season, Lang lang) {
    std::string name(kindName(row.kind, lang));
    if (enquiryShape(row.kind).dated) name += " (" + std::string(seasonName(season, lang)) + ")";
    if (row.routingNamed)
        name += " " + std::string(text(row.routing == Routing::Through ? Msg::Through : Msg::ChangeAtMatsuyama, lang));
    return name;
}

std::string partyText(const Party& party, Lang lang) {
    return text(Msg::PartyOf, lang,
                {std::to_string(party.adults), std::to_string(party.children), std::to_string(party.students)});
}

std::string validityText(int days, Lang lang) {
    if (days == 1) return std::string(text(Msg::ValidForOneDay, lang));
    return text(Msg::ValidFor, lang, {std::to_string(days)});
}

std::string wayRefusalText(const WayRow& row, Lang lang) {
    if (row.refused) return refusalText(*row.refused, lang);
    if (row.partyRefused) return refusalText(*row.partyRefused, lang);
    return {};
}

std::string splitWayName(Lang lang) { return text(Msg::SplitWay, lang, {std::string(kindName(Enquiry::Local, lang))}); }

std::string splitRowNote(const SplitRow& row, Lang lang) {
    if (!row.cheaper()) return {};
    return text(Msg::SplitRowNote, lang,
                {formatMoney(row.partySaving, lang), splitStationsText(row.splitStations, lang)});
}

std::vector<std::string> splitRowLines(const SplitRow& row, const Party& party, Lang lang) {
    std::vector<std::string> lines;
    for (Passenger passenger : kPassengers) {
        if (party.count(passenger) <= 0) continue;
        const SplitAnswer& a = row.answer(passenger);
        lines.push_back(text(Msg::SplitForClass, lang, {std::string(passengerName(passenger, lang))}));
        if (!a.cheaper()) {
            lines.push_back(splitNotCheaperText(a, lang));
            continue;
        }
        lines.push_back(splitThroughText(a, lang));
        for (std::string& line : splitTicketLines(a, lang)) lines.push_back(std::move(line));
        for (std::string& line : splitGivesUpLines(a, lang)) lines.push_back(std::move(line));
    }
    return lines;
}

}  // namespace mkd
