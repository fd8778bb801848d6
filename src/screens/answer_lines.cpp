#include "screens/answer_lines.hpp"

#include <QStringList>

#include "explain/enquiry_words.hpp"
#include "explain/split_words.hpp"
#include "screens/text.hpp"
#include "words/money.hpp"

ShownAnswer shownAnswer(const mkd::TableStore& tables, const mkd::EnquiryRequest& request) {
    ShownAnswer shown{mkd::EnquiryState(tables, request).answer(), std::nullopt, std::nullopt};
    if (!shown.answer.charged)
        shown.split = mkd::cheapestSplit(tables, request.passenger, request.trip, request.departure, request.arrival);
    return shown;
}

std::optional<ShownAnswer> shownAnswerOf(const mkd::EnquiryInProgress& enquiry) {
    if (!enquiry.answer) return std::nullopt;
    return ShownAnswer{*enquiry.answer, enquiry.date, enquiry.split};
}

QString splitLine(const ShownAnswer& shown, mkd::Lang lang) {
    return shown.split ? toQt(mkd::splitCheaperText(*shown.split, lang)) : QString();
}

QString splitToolTip(const ShownAnswer& shown, mkd::Lang lang) {
    if (!shown.split || !shown.split->cheaper()) return {};
    QStringList lines{toQt(mkd::splitThroughText(*shown.split, lang))};
    for (const std::string& line : mkd::splitTicketLines(*shown.split, lang)) lines << toQt(line);
    for (const std::string& line : mkd::splitGivesUpLines(*shown.split, lang)) lines << toQt(line);
    return lines.join(QLatin1Char('\n'));
}

QString detailLine(const ShownAnswer& shown, mkd::Lang lang) {
    const mkd::EnquiryAnswer& a = shown.answer;
    QStringList parts{toQt(mkd::text(mkd::Msg::Distance, lang, {mkd::numberWords(a.distance)}))};
    if (a.routing)
        parts << toQt(
            mkd::text(*a.routing == mkd::Routing::Through ? mkd::Msg::Through : mkd::Msg::ChangeAtMatsuyama, lang));
    if (shown.date && a.season) parts << toQt(mkd::dateAndSeasonText(*shown.date, lang));
    // Japanese parts are set apart as the captions are, English ones as
    // English text is.
    return parts.join(lang == mkd::Lang::English ? QStringLiteral(" · ") : QStringLiteral("　"));
}

QString shortTablesLines(const std::vector<mkd::ShortTable>& tables, mkd::Lang lang) {
    QStringList lines;
    for (const mkd::ShortTable& t : tables) lines << toQt(mkd::shortTableText(t, lang));
    return lines.join(QLatin1Char('\n'));
}
