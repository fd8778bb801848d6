#include "explain/comparison_words.hpp"

#include "explain/enquiry_words.hpp"

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

}  // namespace mkd
