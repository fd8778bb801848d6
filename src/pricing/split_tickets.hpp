// Buying a journey as several consecutive tickets: the cheapest way, and
// what the traveller gives up for it.
//
// Fares grow by distance bands, so two or three tickets that meet at a
// station on the way may cost less than one through ticket. Each ticket is
// priced as the local-fare enquiry prices a journey: from the passenger's
// table, 学割 only on a ticket of more than 100 km (a student pays the adult
// fare on a shorter one, as the choice screen offers no 学割 there), and a
// return ticket at twice the single fare.
#pragma once

#include <optional>
#include <vector>

#include "data/table_store.hpp"
#include "pricing/fares.hpp"

namespace mkd {

// Days no table of this corridor comes near: an absurd distance cell (1e12
// km) makes a ticket valid this long rather than overflowing. The split and
// the comparison both stop here; a return ticket is valid twice as long.
inline constexpr int kMostValidityDays = 1'000'000;

// Days a single ticket of `km` is valid: 1 up to 100 km, 2 up to 200 km,
// then one more day for every 200 km begun; at most kMostValidityDays.
int ticketValidityDays(double km);

// A ticket lets its holder break the journey (途中下車) only beyond 100 km.
bool stopoversAllowed(double km);

// The distance table holds whole kilometres rounded up, so the two parts of
// a journey split at a station on its way may add up to one km more than
// the whole journey.
inline constexpr double kSplitRoundingKm = 1.0;

struct SplitTicket {
    int from = -1;  // all-station indices
    int to = -1;
    double km = 0;  // the distance table's cell
    double amount = 0;  // doubled for a return
    int validityDays = 0;  // doubled for a return
    bool studentFare = false;  // priced from the student table (学割)
    bool stopovers = false;  // 途中下車 allowed
    bool operator==(const SplitTicket&) const = default;
};

// What the split tickets give up against the through ticket.
struct SplitCosts {
    int throughDays = 0;  // validity of the through ticket
    int shortestDays = 0;  // of the split ticket valid the fewest days
    bool validity = false;  // some split ticket is valid fewer days
    bool stopovers = false;  // the through ticket allowed stopovers, some split ticket does not
    bool studentFare = false;  // the through ticket had 学割, some split ticket has the adult fare
    bool any() const { return validity || stopovers || studentFare; }
    bool operator==(const SplitCosts&) const = default;
};

// Why there is no comparison at all.
enum class SplitProblem {
    None,
    SameStation,  // both ends are the same station
    ThroughUnpriced,  // the through ticket's fare or distance cell is empty or 0
};

struct SplitAnswer {
    int departure = -1;
    int arrival = -1;
    Passenger passenger = Passenger::Adult;
    Trip trip = Trip::OneWay;
    SplitProblem problem = SplitProblem::None;
    SplitTicket through;
    // The cheapest tickets in travel order; the through ticket alone when no
    // split is cheaper (an equal total is not cheaper).
    std::vector<SplitTicket> tickets;
    double total = 0;
    double saving = 0;  // through amount − total; 0 when no split is cheaper
    SplitCosts costs;  // what a cheaper split gives up
    bool cheaper() const { return tickets.size() > 1; }
    bool operator==(const SplitAnswer&) const = default;
    // The stations where the tickets meet.
    std::vector<int> splitStations() const;
};

// Finds the cheapest split for one passenger over the tables as they are
// now (the start-up tables: fares and distances), each fare in whole yen as
// the screens show it. Cells are read once, when
// first needed, so one planner answers many journeys fast.
class SplitPlanner {
public:
    SplitPlanner(const TableStore& tables, Passenger passenger);

    SplitAnswer plan(int departure, int arrival, Trip trip = Trip::OneWay) const;

    // The stations on the journey's way, in travel order, both ends
    // included, where a ticket may end: the way along the corridor's lines
    // that the distance table agrees with (where there are two, between
    // 向井原 and 伊予大洲), less any station whose distances from both ends
    // do not add up to the journey's.
    std::vector<int> route(int departure, int arrival) const;

private:
    struct Cell {
        double km = 0;
        double fare = 0;  // single fare for this passenger at this distance
        bool student = false;
    };
    Cell cell(int from, int to) const;
    bool onTheWay(int from, int via, int to) const;
    // The fare of every ticket to `to` by its departure, 0 where the tables
    // price none (no fare, or no distance): what cell() gives, for a whole
    // arrival at once.
    void faresTo(int to, std::vector<double>& fares) const;
    SplitTicket ticket(int from, int to, Trip trip) const;

    // The numbers of one table's record (journeys arriving at one station),
    // read in one pass when first needed.
    const std::vector<double>& row(Table table, int to) const;

    const TableStore& tables_;
    Passenger passenger_;
    mutable std::vector<std::vector<double>> rows_;  // kAllStations per table read
};

// One journey, one passenger: SplitPlanner(tables, passenger).plan(…).
SplitAnswer cheapestSplit(const TableStore& tables, Passenger passenger, Trip trip, int departure, int arrival);

}  // namespace mkd
