// Prices of the enquiries with a charge on top of the fare: the fare over the
// whole journey (start-screen stations) plus the charge over the charged
// section, one-way or doubled for a round trip. Nothing is rounded, halved or
// discounted here: child and student amounts come from their own tables.
#pragma once

#include <optional>
#include <vector>

#include "data/table_store.hpp"
#include "pricing/fares.hpp"
#include "pricing/season.hpp"
#include "pricing/sections.hpp"
#include "words/words.hpp"

namespace mkd {

// Through train, or a change at 松山 that splits the charge in two: from the
// section's first stop to 松山 plus from 松山 to its last stop.
enum class Routing { Through, ChangeAtMatsuyama };

// What the express result screen shows.
struct ChargedPrice {
    double fare = 0;  // the fare, doubled for a round trip
    double charge = 0;  // the charge, doubled for a round trip
    double total = 0;  // charge + fare
    Msg bill = Msg::ChargedAdultOneWay;  // "(おとな片道)", "(学割往復)", …
    // What it charged: the section (none for a charge that runs over none),
    // the tables whose cells make the charge, the season it was priced in.
    std::optional<Section> section;
    std::vector<Table> tables;
    std::optional<Season> season;
};

struct Journey {
    int departure = 0;  // all-station indices from the start screen
    int arrival = 0;
    Section section;  // express stops, or Marine stops for the Marine Green car
};

// The charge tables each passenger's price reads: the child's own, or the
// adult one (students pay the adult charge).
Table nonReservedTable(Passenger passenger);  // Jiyu or KJiyu
Table reservedTable(Passenger passenger);  // Sitei or KSitei
Table greenExpressTable(Passenger passenger);  // GToku or KGtoku (with Green for all)

// A charge over the section from one table, split at 松山 when the
// traveller changes trains there.
double sectionCharge(const TableStore& tables, Table table, Routing routing, const Section& section);

// "(おとな片道)" … "(学割往復)".
Msg chargedBill(Passenger passenger, Trip trip);

// Limited express, non-reserved seat. Students pay the adult charge.
// The passenger's fare for the journey with `charge` on top, both doubled for
// a round trip: the shape of every price with a charge.
ChargedPrice priceFarePlusCharge(const TableStore& tables, Passenger passenger, Trip trip, const Journey& journey,
                                 double charge);

ChargedPrice priceNonReserved(const TableStore& tables, Passenger passenger, Trip trip, Routing routing,
                              const Journey& journey);

// Limited express, reserved seat, from the reserved-seat tables loaded last.
ChargedPrice priceReserved(const TableStore& tables, Passenger passenger, Trip trip, Routing routing,
                           const Journey& journey);

// Limited express, Green car: the Green charge (the same for every
// passenger) plus the Green express charge (child table for children).
ChargedPrice priceGreen(const TableStore& tables, Passenger passenger, Trip trip, Routing routing,
                        const Journey& journey);

// Marine Liner reserved seat: fixed charges, lower in the off-peak season.
// Adults and children only.
double marineReservedCharge(Passenger passenger, Season season);
ChargedPrice priceMarineReserved(const TableStore& tables, Passenger passenger, Trip trip, Season season,
                                 const Journey& journey);

// Marine Liner Green car: the Marine Green table over the Marine section, the
// same for adults and children.
ChargedPrice priceMarineGreen(const TableStore& tables, Passenger passenger, Trip trip, const Journey& journey);

// The charge captions of the result screen for a reserved seat.
Msg reservedCaption(Season season);  // "指定席特急料金(繁忙期)" …
Msg marineReservedCaption(Season season);  // "指定席料金" / "指定席料金(閑散期)"

}  // namespace mkd
