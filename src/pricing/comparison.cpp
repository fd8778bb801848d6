#include "pricing/comparison.hpp"

#include <algorithm>
#include <limits>

namespace mkd {

int Party::count(Passenger passenger) const {
    switch (passenger) {
        case Passenger::Adult:
            return adults;
        case Passenger::Child:
            return children;
        case Passenger::Student:
            return students;
    }
    return 0;
}

int validityDays(double km, Trip trip) {
    // The split's rule and cap, so that the two never tell a ticket apart.
    const int days = ticketValidityDays(km);
    return trip == Trip::RoundTrip ? 2 * days : days;
}

bool Party::valid() const {
    for (int n : {adults, children, students})
        if (n < 0 || n > kMostOfAClass) return false;
    return people() > 0;
}

namespace {

bool tableBroken(const EnquiryOutcome& out) { return !out.ok() && out.refused.refusal == Refusal::TableUnreadable; }

// Over the start-up tables, which every enquiry has read by now.
SplitRow splitRow(const TableStore& tables, const std::array<SplitPlanner, 3>& planners,
                  const ComparisonRequest& request) {
    SplitRow row;
    double total = 0;
    bool priced = true;
    std::vector<std::pair<double, int>> meets;  // km from the departure, station
    for (Passenger passenger : kPassengers) {
        SplitAnswer& a = row.answers[static_cast<std::size_t>(passenger)];
        a = planners[static_cast<std::size_t>(passenger)].plan(request.departure, request.arrival, request.trip);
        const int people = request.party.count(passenger);
        if (people <= 0) continue;
        if (a.problem != SplitProblem::None) {
            priced = false;
            continue;
        }
        total += people * a.total;
        row.partySaving += people * a.saving;
        const int days = a.cheaper() ? a.costs.shortestDays : a.through.validityDays;
        row.validityDays = row.validityDays > 0 ? std::min(row.validityDays, days) : days;
        for (int s : a.splitStations()) meets.emplace_back(tables.value(Table::Kyori, request.departure, s), s);
    }
    if (!priced) {
        row.partySaving = 0;
        row.validityDays = 0;
        return row;
    }
    row.partyTotal = total;
    std::sort(meets.begin(), meets.end());
    for (const auto& [km, s] : meets)
        if (std::find(row.splitStations.begin(), row.splitStations.end(), s) == row.splitStations.end())
            row.splitStations.push_back(s);
    return row;
}

}  // namespace

Comparison Comparer::compare(const ComparisonRequest& request) {
    Comparison c;
    c.request = request;
    for (Enquiry kind : kEnquiries) {
        for (Routing routing : {Routing::Through, Routing::ChangeAtMatsuyama}) {
            WayRow row;
            row.kind = kind;
            row.routing = routing;
            for (Passenger passenger : kPassengers) {
                EnquiryRequest q;
                q.kind = kind;
                q.departure = request.departure;
                q.arrival = request.arrival;
                q.passenger = passenger;
                q.trip = request.trip;
                q.routing = routing;
                q.season = request.season;
                const EnquiryOutcome out = enquirer_.ask(q);
                if (tableBroken(out)) {
                    c.rows.clear();
                    c.tableProblem = out.refused;
                    return c;
                }
                ClassPrice& price = row.prices[static_cast<std::size_t>(passenger)];
                if (out.ok())
                    price.answer = out.answer;
                else
                    price.refused = out.refused;
            }
            const ClassPrice& adult = row.price(Passenger::Adult);
            if (routing == Routing::ChangeAtMatsuyama) {
                // A way of its own only where the screens show the choice.
                if (!adult.answer || c.rows.empty() || !c.rows.back().price(Passenger::Adult).answer) continue;
                c.rows.back().routingNamed = true;
                row.routingNamed = true;
            }
            if (!adult.answer) {
                row.refused = adult.refused;
            } else {
                row.validityDays = validityDays(adult.answer->distance, request.trip);
                double total = 0;
                for (Passenger passenger : kPassengers) {
                    const int people = request.party.count(passenger);
                    if (people <= 0) continue;
                    const ClassPrice& p = row.price(passenger);
                    if (!p.answer) {
                        row.partyRefused = p.refused;
                        break;
                    }
                    total += people * p.answer->total;
                }
                if (!row.partyRefused) row.partyTotal = total;
            }
            c.rows.push_back(std::move(row));
        }
    }

    c.distance = tables_.value(Table::Kyori, request.departure, request.arrival);
    c.validityDays = validityDays(c.distance, request.trip);
    c.student.onScreen = true;
    c.student.distance = c.distance;
    c.student.offered = studentFareOffered(c.distance);
    c.split = splitRow(tables_, planners_, request);

    if (request.party.people() > 0) {
        double lowest = std::numeric_limits<double>::infinity();
        for (const WayRow& row : c.rows)
            if (row.partyTotal) lowest = std::min(lowest, *row.partyTotal);
        for (WayRow& row : c.rows) row.cheapest = row.partyTotal && *row.partyTotal == lowest;
    }
    return c;
}

}  // namespace mkd
