// The rules of the start screen that decide what a journey may be asked.
#pragma once

namespace mkd {

// Both lists without a selection (-1) count as the same station too.
bool sameStation(int departure, int arrival);

// Enabled state of the start screen's "マリンライナー" menu and of its
// "指定席" item.
struct MarineMenu {
    bool marine = false;
    bool sitei = true;
    bool operator==(const MarineMenu&) const = default;
};

// The menu availability rule, applied after the list holding `key` changed;
// `partner` is the other list's selection. The Marine exclusion lists are not
// symmetric, so the result for a pair can depend on which list changed last.
MarineMenu applyMenuRule(MarineMenu current, int key, int partner);

// Why the rule leaves the menu on or off.
enum class MarineWhy {
    Offered,
    SameStation,  // both lists hold the same station
    Outside,  // a station beyond the Marine Liner's, 岡山–児島 and 高松–坂出 (0–20)
    Excluded,  // the key station's exclusion list holds the partner
};

// The rule with its reasons: the menu it leaves, why, and which station
// lies outside (for Outside). `seatExcluded`: the partner is on the key's
// exclusion list for the reserved-seat item.
struct MarineMenuJudgement {
    MarineMenu menu;
    MarineWhy why = MarineWhy::Offered;
    int outside = -1;
    bool seatExcluded = false;
};
MarineMenuJudgement judgeMarineMenu(MarineMenu current, int key, int partner);

// The last station of the Marine Liner's stations in the all-station list.
inline constexpr int kLastMarineStation = 20;

// The menu once the departure and then the arrival have been chosen, as a
// user chooses them on the start screen: the rule with the departure as key,
// then with the arrival as key, from the state the start screen opens with
// when nothing narrows it ({false, true}). Whatever came before, the
// last choice decides everything that a user can reach: the menu itself, and
// its reserved-seat item whenever the menu is enabled.
MarineMenu marineMenuFor(int departure, int arrival);
MarineMenuJudgement judgeMarineMenuFor(int departure, int arrival);

// The student fare is offered only beyond 100 km (exactly 100 is not enough).
inline constexpr double kStudentFareBeyondKm = 100.0;
bool studentFareOffered(double distance);

}  // namespace mkd
