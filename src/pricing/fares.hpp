// Prices of the choice screens, from the table cells.
//
// Amounts are only added and doubled: child and student prices come from
// their own tables, never from the adult one.
#pragma once

#include "data/table_store.hpp"
#include "words/words.hpp"

namespace mkd {

enum class Passenger { Adult, Child, Student };
enum class Trip { OneWay, RoundTrip };

struct OrdinaryPrice {
    double amount = 0;  // the fare, doubled for a round trip
    Msg description;  // "おとな片道運賃", "学割往復運賃", …
};

// The table of `passenger`'s local-train fares.
Table ordinaryFareTable(Passenger passenger);

// The local-train fare from `departure` to `arrival` (all-station indices).
OrdinaryPrice priceOrdinary(const TableStore& tables, Passenger passenger, Trip trip, int departure, int arrival);

}  // namespace mkd
