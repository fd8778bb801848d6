#include "fare_words.hpp"

#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>

#include "data/station_search.hpp"

namespace fare {

using mkd::Enquiry;
using mkd::Passenger;
using mkd::Season;
using mkd::Trip;

const std::vector<Word<Enquiry>>& kindWords() {
    // Each kind's name for programs, then its one Japanese word.
    static const std::vector<Word<Enquiry>> words = [] {
        std::vector<Word<Enquiry>> list;
        for (Enquiry kind : mkd::kEnquiries) list.push_back({mkd::enquiryShape(kind).id, kind});
        for (Enquiry kind : mkd::kEnquiries) list.push_back({mkd::text(mkd::enquiryShape(kind).word), kind});
        return list;
    }();
    return words;
}

const std::vector<Word<Passenger>>& passengerWords() {
    static const std::vector<Word<Passenger>> words{
        {"adult", Passenger::Adult},  {"child", Passenger::Child},  {"student", Passenger::Student},
        {"おとな", Passenger::Adult}, {"こども", Passenger::Child}, {"学割", Passenger::Student},
    };
    return words;
}

const std::vector<Word<Trip>>& tripWords() {
    static const std::vector<Word<Trip>> words{
        {"one-way", Trip::OneWay}, {"round-trip", Trip::RoundTrip}, {"片道", Trip::OneWay}, {"往復", Trip::RoundTrip}};
    return words;
}

const std::vector<Word<Season>>& seasonWords() {
    static const std::vector<Word<Season>> words{
        {"busy", Season::Busy}, {"normal", Season::Normal}, {"off-peak", Season::OffPeak},
        {"繁忙", Season::Busy}, {"通常", Season::Normal},   {"閑散", Season::OffPeak},
    };
    return words;
}

std::string_view refusalName(mkd::Refusal refusal) {
    switch (refusal) {
        case mkd::Refusal::SameStation:
            return "same-station";
        case mkd::Refusal::LocalTrainAdvised:
            return "local-train-advised";
        case mkd::Refusal::SameSectionStop:
            return "same-section-stop";
        case mkd::Refusal::StudentNotOffered:
            return "student-not-offered";
        case mkd::Refusal::ChangeNotOffered:
            return "change-not-offered";
        case mkd::Refusal::MarineNotOffered:
            return "marine-not-offered";
        case mkd::Refusal::MarineSeatNotOffered:
            return "marine-seat-not-offered";
        case mkd::Refusal::NoSectionScreen:
            return "no-section-screen";
        case mkd::Refusal::TableUnreadable:
            return "table-unreadable";
    }
    return {};
}

std::optional<int> stationByName(mkd::StationList list, std::string_view name) {
    if (auto found = mkd::findStation(list, name)) return found;
    int index = -1;
    const auto [end, error] = std::from_chars(name.data(), name.data() + name.size(), index);
    if (error == std::errc{} && end == name.data() + name.size() && mkd::isValidIndex(list, index)) return index;
    return mkd::stationByAnyName(list, name);  // its reading, Latin or sign spelling
}

std::optional<WrittenDate> parseDate(std::string_view text) {
    int parts[3] = {0, 0, 0};
    const char* p = text.data();
    const char* const end = text.data() + text.size();
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (p == end || (*p != '-' && *p != '/')) return std::nullopt;
            ++p;
        }
        const auto [next, error] = std::from_chars(p, end, parts[i]);
        if (error != std::errc{} || next == p || parts[i] < 0) return std::nullopt;
        p = next;
    }
    if (p != end) return std::nullopt;
    return WrittenDate{parts[0], parts[1], parts[2]};
}

std::string isoDate(const mkd::Date& date) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.year, date.month, date.day);
    return buffer;
}

mkd::Date today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

namespace {

// Decodes one UTF-8 character at `i`, advancing it; a broken byte counts as one.
char32_t nextCodePoint(std::string_view text, std::size_t& i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (i + static_cast<std::size_t>(extra) >= text.size()) extra = 0;  // cut short: the lead byte alone
    char32_t c = extra == 0 ? lead : static_cast<char32_t>(lead & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    i += static_cast<std::size_t>(extra) + 1;
    return c;
}

bool wide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) || (c >= 0xAC00 && c <= 0xD7A3) ||
           (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

}  // namespace

int displayWidth(std::string_view text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) width += wide(nextCodePoint(text, i)) ? 2 : 1;
    return width;
}

std::string padRight(std::string_view text, int width) {
    std::string out(text);
    for (int w = displayWidth(text); w < width; ++w) out += ' ';
    return out;
}

std::string padLeft(std::string_view text, int width) {
    std::string out;
    for (int w = displayWidth(text); w < width; ++w) out += ' ';
    return out + std::string(text);
}

}  // namespace fare
