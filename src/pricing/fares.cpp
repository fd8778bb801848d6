#include "pricing/fares.hpp"

namespace mkd {

namespace {

struct FareKind {
    Table table;
    std::string_view oneWay;
    std::string_view roundTrip;
};

FareKind fareKind(Passenger passenger) {
    switch (passenger) {
    case Passenger::Adult: return {Table::Futu, "おとな片道運賃", "おとな往復運賃"};
    case Passenger::Child: return {Table::Kodomo, "こども片道運賃", "こども往復運賃"};
    case Passenger::Student: return {Table::Gakuwari, "学割片道運賃", "学割往復運賃"};
    }
    return {Table::Futu, "おとな片道運賃", "おとな往復運賃"};
}

}  // namespace

OrdinaryPrice priceOrdinary(const mdlKeisan& tables, Passenger passenger, Trip trip, int departure, int arrival) {
    const FareKind kind = fareKind(passenger);
    const double fare = tables.value(kind.table, departure, arrival);
    if (trip == Trip::RoundTrip) return {fare + fare, kind.roundTrip};
    return {fare, kind.oneWay};
}

}  // namespace mkd
