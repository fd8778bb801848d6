// The rules of the start screen that decide what a journey may be asked.
#pragma once

#include <string_view>

namespace mkd {

// Both lists without a selection (-1) count as the same station too.
bool sameStation(int departure, int arrival);

// What the start screen says when both stations are the same.
inline constexpr std::string_view kSameStationMessage = "乗車駅と降車駅が同じですよ。";

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

// The menu once the departure and then the arrival have been chosen, as a
// user chooses them on the start screen: the rule with the departure as key,
// then with the arrival as key, from the state the start screen opens with
// when nothing narrows it ({false, true}). Whatever came before, the
// last choice decides everything that a user can reach: the menu itself, and
// its reserved-seat item whenever the menu is enabled.
MarineMenu marineMenuFor(int departure, int arrival);

// The student fare is offered only beyond 100 km (exactly 100 is not enough).
bool studentFareOffered(double distance);

}  // namespace mkd
