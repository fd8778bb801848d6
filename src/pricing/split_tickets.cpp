#include "pricing/split_tickets.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "data/corridor_lines.hpp"
#include "data/stations.hpp"
#include "pricing/journey_rules.hpp"

namespace mkd {

namespace {

constexpr double kDaysBand = 200.0;

// A fare cell as whole yen, rounded as the result screens show an amount
// (halves away from zero): a fractional cell, which the table check reports,
// never makes a 0-yen ticket or a saving of less than a yen.
double wholeYen(double cell) { return std::round(cell); }

}  // namespace

int ticketValidityDays(double km) {
    if (km <= 100.0) return 1;
    if (km <= kDaysBand) return 2;
    const double more = std::ceil((km - kDaysBand) / kDaysBand);
    return more < kMostValidityDays - 2 ? 2 + static_cast<int>(more) : kMostValidityDays;
}

bool stopoversAllowed(double km) { return km > 100.0; }

std::vector<int> SplitAnswer::splitStations() const {
    std::vector<int> at;
    for (std::size_t i = 1; i < tickets.size(); ++i) at.push_back(tickets[i].from);
    return at;
}

namespace {

// The tables a planner reads, in the order of its rows.
constexpr Table kRowTables[] = {Table::Kyori, Table::Futu, Table::Kodomo, Table::Gakuwari};

std::size_t rowTableIndex(Table table) {
    for (std::size_t i = 0; i < std::size(kRowTables); ++i)
        if (kRowTables[i] == table) return i;
    return 0;
}

}  // namespace

SplitPlanner::SplitPlanner(const TableStore& tables, Passenger passenger)
    : tables_(tables), passenger_(passenger), rows_(std::size(kRowTables) * static_cast<std::size_t>(kAllStations)) {}

const std::vector<double>& SplitPlanner::row(Table table, int to) const {
    auto& r = rows_[rowTableIndex(table) * static_cast<std::size_t>(kAllStations) + static_cast<std::size_t>(to)];
    if (r.empty()) r = tables_.table(table).values(to);
    return r;
}

SplitPlanner::Cell SplitPlanner::cell(int from, int to) const {
    const auto at = [&](Table table) {
        const std::vector<double>& r = row(table, to);
        return static_cast<std::size_t>(from) < r.size() ? r[static_cast<std::size_t>(from)] : 0.0;
    };
    Cell c;
    c.km = at(Table::Kyori);
    // The choice screen offers 学割 only beyond 100 km: a student buys the
    // adult ticket for a shorter one. Each fare is the one priceOrdinary
    // reads from the passenger's table.
    c.student = passenger_ == Passenger::Student && studentFareOffered(c.km);
    c.fare =
        wholeYen(at(ordinaryFareTable(passenger_ == Passenger::Student && !c.student ? Passenger::Adult : passenger_)));
    return c;
}

void SplitPlanner::faresTo(int to, std::vector<double>& fares) const {
    fares.assign(static_cast<std::size_t>(kAllStations), 0.0);
    const std::vector<double>& km = row(Table::Kyori, to);
    const std::vector<double>& own = row(ordinaryFareTable(passenger_), to);
    const std::vector<double>& adult = row(Table::Futu, to);
    for (std::size_t from = 0; from < fares.size() && from < km.size(); ++from) {
        if (!(km[from] > 0)) continue;
        const bool student = passenger_ == Passenger::Student && studentFareOffered(km[from]);
        fares[from] = wholeYen(passenger_ != Passenger::Student || student ? own[from] : adult[from]);
    }
}

bool SplitPlanner::onTheWay(int from, int via, int to) const {
    const double part1 = cell(from, via).km;
    const double part2 = cell(via, to).km;
    return part1 > 0 && part2 > 0 && part1 + part2 <= cell(from, to).km + kSplitRoundingKm;
}

std::vector<int> SplitPlanner::route(int departure, int arrival) const {
    const std::vector<std::vector<int>> ways = waysBetween(departure, arrival);
    if (ways.empty()) return {};
    // Where two ways join the ends, the other way's stations lie far off the
    // journey's distance: the way the table measured has the fewest such.
    const std::vector<int>* best = nullptr;
    std::size_t bestOff = 0;
    for (const auto& way : ways) {
        std::size_t off = 0;
        for (std::size_t i = 1; i + 1 < way.size(); ++i) off += onTheWay(departure, way[i], arrival) ? 0 : 1;
        if (!best || off < bestOff || (off == bestOff && way.size() < best->size())) {
            best = &way;
            bestOff = off;
        }
    }
    std::vector<int> stations;
    for (std::size_t i = 0; i < best->size(); ++i) {
        const int s = (*best)[i];
        if (i == 0 || i + 1 == best->size() || onTheWay(departure, s, arrival)) stations.push_back(s);
    }
    return stations;
}

SplitTicket SplitPlanner::ticket(int from, int to, Trip trip) const {
    const Cell c = cell(from, to);
    const int times = trip == Trip::RoundTrip ? 2 : 1;
    SplitTicket t;
    t.from = from;
    t.to = to;
    t.km = c.km;
    t.amount = c.fare * times;
    t.validityDays = ticketValidityDays(c.km) * times;
    t.studentFare = c.student;
    t.stopovers = stopoversAllowed(c.km);
    return t;
}

SplitAnswer SplitPlanner::plan(int departure, int arrival, Trip trip) const {
    SplitAnswer a;
    a.departure = departure;
    a.arrival = arrival;
    a.passenger = passenger_;
    a.trip = trip;
    if (departure == arrival) {
        a.problem = SplitProblem::SameStation;
        return a;
    }
    if (!isValidIndex(StationList::All, departure) || !isValidIndex(StationList::All, arrival)) {
        a.problem = SplitProblem::ThroughUnpriced;
        return a;
    }
    a.through = ticket(departure, arrival, trip);
    a.tickets = {a.through};
    a.total = a.through.amount;
    // A cell that is empty or not a number reads 0: no such ticket can be
    // bought, and a 0-yen "ticket" must never look like a saving.
    const auto priced = [this](int from, int to) {
        const Cell c = cell(from, to);
        return c.fare > 0 && c.km > 0;
    };
    if (!priced(departure, arrival)) {
        a.problem = SplitProblem::ThroughUnpriced;
        return a;
    }

    // Cheapest way to reach each station of the route with whole tickets
    // from the departure; among equal totals, the fewest tickets.
    const std::vector<int> way = route(departure, arrival);
    const std::size_t n = way.size();
    constexpr double kNone = std::numeric_limits<double>::infinity();
    std::vector<double> cost(n, kNone);
    std::vector<std::size_t> count(n, 0), previous(n, 0);
    cost[0] = 0;
    std::vector<double> fares;
    for (std::size_t j = 1; j < n; ++j) {
        faresTo(way[j], fares);
        for (std::size_t i = 0; i < j; ++i) {
            const double fare = fares[static_cast<std::size_t>(way[i])];
            if (cost[i] == kNone || fare <= 0) continue;
            const double c = cost[i] + fare;
            if (c < cost[j] || (c == cost[j] && count[i] + 1 < count[j])) {
                cost[j] = c;
                count[j] = count[i] + 1;
                previous[j] = i;
            }
        }
    }
    const double single = cell(departure, arrival).fare;
    if (!(cost[n - 1] < single)) return a;

    std::vector<SplitTicket> tickets;
    for (std::size_t j = n - 1; j > 0; j = previous[j]) tickets.push_back(ticket(way[previous[j]], way[j], trip));
    std::reverse(tickets.begin(), tickets.end());
    a.tickets = std::move(tickets);
    a.total = 0;
    for (const SplitTicket& t : a.tickets) a.total += t.amount;
    a.saving = a.through.amount - a.total;

    SplitCosts& costs = a.costs;
    costs.throughDays = a.through.validityDays;
    costs.shortestDays = a.through.validityDays;
    for (const SplitTicket& t : a.tickets) {
        costs.shortestDays = std::min(costs.shortestDays, t.validityDays);
        costs.stopovers = costs.stopovers || (a.through.stopovers && !t.stopovers);
        costs.studentFare = costs.studentFare || (a.through.studentFare && !t.studentFare);
    }
    costs.validity = costs.shortestDays < costs.throughDays;
    return a;
}

SplitAnswer cheapestSplit(const TableStore& tables, Passenger passenger, Trip trip, int departure, int arrival) {
    return SplitPlanner(tables, passenger).plan(departure, arrival, trip);
}

}  // namespace mkd
