#include "explain/claim_words.hpp"

#include <algorithm>

#include "explain/answer_words.hpp"
#include "words/money.hpp"

namespace mkd {

namespace {

constexpr std::size_t kAmountColumn = 6;

std::string monthOf(const JourneyRow& j) { return j.date ? dateText(j.date).substr(0, 7) : std::string(); }

std::string subtotalLabel(const ClaimGroup& group, Lang lang) {
    return group.month.empty() ? text(Msg::ClaimSubtotal, lang, {text(Msg::ClaimNoDate, lang)})
                               : text(Msg::ClaimSubtotal, lang, {group.month});
}

void htmlRow(std::string& html, const std::vector<std::string>& cells, const char* tag, const char* style = "") {
    html += std::string("<tr") + style + ">";
    for (std::size_t c = 0; c < cells.size(); ++c) {
        const char* align = c == kAmountColumn ? " align=\"right\"" : "";
        html += std::string("<") + tag + align + ">" + htmlEscape(cells[c]) + "</" + tag + ">";
    }
    html += "</tr>\n";
}

}  // namespace

std::vector<ClaimGroup> claimGroups(const JourneyList& list, std::string_view month) {
    std::vector<ClaimGroup> groups;
    for (const std::string& m : list.months())
        if (month.empty() || m == month) groups.push_back({m, {}, 0});
    if (month.empty()) groups.push_back({"", {}, 0});
    for (int i : list.rowsOf(month)) {
        const JourneyRow& j = list.rows[static_cast<std::size_t>(i)];
        const std::string m = monthOf(j);
        auto group = std::find_if(groups.begin(), groups.end(), [&m](const ClaimGroup& g) { return g.month == m; });
        if (group == groups.end()) continue;
        group->rows.push_back(i);
        group->subtotal += j.amount;
    }
    std::erase_if(groups, [](const ClaimGroup& g) { return g.rows.empty(); });
    return groups;
}

std::string claimPeriod(const JourneyList& list, std::string_view month, Lang lang) {
    std::string first, last;
    for (int i : list.rowsOf(month)) {
        const std::string d = dateText(list.rows[static_cast<std::size_t>(i)].date);
        if (d.empty()) continue;
        if (first.empty() || d < first) first = d;
        if (last.empty() || d > last) last = d;
    }
    return first.empty() ? std::string() : text(Msg::ClaimPeriod, lang, {first, last});
}

std::string claimMadeWith(std::string_view version, const TablesInUse& tables, Lang lang) {
    return text(Msg::ClaimMadeWith, lang, {text(Msg::ProgramName, lang), version, tables.edition});
}

std::string claimFileName(const JourneyList& list, std::string_view month, Lang lang) {
    std::string name(text(Msg::JourneyList, lang));
    std::replace(name.begin(), name.end(), ' ', '-');
    if (!month.empty()) return name + "_" + std::string(month);
    const std::vector<std::string> months = list.months();
    if (!months.empty()) name += "_" + months.front();
    if (months.size() > 1) name += "_" + months.back();
    return name;
}

Workbook journeyWorkbook(const JourneyList& list, std::string_view month, const TablesInUse& tables, Lang lang,
                         std::string_view version) {
    Workbook book;
    book.sheetName = text(Msg::JourneyList, lang);
    book.title = std::string(text(Msg::ClaimTitle, lang)) + (month.empty() ? "" : " " + std::string(month));
    if (std::string period = claimPeriod(list, month, lang); !period.empty()) book.lines.push_back(period);
    book.lines.push_back(claimMadeWith(version, tables, lang));
    book.fillIn = {std::string(text(Msg::ClaimName, lang)), std::string(text(Msg::ClaimDepartment, lang))};
    book.heads = journeyHeads(lang);
    for (const ClaimGroup& g : claimGroups(list, month)) {
        SheetGroup group;
        group.subtotal = subtotalLabel(g, lang);
        for (int i : g.rows) {
            const JourneyRow& j = list.rows[static_cast<std::size_t>(i)];
            std::vector<SheetCell> cells;
            for (std::string& words : journeyCells(j, tables, lang))
                cells.push_back(SheetCell::words(std::move(words)));
            cells[0] = j.date ? SheetCell::date(j.date->year, j.date->month, j.date->day) : SheetCell{};
            cells[kAmountColumn] = SheetCell::yen(j.amount);
            group.rows.push_back(std::move(cells));
        }
        book.groups.push_back(std::move(group));
    }
    book.total = text(Msg::JourneyTotal, lang);
    book.sumColumn = static_cast<int>(kAmountColumn);
    book.yenFormat = lang == Lang::English ? "\"¥\"#,##0" : "#,##0\"円\"";
    book.footer = claimMadeWith(version, tables, lang);
    return book;
}

std::string claimPageHead(const JourneyList& list, std::string_view month, Lang lang) {
    std::string head = std::string(text(Msg::ClaimTitle, lang)) + (month.empty() ? "" : " " + std::string(month));
    if (std::string period = claimPeriod(list, month, lang); !period.empty()) head += "　" + period;
    return head;
}

std::string claimHtml(const JourneyList& list, std::string_view month, const TablesInUse& tables, Lang lang) {
    std::string html = "<table cellpadding=\"4\" cellspacing=\"0\">\n";
    for (Msg field : {Msg::ClaimName, Msg::ClaimDepartment})
        html += "<tr><td><b>" + htmlEscape(text(field, lang)) +
                "</b></td><td width=\"260\" style=\"border-bottom: 1px solid black\">&nbsp;</td></tr>\n";
    html += "</table><br>\n";
    // The head row in <thead>: repeated at the top of every page.
    html += "<table border=\"1\" cellpadding=\"3\" cellspacing=\"0\" width=\"100%\">\n<thead>";
    htmlRow(html, journeyHeads(lang), "th");
    html += "</thead>\n";
    const std::size_t columns = journeyHeads(lang).size();
    for (const ClaimGroup& g : claimGroups(list, month)) {
        for (int i : g.rows) {
            const JourneyRow& j = list.rows[static_cast<std::size_t>(i)];
            std::vector<std::string> cells = journeyCells(j, tables, lang);
            cells[kAmountColumn] = formatMoney(j.amount, lang);
            htmlRow(html, cells, "td");
        }
        std::vector<std::string> subtotal(columns);
        subtotal[0] = subtotalLabel(g, lang);
        subtotal[kAmountColumn] = formatMoney(g.subtotal, lang);
        htmlRow(html, subtotal, "th", " bgcolor=\"#f0f0f0\"");
    }
    std::vector<std::string> total(columns);
    total[0] = text(Msg::JourneyTotal, lang);
    total[kAmountColumn] = formatMoney(list.total(month), lang);
    htmlRow(html, total, "th");
    html += "</table>\n<br>\n";
    // The approval boxes, at the right: a heading over room for a seal.
    html += "<table align=\"right\" border=\"1\" cellpadding=\"4\" cellspacing=\"0\"><tr>";
    for (Msg who : {Msg::ClaimClaimant, Msg::ClaimApprover})
        html += "<th width=\"90\">" + htmlEscape(text(who, lang)) + "</th>";
    html += "</tr><tr><td height=\"70\">&nbsp;</td><td height=\"70\">&nbsp;</td></tr></table>\n";
    return html;
}

}  // namespace mkd
