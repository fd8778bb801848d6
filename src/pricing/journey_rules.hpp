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

// The student fare is offered only beyond 100 km (exactly 100 is not enough).
bool studentFareOffered(double distance);

}  // namespace mkd
