#include "output.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <utility>

#include <unicode/uchar.h>

#include "data/table_edition.hpp"
#include "explain/enquiry_words.hpp"
#include "words/money.hpp"
#include "words/words.hpp"

namespace fare {

using nlohmann::ordered_json;

namespace {

// The length of the well-formed UTF-8 character at `i`, or 0 where there is
// none (a stray continuation byte, an overlong form, a surrogate, a code
// point beyond U+10FFFF, a character cut short).
std::size_t characterAt(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF;  // the allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (i + length > text.size()) return 0;
    if (byte(i + 1) < low || byte(i + 1) > high) return 0;
    for (std::size_t k = 2; k < length; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
    return length;
}

// The end of the run of plain ASCII text from `i`: the first byte there or
// after that starts a longer character or a broken one, or (with
// `controls`) is an ASCII control other than the tab.
std::size_t plainEnd(std::string_view text, std::size_t i, bool controls) {
    const auto stop = [controls](char ch) {
        const auto c = static_cast<unsigned char>(ch);
        return c >= 0x80 || (controls && ((c < 0x20 && c != '\t') || c == 0x7F));
    };
    return static_cast<std::size_t>(std::find_if(text.begin() + static_cast<std::ptrdiff_t>(i), text.end(), stop) -
                                    text.begin());
}

// The length of a character (at least 1) and what replaces it, if anything.
using Replacement = std::pair<std::size_t, std::optional<std::string>>;

// `text` with some of its characters replaced, as `replace(i)` says of the
// character at `i`; the runs between are copied whole, and runs of plain
// ASCII (plainEnd) are never looked at.
template <class Replace>
std::string replaced(std::string_view text, bool controls, Replace replace) {
    std::string out;
    out.reserve(text.size());
    std::size_t copied = 0;  // the text before it is in `out`
    for (std::size_t i = plainEnd(text, 0, controls); i < text.size(); i = plainEnd(text, i, controls)) {
        const auto [length, replacement] = replace(i);
        if (replacement) {
            out.append(text, copied, i - copied);
            out += *replacement;
            copied = i + length;
        }
        i += length;
    }
    out.append(text, copied);
    return out;
}

std::string escaped(unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "\\x%02X", byte);
    return text;
}

// The code point of one well-formed UTF-8 character.
char32_t codePoint(std::string_view c) {
    const auto byte = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(c[k])); };
    switch (c.size()) {
        case 1:
            return byte(0);
        case 2:
            return ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
        case 3:
            return ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        default:
            return ((byte(0) & 0x07) << 18) | ((byte(1) & 0x3F) << 12) | ((byte(2) & 0x3F) << 6) | (byte(3) & 0x3F);
    }
}

// Characters a terminal acts on or draws as nothing: the controls (C0, DEL,
// C1), the format characters (direction overrides and isolates that turn the
// rest of a line around, zero-width characters, the byte order mark, tags)
// and the line and paragraph separators.
bool invisible(char32_t c) {
    switch (u_charType(static_cast<UChar32>(c))) {
        case U_CONTROL_CHAR:
        case U_FORMAT_CHAR:
        case U_LINE_SEPARATOR:
        case U_PARAGRAPH_SEPARATOR:
            return true;
        default:
            return false;
    }
}

// "\u202E" (or "\U000E0001" beyond the first plane); in JSON, where only
// four digits are allowed, a character beyond it as its surrogate pair.
std::string escapedCodePoint(char32_t c, bool json) {
    char text[16];
    if (c <= 0xFFFF) {
        std::snprintf(text, sizeof text, "\\u%04X", static_cast<unsigned>(c));
    } else if (!json) {
        std::snprintf(text, sizeof text, "\\U%08X", static_cast<unsigned>(c));
    } else {
        const char32_t v = c - 0x10000;
        std::snprintf(text, sizeof text, "\\u%04X\\u%04X", static_cast<unsigned>(0xD800 + (v >> 10)),
                      static_cast<unsigned>(0xDC00 + (v & 0x3FF)));
    }
    return text;
}

// Every string and key of `j` made valid UTF-8, in place; a key is
// replaced only where it was not (the object is rebuilt then, keeping the
// order of its members).
void makeValidUtf8(ordered_json& j) {
    if (j.is_string()) {
        auto& text = j.get_ref<std::string&>();
        if (!isUtf8(text)) text = asUtf8(text);
    } else if (j.is_array()) {
        for (auto& e : j) makeValidUtf8(e);
    } else if (j.is_object()) {
        bool keysValid = true;
        for (auto& [key, value] : j.items()) {
            keysValid = keysValid && isUtf8(key);
            makeValidUtf8(value);
        }
        if (keysValid) return;
        ordered_json out = ordered_json::object();
        for (auto& [key, value] : j.items()) out[asUtf8(key)] = std::move(value);
        j = std::move(out);
    }
}

}  // namespace

std::string asUtf8(std::string_view text) {
    return replaced(text, false, [text](std::size_t i) -> Replacement {
        if (const std::size_t length = characterAt(text, i)) return {length, std::nullopt};
        return {1, escaped(static_cast<unsigned char>(text[i]))};
    });
}

bool isUtf8(std::string_view text) {
    for (std::size_t i = plainEnd(text, 0, false); i < text.size(); i = plainEnd(text, i, false)) {
        const std::size_t length = characterAt(text, i);
        if (length == 0) return false;
        i += length;
    }
    return true;
}

std::string printable(std::string_view text) {
    const std::string valid = asUtf8(text);
    const std::string_view v = valid;
    return replaced(v, true, [v](std::size_t i) -> Replacement {
        const std::size_t length = characterAt(v, i);
        const char32_t c = codePoint(v.substr(i, length));
        if (c == U'\t' || !invisible(c)) return {length, std::nullopt};
        return {length, c < 0x80 ? escaped(static_cast<unsigned char>(c)) : escapedCodePoint(c, false)};
    });
}

std::string printableLines(std::string_view text) {
    std::string out;
    while (true) {
        const std::size_t end = text.find('\n');
        out += printable(text.substr(0, end));
        if (end == std::string_view::npos) return out;
        out += '\n';
        text = text.substr(end + 1);
    }
}

std::string dumpJson(ordered_json j) {
    makeValidUtf8(j);
    // Everything is valid by now; the replacing writer is only a second
    // guard, so that mkd-fare can never end on an exception here.
    const std::string text = j.dump(2, ' ', false, ordered_json::error_handler_t::replace);
    // Such characters can only be inside strings, where their escapes mean
    // the very same text to a JSON reader; on a terminal they stay visible.
    // The dump escaped every ASCII control.
    const std::string_view t = text;
    return replaced(t, false, [t](std::size_t i) -> Replacement {
        const std::size_t length = std::max<std::size_t>(characterAt(t, i), 1);
        const char32_t c = codePoint(t.substr(i, length));
        if (!invisible(c)) return {length, std::nullopt};
        return {length, escapedCodePoint(c, true)};
    });
}

ordered_json yen(double amount) {
    const double whole = std::round(mkd::shownAmount(amount));
    if (std::fabs(whole) < 9.0e15) return static_cast<std::int64_t>(whole);
    return whole;
}

ordered_json number(double value) {
    value = mkd::shownAmount(value);
    if (value == std::floor(value) && std::fabs(value) < 9.0e15) return static_cast<std::int64_t>(value);
    return value;
}

ordered_json money(double amount, mkd::Lang lang) {
    return {{"yen", yen(amount)}, {"text", mkd::formatMoney(amount, lang)}};
}

std::string csvAmount(double amount) { return yen(amount).dump(); }

ordered_json shortTablesJson(const std::vector<mkd::ShortTable>& tables) {
    ordered_json list = ordered_json::array();
    for (const auto& t : tables)
        list.push_back(
            {{"file", std::string(mkd::tableFileInfo(t.file).name)}, {"records", t.records}, {"expected", t.expected}});
    return list;
}

void reportShortLoads(std::ostream& err, const std::vector<mkd::ShortTable>& loads, mkd::Lang lang) {
    for (const auto& t : loads) err << "mkd-fare: " << mkd::shortTableText(t, lang) << '\n';
}

// How check --json names where the tables were found.
std::string_view sourceName(mkd::TableSource source) {
    switch (source) {
        case mkd::TableSource::BesideProgram:
            return "beside-program";
        case mkd::TableSource::UserData:
            return "user-data";
        case mkd::TableSource::Installed:
            return "installed";
        case mkd::TableSource::Given:
            return "given";
        case mkd::TableSource::NotFound:
            return "not-found";
    }
    return {};
}

std::string checkReportText(const std::string& folder, const mkd::Locations& where,
                            const std::vector<mkd::TableProblem>& problems, mkd::Lang lang) {
    std::string out = printableLines(mkd::describeLocations(where, lang)) + '\n';
    out += printable(mkd::text(mkd::Msg::TablesEdition, lang, {mkd::tablesInUse(where.tableFolder).edition})) + '\n';
    int fatal = 0;
    for (const auto& p : problems) {
        out += printable(mkd::formatProblem(p, lang)) + '\n';
        fatal += p.severity == mkd::Severity::Fatal ? 1 : 0;
    }
    const int warnings = static_cast<int>(problems.size()) - fatal;
    return out + printable(mkd::checkSummary(folder, fatal, warnings, lang)) + '\n';
}

std::string checkReportJson(const std::string& folder, const mkd::Locations& where,
                            const std::vector<mkd::TableProblem>& problems, mkd::Lang lang) {
    ordered_json list = ordered_json::array();
    int fatal = 0;
    for (const auto& p : problems) {
        ordered_json e;
        e["severity"] = p.severity == mkd::Severity::Fatal ? "fatal" : "warning";
        e["file"] = p.file;
        e["line"] = p.line;
        e["column"] = p.column;
        e["record"] = p.record;
        e["field"] = p.field;
        e["message"] = lang == mkd::kCheckLang ? p.message : mkd::text(p.what, lang, p.args);
        e["text"] = mkd::formatProblem(p, lang);
        list.push_back(std::move(e));
        fatal += p.severity == mkd::Severity::Fatal ? 1 : 0;
    }
    ordered_json j;
    j["folder"] = folder;
    j["edition"] = mkd::tablesInUse(where.tableFolder).edition;
    j["tables_source"] = sourceName(where.source);
    j["initial_selection_file"] = where.selectionFile;
    j["status"] = mkd::checkStatus(problems);
    j["fatal"] = fatal;
    j["warnings"] = static_cast<int>(problems.size()) - fatal;
    j["problems"] = std::move(list);
    return dumpJson(std::move(j)) + '\n';
}

}  // namespace fare
