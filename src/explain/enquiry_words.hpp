// The words for what the core decides about an enquiry: refusals and why,
// the season of a travel date and why, names of kinds, passengers and
// seasons. The core hands over values; the sentences are chosen here.
#pragma once

#include <string>
#include <string_view>

#include "pricing/enquiry.hpp"
#include "words/words.hpp"

namespace mkd {

// What a person is told when an enquiry is refused: the screen's own message
// where a screen says one, else why the screens leave the control off.
std::string refusalText(const Refused& refused, Lang lang = Lang::Japanese);

// Why, in full: for the local-train advice which stops the journey comes to;
// for every other refusal the same as refusalText.
std::string refusalReason(const Refused& refused, Lang lang = Lang::Japanese);

// What a message box that refuses a step says below its message: why, where
// the message alone does not say it, and what to do next, one a line; "" for
// a refusal that no message box shows.
std::string refusalDetail(const Refused& refused, Lang lang = Lang::Japanese);

// The journey being priced, as the screens between the start screen and the
// result name it: "岡山→宇和島　特急 自由席\n(特急区間は岡山→松山)"; the section
// where one was chosen.
std::string pricedJourneyText(const EnquiryRequest& request, Lang lang = Lang::Japanese);

// Why a travel date has its season: its calendar line, or its override.
std::string seasonReason(const TravelDate& date, Lang lang = Lang::Japanese);
// "2007年8月12日(日曜日) 繁忙期": the date a travel date stands for, with
// its weekday and season.
std::string dateAndSeasonText(const TravelDate& date, Lang lang = Lang::Japanese);
// "平成16年2月31日は、3月2日のことです。"; "" where the date did not roll over.
std::string rolledOverText(const TravelDate& date, Lang lang = Lang::Japanese);
// The words of the travel-date bounds ("乗車日は 2002年から2008年まで …").
std::string dateNotListedText(Lang lang = Lang::Japanese);
// "料金を調べられるのは 2002年から2008年 … の乗車日だけです。"
std::string listedYearsText(Lang lang = Lang::Japanese);
// "今日 (2026年12月7日) は … 2008年12月7日を選んでいます。": today lies outside
// the listed years and `chosen` was preselected instead; "" when it does not.
std::string todayNotListedText(const Date& today, const Date& chosen, Lang lang = Lang::Japanese);

// "秋分の日の前日のため通常期": why an override date is normal.
std::string overrideText(const OverrideReason& reason, Lang lang = Lang::Japanese);
std::string_view holidayName(Holiday holiday, Lang lang = Lang::Japanese);  // "秋分の日", …

std::string_view seasonName(Season season, Lang lang = Lang::Japanese);  // "繁忙期", …
std::string_view weekdayName(int weekday, Lang lang = Lang::Japanese);  // 0 = "日曜日"
std::string_view monthName(int month, Lang lang = Lang::Japanese);  // 1 = "1月"
std::string_view passengerName(Passenger passenger, Lang lang = Lang::Japanese);
std::string_view kindName(Enquiry kind, Lang lang = Lang::Japanese);  // "特急 指定席", …

// A station's name in `lang`: as the tables write it, or its Latin spelling
// as on its signs; "-" for an invalid index.
std::string stationWords(StationList list, int index, Lang lang);
// A station's name as a label shows it: the display name (short names padded
// with ideographic spaces, "岡　山"), or its Latin spelling.
std::string stationLabelWords(StationList list, int index, Lang lang);

// The line the result screen shows for a short table behind a charge
// ("注意: SiteiT.txt は 26 行中 20 行だけです。").
std::string shortTableText(const ShortTable& table, Lang lang);

}  // namespace mkd
