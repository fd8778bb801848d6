// The words of mkd-fare: names of kinds, passengers, trips and seasons on
// the command line and in its output, station look-up, dates.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "data/stations.hpp"
#include "pricing/enquiry.hpp"

namespace fare {

// A word on the command line and the value it stands for; the first word of
// each value is its name in JSON and CSV output.
template <class T>
struct Word {
    std::string_view word;
    T value;
};

const std::vector<Word<mkd::Enquiry>>& kindWords();
const std::vector<Word<mkd::Passenger>>& passengerWords();
const std::vector<Word<mkd::Trip>>& tripWords();
const std::vector<Word<mkd::Season>>& seasonWords();

// Every word of a list, for the option's allowed values.
template <class T>
std::vector<std::string> wordsOf(const std::vector<Word<T>>& list) {
    std::vector<std::string> out;
    for (const auto& w : list) out.emplace_back(w.word);
    return out;
}

template <class T>
std::optional<T> lookUp(const std::vector<Word<T>>& list, std::string_view word) {
    for (const auto& w : list)
        if (w.word == word) return w.value;
    return std::nullopt;
}

// The ASCII name of a value (the first word that stands for it).
template <class T>
std::string_view nameOf(const std::vector<Word<T>>& list, T value) {
    for (const auto& w : list)
        if (w.value == value) return w.word;
    return {};
}

std::string_view refusalName(mkd::Refusal refusal);  // "same-station", …

// A station of `list` by its plain or display name; a number is taken as the
// station's index in the list (0 = 岡山); else by any name a person may type
// for it when that names one station: its reading or its Latin or sign
// spelling in any case (うわじま, uwajima, Iyo-Saijo, iyosaijo).
std::optional<int> stationByName(mkd::StationList list, std::string_view name);

// "2007-08-12" or "2007/8/12": year, month and day as written, not checked
// against any calendar.
struct WrittenDate {
    int year = 0;
    int month = 0;
    int day = 0;
};
std::optional<WrittenDate> parseDate(std::string_view text);
std::string isoDate(const mkd::Date& date);

// Today by the computer's clock, in local time.
mkd::Date today();

// The width of UTF-8 text on a terminal: CJK characters take two columns.
int displayWidth(std::string_view text);
std::string padRight(std::string_view text, int width);
std::string padLeft(std::string_view text, int width);

}  // namespace fare
