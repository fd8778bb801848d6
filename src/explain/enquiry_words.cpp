#include "explain/enquiry_words.hpp"

#include <algorithm>
#include <optional>

#include "data/station_names.hpp"
#include "data/table_catalogue.hpp"
#include "pricing/season_periods.hpp"
#include "words/money.hpp"

namespace mkd {

std::string stationWords(StationList list, int index, Lang lang) {
    const std::string name(lang == Lang::English ? englishName(list, index) : stationName(list, index));
    return name.empty() ? std::string("-") : name;
}

std::string stationLabelWords(StationList list, int index, Lang lang) {
    return std::string(lang == Lang::English ? englishName(list, index) : displayName(list, index));
}

std::string shortTableText(const ShortTable& table, Lang lang) {
    return text(Msg::ShortTable, lang,
                {tableFileInfo(table.file).name, std::to_string(table.records), std::to_string(table.expected)});
}

namespace {

std::string allStation(int index, Lang lang) { return stationWords(StationList::All, index, lang); }

std::string marineText(const Refused& r, Lang lang) {
    const MarineMenuJudgement& m = *r.marine;
    if (r.refusal == Refusal::MarineSeatNotOffered)
        return text(Msg::MarineSeatExcluded, lang, {allStation(r.departure, lang), allStation(r.arrival, lang)});
    switch (m.why) {
        case MarineWhy::SameStation:
            return std::string(text(Msg::MarineSameStation, lang));
        case MarineWhy::Outside:
            return text(Msg::MarineOutside, lang, {allStation(m.outside, lang)});
        case MarineWhy::Excluded:
        case MarineWhy::Offered:
            break;
    }
    return text(Msg::MarineExcluded, lang, {allStation(r.departure, lang), allStation(r.arrival, lang)});
}

// A sentence about the years the travel-date lists offer.
std::string yearsText(Msg id, Lang lang) {
    return text(id, lang,
                {std::to_string(kFirstListedYear), std::to_string(kLastListedYear),
                 std::to_string(heiseiYear(kFirstListedYear)), std::to_string(heiseiYear(kLastListedYear))});
}

}  // namespace

std::string refusalText(const Refused& r, Lang lang) {
    switch (r.refusal) {
        case Refusal::SameStation:
            return std::string(text(Msg::SameStation, lang));
        case Refusal::LocalTrainAdvised:
            return std::string(text(Msg::LocalTrainAdvice, lang));
        case Refusal::SameSectionStop:
            return std::string(text(Msg::SameSectionStop, lang));
        case Refusal::StudentNotOffered:
            if (r.student && r.student->onScreen)
                return text(Msg::StudentTooShort, lang, {numberWords(r.student->distance)});
            return std::string(text(Msg::NoStudentFare, lang));
        case Refusal::ChangeNotOffered:
            if (r.change && r.change->onScreen)
                return text(Msg::ChangeNotCrossing, lang,
                            {stationWords(StationList::Express, r.change->section.from, lang),
                             stationWords(StationList::Express, r.change->section.to, lang)});
            return std::string(text(Msg::NoChange, lang));
        case Refusal::MarineNotOffered:
        case Refusal::MarineSeatNotOffered:
            if (r.marine) return marineText(r, lang);
            break;
        case Refusal::NoSectionScreen:
            return std::string(text(Msg::NoSectionScreen, lang));
        case Refusal::TableUnreadable:
            return describeLoadError(r.load, r.path, tableFileInfo(r.file).size, lang);
    }
    return std::string(text(Msg::SameStation, lang));
}

std::string refusalReason(const Refused& r, Lang lang) {
    if (r.refusal != Refusal::LocalTrainAdvised || !r.preset || !r.list) return refusalText(r, lang);
    const Section& s = r.preset->section;
    if (r.preset->why == LocalTrainWhy::SameStop)
        return text(Msg::BothEndsSameStop, lang,
                    {allStation(r.departure, lang), allStation(r.arrival, lang), stationWords(*r.list, s.from, lang)});
    return text(Msg::NoExpressStopBetween, lang, {allStation(r.departure, lang), allStation(r.arrival, lang)});
}

std::string refusalDetail(const Refused& r, Lang lang) {
    const std::optional<Msg> next = r.refusal == Refusal::SameStation         ? std::optional(Msg::SameStationNext)
                                    : r.refusal == Refusal::LocalTrainAdvised ? std::optional(Msg::LocalTrainNext)
                                    : r.refusal == Refusal::SameSectionStop   ? std::optional(Msg::SameSectionStopNext)
                                                                              : std::nullopt;
    if (!next) return {};
    std::string detail = refusalReason(r, lang);
    if (detail == refusalText(r, lang)) detail.clear();  // the message says why already
    if (!detail.empty()) detail += '\n';
    return detail + std::string(text(*next, lang));
}

std::string pricedJourneyText(const EnquiryRequest& request, Lang lang) {
    const std::string departure = allStation(request.departure, lang);
    const std::string arrival = allStation(request.arrival, lang);
    const std::string kind(kindName(request.kind, lang));
    const std::optional<StationList> list = enquiryShape(request.kind).section;
    if (!request.section || !list) return text(Msg::PricedJourney, lang, {departure, arrival, kind});
    return text(*list == StationList::Marine ? Msg::PricedMarineSection : Msg::PricedExpressSection, lang,
                {departure, arrival, kind, stationWords(*list, request.section->from, lang),
                 stationWords(*list, request.section->to, lang)});
}

std::string seasonReason(const TravelDate& t, Lang lang) {
    if (t.overridden) {
        const std::string year = std::to_string(t.date.year);
        const std::string month = std::to_string(t.date.month);
        const std::string day = std::to_string(t.date.day);
        return text(Msg::SeasonOverride, lang,
                    {year + "-" + month + "-" + day, year, month, day, monthName(t.date.month, lang)});
    }
    const CalendarPeriod& p = t.period;
    const std::string month = std::to_string(p.month);
    const std::string first = std::to_string(p.firstDay);
    const std::string last = std::to_string(p.lastDay);
    // A period may end on day 31 of a shorter month; a date written with the
    // month's name ("30 June") gives the month's real last day.
    const std::string lastInMonth = std::to_string(std::min(p.lastDay, lastDayOf(p.month)));
    if (!p.mondayToThursday)
        return text(Msg::SeasonFromCalendar, lang,
                    {month, first, last, seasonName(p.season, lang), monthName(p.month, lang), lastInMonth});
    return text(Msg::SeasonMondayToThursday, lang,
                {month, first, last, weekdayName(t.weekday, lang), seasonName(t.season, lang), monthName(p.month, lang),
                 lastInMonth});
}

std::string dateAndSeasonText(const TravelDate& t, Lang lang) {
    return text(Msg::DateAndSeason, lang,
                {std::to_string(t.date.year), std::to_string(t.date.month), std::to_string(t.date.day),
                 weekdayName(t.weekday, lang), seasonName(t.season, lang), monthName(t.date.month, lang)});
}

std::string rolledOverText(const TravelDate& t, Lang lang) {
    if (!t.rolledOver) return {};
    return text(Msg::DateRolledOver, lang,
                {std::to_string(heiseiYear(t.written.year)), std::to_string(t.written.month),
                 std::to_string(t.written.day), std::to_string(t.date.month), std::to_string(t.date.day),
                 monthName(t.written.month, lang), monthName(t.date.month, lang), std::to_string(t.date.year)});
}

std::string dateNotListedText(Lang lang) { return yearsText(Msg::DateNotListed, lang); }

std::string listedYearsText(Lang lang) { return yearsText(Msg::ListedYears, lang); }

std::string todayNotListedText(const Date& today, const Date& chosen, Lang lang) {
    if (today.year == chosen.year) return {};
    const auto n = [](int v) { return std::to_string(v); };
    return text(Msg::TodayNotListed, lang,
                {n(today.year), n(today.month), n(today.day), n(chosen.year), n(chosen.month), n(chosen.day),
                 monthName(today.month, lang), monthName(chosen.month, lang)});
}

std::string_view holidayName(Holiday holiday, Lang lang) {
    switch (holiday) {
        case Holiday::FoundationDay:
            return text(Msg::HolidayFoundationDay, lang);
        case Holiday::RespectForTheAged:
            return text(Msg::HolidayRespectForTheAged, lang);
        case Holiday::AutumnalEquinox:
            return text(Msg::HolidayAutumnalEquinox, lang);
        case Holiday::CultureDay:
            return text(Msg::HolidayCultureDay, lang);
        case Holiday::LabourThanksgiving:
            break;
    }
    return text(Msg::HolidayLabourThanksgiving, lang);
}

std::string overrideText(const OverrideReason& reason, Lang lang) {
    const Msg words = reason.day == HolidayDay::Holiday     ? Msg::OverrideOnHoliday
                      : reason.day == HolidayDay::DayBefore ? Msg::OverrideDayBefore
                                                            : Msg::OverrideSubstitute;
    return text(words, lang, {holidayName(reason.holiday, lang)});
}

std::string_view seasonName(Season season, Lang lang) {
    switch (season) {
        case Season::Busy:
            return text(Msg::SeasonBusy, lang);
        case Season::Normal:
            return text(Msg::SeasonNormal, lang);
        case Season::OffPeak:
            break;
    }
    return text(Msg::SeasonOffPeak, lang);
}

std::string_view weekdayName(int weekday, Lang lang) {
    static constexpr Msg kDays[] = {Msg::Sunday,   Msg::Monday, Msg::Tuesday, Msg::Wednesday,
                                    Msg::Thursday, Msg::Friday, Msg::Saturday};
    return text(kDays[static_cast<std::size_t>(((weekday % 7) + 7) % 7)], lang);
}

std::string_view monthName(int month, Lang lang) {
    static constexpr Msg kMonths[] = {Msg::January,   Msg::February, Msg::March,    Msg::April,
                                      Msg::May,       Msg::June,     Msg::July,     Msg::August,
                                      Msg::September, Msg::October,  Msg::November, Msg::December};
    return text(kMonths[static_cast<std::size_t>((((month - 1) % 12) + 12) % 12)], lang);
}

std::string_view passengerName(Passenger passenger, Lang lang) {
    switch (passenger) {
        case Passenger::Adult:
            return text(Msg::PassengerAdult, lang);
        case Passenger::Child:
            return text(Msg::PassengerChild, lang);
        case Passenger::Student:
            break;
    }
    return text(Msg::PassengerStudent, lang);
}

std::string_view kindName(Enquiry kind, Lang lang) { return text(enquiryShape(kind).name, lang); }

}  // namespace mkd
