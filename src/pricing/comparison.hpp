// Every way to make one journey, side by side, for a party of travellers:
// the local train, the limited express in each seat class (through and with a
// change at 松山 where the screens offer it) and the Marine Liner's reserved
// seat and Green car. Each way is asked as whole enquiries, once per
// passenger class, exactly as the screens and mkd-fare ask them, so that every
// amount is the one the wizard shows; a way the screens would not offer keeps
// its row with the core's refusal.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "pricing/enquiry.hpp"
#include "pricing/split_tickets.hpp"

namespace mkd {

// The most people of one passenger class in a party, in the compare window
// and on mkd-fare's command line alike.
inline constexpr int kMostOfAClass = 99;

// The people travelling together, by passenger class.
struct Party {
    int adults = 1;
    int children = 0;
    int students = 0;

    int count(Passenger passenger) const;
    // Counted in 64 bits: any three ints add up.
    long long people() const { return static_cast<long long>(adults) + children + students; }
    // Someone travels, and no class has fewer than 0 or more than
    // kMostOfAClass people.
    bool valid() const;
};

inline constexpr std::array<Passenger, 3> kPassengers{Passenger::Adult, Passenger::Child, Passenger::Student};

struct ComparisonRequest {
    int departure = 0;  // all-station indices
    int arrival = 0;
    Party party;
    Trip trip = Trip::OneWay;
    Season season = Season::Normal;  // of the travel date, for the reserved seats
};

// One passenger class's price of a way, or why the screens do not offer it.
struct ClassPrice {
    std::optional<EnquiryAnswer> answer;
    std::optional<Refused> refused;
};

// One way of travel and what it costs.
struct WayRow {
    Enquiry kind = Enquiry::Local;
    Routing routing = Routing::Through;
    // The pair offers 直通 / 松山乗換 for this kind, so the row names which.
    bool routingNamed = false;
    // Why the screens do not offer this way at all (asked for an adult).
    std::optional<Refused> refused;
    std::array<ClassPrice, 3> prices;  // by Passenger
    // Each counted class's total times its number of people; none when a
    // class with people in it is refused (partyRefused says why).
    std::optional<double> partyTotal;
    std::optional<Refused> partyRefused;
    int validityDays = 0;  // of the ticket; 0 where the way is refused
    bool cheapest = false;  // the lowest party total (ties all marked)

    const ClassPrice& price(Passenger p) const { return prices[static_cast<std::size_t>(p)]; }
};

// The local train's journey bought as several consecutive tickets: each
// passenger class's cheapest split (cheapestSplit), and for the party what
// those tickets cost and save against the through tickets. A class whose
// split is not cheaper buys its through ticket, as its answer says.
struct SplitRow {
    std::array<SplitAnswer, 3> answers;  // by Passenger
    // Each counted class's total times its number of people; none when a
    // class with people in it cannot be priced (its answer's problem says why).
    std::optional<double> partyTotal;
    // Against the through tickets; 0 when no class with people in it has a
    // cheaper split.
    double partySaving = 0;
    // Of the ticket the party buys that is valid the fewest days.
    int validityDays = 0;
    // Where the party's tickets meet, in travel order.
    std::vector<int> splitStations;

    bool cheaper() const { return partySaving > 0; }
    const SplitAnswer& answer(Passenger p) const { return answers[static_cast<std::size_t>(p)]; }
};

struct Comparison {
    ComparisonRequest request;
    double distance = 0;  // km, from the distance table
    int validityDays = 0;  // of a ticket for the journey (see validityDays())
    StudentOffer student;  // whether 学割 is offered for the pair, and why
    std::vector<WayRow> rows;
    // The local train as split tickets: not one of the ways above (each of
    // those is one ticket as the screens sell it), so it never takes their
    // cheapest mark.
    SplitRow split;
    // A table file that cannot be read: nothing can be priced.
    std::optional<Refused> tableProblem;
};

// How many days a ticket over `km` is valid: 1 day up to 100 km, 2 days up to
// 200 km, then a day more for every 200 km begun (ticketValidityDays, with its
// cap); a return ticket twice as long.
int validityDays(double km, Trip trip = Trip::OneWay);

// Asks the comparisons against the tables of one TableStore, each file read
// once and then kept (see Enquirer); the store should be one of its own, so
// that no screen's loaded tables change under it.
class Comparer {
public:
    explicit Comparer(TableStore& tables)
        : tables_(tables),
          enquirer_(tables),
          planners_{SplitPlanner(tables, Passenger::Adult), SplitPlanner(tables, Passenger::Child),
                    SplitPlanner(tables, Passenger::Student)} {}

    Comparison compare(const ComparisonRequest& request);

    // Every load of a short file since the last call (see Enquirer).
    std::vector<ShortTable> takeShortLoads() { return enquirer_.takeShortLoads(); }

private:
    TableStore& tables_;
    Enquirer enquirer_;
    // By Passenger. They keep the start-up tables' cells once read, which
    // stay as they are: the enquiries read those files once.
    std::array<SplitPlanner, 3> planners_;
};

}  // namespace mkd
