// Writes cells back out as table file text that the table reader reads to the
// same cells: one record per line, fields separated by commas, CR LF after
// every record.
//
// A cell is written as it is where the reader would read it back unchanged,
// else in double quotes (it starts with a quote or a blank, ends with a
// blank, or holds a comma or a line end). A UTF-8 byte-order mark at the
// start of the first cell would be skipped as the file's own, so the text then
// begins with a byte-order mark of its own.
//
// A cell that needs quotes and holds a double quote has no written form: a
// quoted field ends at its first quote. The reader never produces one, since
// a quoted field holds no quote and an unquoted one needs no quotes.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace mkd::fuzz {

inline bool needsQuotes(std::string_view cell) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (cell.empty()) return false;
    return cell.front() == '"' || blank(cell.front()) || blank(cell.back()) ||
           cell.find_first_of(",\r\n") != std::string_view::npos;
}

// The text of `records` records of `fields` fields; `cell(record, field)`
// gives each cell. Nothing when some cell cannot be written.
inline std::optional<std::string> writeTableText(int records, int fields,
                                                 const std::function<std::string_view(int, int)>& cell) {
    std::string text;
    if (records > 0 && fields > 0 && cell(0, 0).starts_with("\xEF\xBB\xBF")) text += "\xEF\xBB\xBF";
    for (int r = 0; r < records; ++r) {
        for (int f = 0; f < fields; ++f) {
            if (f > 0) text += ',';
            const std::string_view c = cell(r, f);
            if (!needsQuotes(c)) {
                text += c;
            } else if (c.find('"') == std::string_view::npos) {
                text += '"';
                text += c;
                text += '"';
            } else {
                return std::nullopt;
            }
        }
        text += "\r\n";
    }
    return text;
}

}  // namespace mkd::fuzz
