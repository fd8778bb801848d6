#include "data/table_edition.hpp"

#include <cstdint>
#include <cstdio>

#include "data/date.hpp"
#include "data/table_catalogue.hpp"
#include "data/table_reader.hpp"

namespace mkd {

namespace {

constexpr std::size_t kEditionChars = 40;
constexpr std::size_t kEditionFileBytes = 4096;
constexpr std::size_t kSourcesBytes = 1 << 20;

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The maintainer's line: its first line without blanks around it, of
// printable characters only, at most kEditionChars code points.
std::string editionLine(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
    text = text.substr(0, text.find_first_of("\r\n"));
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || c == 0x7F) return {};  // a control character: not a name
        if ((c & 0xC0) != 0x80 && ++chars > kEditionChars) break;
        out += text[i];
    }
    return out;
}

// The newest real date YYYY-MM-DD in `text` that stands on its own (no digit
// right before or after it).
std::string newestDate(std::string_view text) {
    std::string newest;
    for (std::size_t i = 0; i + 10 <= text.size(); ++i) {
        if (i > 0 && isDigit(text[i - 1])) continue;
        if (i + 10 < text.size() && isDigit(text[i + 10])) continue;
        const std::string_view candidate = text.substr(i, 10);
        if (!readDate(candidate)) continue;
        if (candidate > newest) newest = std::string(candidate);
    }
    return newest;
}

}  // namespace

std::string tablesFingerprint(const std::string& tableFolder) {
    // FNV-1a, 64 bits: enough to tell one set of tables from another.
    std::uint64_t hash = 14695981039346656037ull;
    auto add = [&hash](std::string_view bytes) {
        for (unsigned char c : bytes) {
            hash ^= c;
            hash *= 1099511628211ull;
        }
    };
    for (const TableFileInfo& info : tableFiles()) {
        add(info.name);
        std::string bytes;
        if (readFileBytes(tableFolder + "/" + std::string(info.name), bytes).ok()) {
            add(std::to_string(bytes.size()));
            add(":");
            add(bytes);
        } else {
            add("missing");
        }
    }
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%016llx", static_cast<unsigned long long>(hash));
    return buffer;
}

std::string shortFingerprint(std::string_view fingerprint) { return std::string(fingerprint.substr(0, 8)); }

std::string editionOf(std::string_view editionFile, std::string_view sources, std::string_view fingerprint) {
    if (std::string line = editionLine(editionFile); !line.empty()) return line;
    if (std::string date = newestDate(sources); !date.empty()) return date;
    return shortFingerprint(fingerprint);
}

TablesInUse tablesInUse(const std::string& tableFolder) {
    TablesInUse tables;
    tables.fingerprint = tablesFingerprint(tableFolder);
    std::string edition;
    std::string sources;
    if (!readFileBytes(tableFolder + "/EDITION", edition, kEditionFileBytes).ok()) edition.clear();
    if (!readFileBytes(tableFolder + "/SOURCES.md", sources, kSourcesBytes).ok()) sources.clear();
    tables.edition = editionOf(edition, sources, tables.fingerprint);
    return tables;
}

}  // namespace mkd
