// What mkd-fare writes, made safe for any bytes: file and folder names,
// station arguments and table cells may be in any encoding (a Shift_JIS
// cell, a Latin-1 folder name), and neither a terminal nor a JSON reader
// should ever get broken UTF-8 from us.
#pragma once

#include <nlohmann/json.hpp>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "data/locations.hpp"
#include "data/table_check.hpp"
#include "data/table_store.hpp"

namespace fare {

// `text` as valid UTF-8: every byte that is not part of a well-formed UTF-8
// character is written as \xNN, a backslash as itself.
std::string asUtf8(std::string_view text);

// Whether `text` is valid UTF-8 already (asUtf8 would return it unchanged).
bool isUtf8(std::string_view text);

// `text` as one line for a terminal: asUtf8, and every control character
// but the tab (a line end inside a cell, an escape sequence) as \xNN too;
// other characters a terminal acts on or draws as nothing (C1 controls,
// direction overrides, zero-width and other format characters, the line and
// paragraph separators) as \uNNNN.
std::string printable(std::string_view text);

// `text` of several lines, each made printable, the line ends kept.
std::string printableLines(std::string_view text);

// The JSON text of `j`, two blanks to a level, with every string (and key)
// made valid UTF-8 first (asUtf8), so that no byte can make the writer give
// up, and the characters printable() escapes written as \uNNNN escapes.
std::string dumpJson(nlohmann::ordered_json j);

// An amount as JSON: the amount the result screen shows, whole yen as it
// rounds them (an overflowing sum is the largest amount there is, never
// infinite), as an integer.
nlohmann::ordered_json yen(double amount);
// A distance as JSON, which may have a fraction: an integer when whole.
nlohmann::ordered_json number(double value);
// {"yen": …, "text": "1,230円"} ("¥1,230" in English)
nlohmann::ordered_json money(double amount, mkd::Lang lang);
// An amount as a CSV cell: the same number as yen().
std::string csvAmount(double amount);

// The tables behind an answer that were short: [{"file", "records", "expected"}].
nlohmann::ordered_json shortTablesJson(const std::vector<mkd::ShortTable>& tables);
// Writes each load of a short file to `err`, one line each, as a warning.
void reportShortLoads(std::ostream& err, const std::vector<mkd::ShortTable>& loads, mkd::Lang lang);

// The report of `mkd-fare check` on `folder`: one line a problem and a
// summary line, or one JSON object.
std::string checkReportText(const std::string& folder, const mkd::Locations& where,
                            const std::vector<mkd::TableProblem>& problems, mkd::Lang lang);
std::string checkReportJson(const std::string& folder, const mkd::Locations& where,
                            const std::vector<mkd::TableProblem>& problems, mkd::Lang lang);

// The JSON name of where the tables came from: "beside-program", …
std::string_view sourceName(mkd::TableSource source);

}  // namespace fare
