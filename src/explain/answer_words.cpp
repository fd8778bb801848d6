#include "explain/answer_words.hpp"

#include <cmath>
#include <cstdint>

#include "explain/enquiry_words.hpp"
#include "explain/split_words.hpp"
#include "words/money.hpp"

namespace mkd {

namespace {

std::string journeyWords(StationList list, int from, int to, Lang lang) {
    return stationWords(list, from, lang) + " ⇒ " + stationWords(list, to, lang);
}

void addRow(std::string& html, const std::vector<std::string>& cells, const char* tag) {
    html += "<tr>";
    for (const std::string& c : cells) html += std::string("<") + tag + ">" + htmlEscape(c) + "</" + tag + ">";
    html += "</tr>\n";
}

}  // namespace

std::string pricedWith(const JourneyRow& j, const TablesInUse& tablesNow, Lang lang) {
    if (j.tables == tablesNow.fingerprint) return tablesNow.edition;
    std::string words(text(Msg::JourneyOtherTables, lang));
    if (!j.tables.empty()) words += " (" + shortFingerprint(j.tables) + ")";
    return words;
}

AnswerPage answerPage(const EnquiryInProgress& enquiry, std::string_view edition, Lang lang) {
    AnswerPage page;
    if (!enquiry.answer) return page;
    const EnquiryAnswer& a = *enquiry.answer;
    const std::string pair = journeyWords(StationList::All, a.departure, a.arrival, lang);
    // "検索結果 普通列車"; in English the kind first, as a heading: "Local
    // train — Result".
    const std::string kind(kindName(enquiry.request.kind, lang));
    page.title = std::string(text(Msg::Result, lang)) + " " + kind;
    if (lang == Lang::English && !kind.empty()) {
        page.title = kind + " — " + std::string(text(Msg::Result, lang));
        if (page.title[0] >= 'a' && page.title[0] <= 'z') page.title[0] = static_cast<char>(page.title[0] - 'a' + 'A');
    }
    if (!a.charged) {
        page.lines.push_back({std::string(text(a.bill, lang)), pair, formatMoney(a.fare, lang)});
    } else {
        page.title += " " + std::string(text(a.bill, lang));
        page.lines.push_back({std::string(text(Msg::FareLine, lang)), pair, formatMoney(a.fare, lang)});
        const std::string section =
            a.sectionList ? journeyWords(*a.sectionList, a.section.from, a.section.to, lang) : std::string();
        page.lines.push_back(
            {a.caption ? std::string(text(*a.caption, lang)) : std::string(), section, formatMoney(a.charge, lang)});
        page.lines.push_back({std::string(text(Msg::TotalLine, lang)), {}, formatMoney(a.total, lang)});
    }
    page.notes.push_back(text(Msg::Distance, lang, {numberWords(a.distance)}));
    if (a.routing)
        page.notes.emplace_back(text(*a.routing == Routing::Through ? Msg::Through : Msg::ChangeAtMatsuyama, lang));
    if (enquiry.date && a.season) page.notes.push_back(dateAndSeasonText(*enquiry.date, lang));
    for (const ShortTable& t : a.shortTables) page.notes.push_back(shortTableText(t, lang));
    // A cheaper split is part of the answer: the tickets, their amounts and
    // validity, and what they give up, as the result screen's details say.
    if (enquiry.split && enquiry.split->cheaper()) {
        page.notes.push_back(splitCheaperText(*enquiry.split, lang));
        page.notes.push_back(splitThroughText(*enquiry.split, lang));
        for (std::string& line : splitTicketLines(*enquiry.split, lang)) page.notes.push_back(std::move(line));
        for (std::string& line : splitGivesUpLines(*enquiry.split, lang)) page.notes.push_back(std::move(line));
    }
    page.notes.push_back(text(Msg::AnswerTables, lang, {edition}));
    return page;
}

std::string pageText(const AnswerPage& page) {
    std::string out = page.title + "\n";
    for (const AnswerLine& l : page.lines) {
        out += l.label;
        if (!l.stations.empty()) out += "\t" + l.stations;
        out += "\t" + l.amount + "\n";
    }
    for (const std::string& n : page.notes) out += n + "\n";
    return out;
}

std::string pageHtml(const AnswerPage& page) {
    std::string html = "<p><b>" + htmlEscape(page.title) + "</b></p>\n<table border=\"1\" cellpadding=\"4\">\n";
    for (const AnswerLine& l : page.lines)
        html += "<tr><td>" + htmlEscape(l.label) + "</td><td>" + htmlEscape(l.stations) + "</td><td align=\"right\">" +
                htmlEscape(l.amount) + "</td></tr>\n";
    html += "</table>\n";
    for (const std::string& n : page.notes) html += "<p>" + htmlEscape(n) + "</p>\n";
    return html;
}

std::string htmlEscape(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string printHeadingHtml(std::string_view title, std::string_view printed, std::string_view edition, Lang lang) {
    return "<h2>" + htmlEscape(text(Msg::ProgramName, lang)) + " — " + htmlEscape(title) + "</h2>\n<p>" +
           htmlEscape(text(Msg::PrintedOn, lang, {printed})) + "<br>" +
           htmlEscape(text(Msg::AnswerTables, lang, {edition})) + "</p>\n";
}

std::vector<std::string> journeyHeads(Lang lang) {
    std::vector<std::string> heads;
    for (Msg m : {Msg::JourneyDate, Msg::JourneyFrom, Msg::JourneyTo, Msg::JourneyKind, Msg::JourneyPassenger,
                  Msg::JourneyTrip, Msg::JourneyAmount, Msg::JourneyNote, Msg::JourneyPricedWith})
        heads.emplace_back(text(m, lang));
    return heads;
}

std::vector<std::string> journeyCells(const JourneyRow& j, const TablesInUse& tablesNow, Lang lang) {
    return {dateText(j.date),
            stationWords(StationList::All, j.departure, lang),
            stationWords(StationList::All, j.arrival, lang),
            std::string(kindName(j.kind, lang)),
            std::string(passengerName(j.passenger, lang)),
            std::string(text(j.trip == Trip::RoundTrip ? Msg::RoundTrip : Msg::OneWay, lang)),
            plainAmount(j.amount),
            j.note,
            pricedWith(j, tablesNow, lang)};
}

std::string plainAmount(double amount) {
    // Whole yen as the screens round it: a fractional cell (which the table
    // check reports) never gives "100.40000000000001".
    const double whole = std::round(shownAmount(amount));
    if (std::fabs(whole) < 9.0e15) return std::to_string(static_cast<std::int64_t>(whole));
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.0f", whole);
    return buffer;
}

std::string excelText(std::string_view text) {
    // What a spreadsheet would take for a formula, or a formula behind a
    // blank it drops, stays text behind an apostrophe.
    if (!text.empty() && std::string_view("=+-@\t\r").find(text.front()) != std::string_view::npos)
        return "'" + std::string(text);
    return std::string(text);
}

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string journeyCsv(const JourneyList& list, std::string_view month, const TablesInUse& tablesNow, Lang lang,
                       CsvStyle style) {
    std::string out = style == CsvStyle::Excel ? "\xEF\xBB\xBF" : "";
    constexpr std::size_t kAmount = 6;  // a number, the only cell that is no text
    auto line = [&out, style](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            const bool neutral = style == CsvStyle::Excel && i != kAmount;
            out += (i ? "," : "") + csvField(neutral ? excelText(cells[i]) : cells[i]);
        }
        out += "\r\n";
    };
    line(journeyHeads(lang));
    for (int i : list.rowsOf(month)) line(journeyCells(list.rows[static_cast<std::size_t>(i)], tablesNow, lang));
    std::vector<std::string> total(journeyHeads(lang).size());
    total[0] = text(Msg::JourneyTotal, lang);
    total[6] = plainAmount(list.total(month));
    line(total);
    return out;
}

std::string journeyHtml(const JourneyList& list, std::string_view month, const TablesInUse& tablesNow, Lang lang) {
    std::string html = "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\" width=\"100%\">\n";
    addRow(html, journeyHeads(lang), "th");
    for (int i : list.rowsOf(month)) {
        std::vector<std::string> cells = journeyCells(list.rows[static_cast<std::size_t>(i)], tablesNow, lang);
        cells[6] = formatMoney(list.rows[static_cast<std::size_t>(i)].amount, lang);
        addRow(html, cells, "td");
    }
    std::vector<std::string> total(journeyHeads(lang).size());
    total[0] = text(Msg::JourneyTotal, lang);
    total[6] = formatMoney(list.total(month), lang);
    addRow(html, total, "th");
    return html + "</table>\n";
}

}  // namespace mkd
